#include "ProgramWindows.h"

#include <utility>

namespace {

bool NothingShowing()
{
    return false;
}

WindowShowingPredicate& InstalledPredicate()
{
    static WindowShowingPredicate predicate = NothingShowing;
    return predicate;
}

} // namespace

bool ProgramWindowShowing()
{
    return InstalledPredicate()();
}

WindowShowingPredicate SetProgramWindowShowingPredicate(WindowShowingPredicate predicate)
{
    if (!predicate)
        predicate = NothingShowing;
    return std::exchange(InstalledPredicate(), std::move(predicate));
}
