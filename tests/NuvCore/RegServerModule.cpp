// A loadable library with a registration entry point (and no unregistration
// one) for the RegComServer tests. It reports through the environment that it
// was called, and answers failure, which RegComServer must not care about.
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) long DllRegisterServer()
{
    ::setenv("QELVO_REGISTER_CALLED", "yes", 1);
    return static_cast<long>(0x80004005L); // E_FAIL
}
