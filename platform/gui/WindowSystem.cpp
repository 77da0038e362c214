#include "WindowSystem.h"

#include "QtWindowSystem.h"

namespace {

IWindowSystem* installed = nullptr;

} // namespace

IWindowSystem& WindowSystem()
{
    static QtWindowSystem qtSystem;
    return installed ? *installed : qtSystem;
}

IWindowSystem* SetWindowSystem(IWindowSystem* system)
{
    IWindowSystem* previous = installed;
    installed = system;
    return previous;
}
