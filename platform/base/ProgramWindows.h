#pragma once
// Whether a window of the program is showing: the program's active window or
// else its main window. Downloads run only then. The main window installs the
// real predicate; before it exists nothing is showing.

#include <functional>

using WindowShowingPredicate = std::function<bool()>;

bool ProgramWindowShowing();

// Installs a predicate and returns the previous one; an empty one restores the
// default, which answers false.
WindowShowingPredicate SetProgramWindowShowingPredicate(WindowShowingPredicate predicate);
