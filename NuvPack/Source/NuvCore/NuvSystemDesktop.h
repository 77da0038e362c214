#pragma once
// The desktop's own implementations behind the interfaces of NuvSystem.h.

#include "NuvSystem.h"

namespace nuv {

// Key events through the X Test extension; without an X display every event is
// refused and no key counts as down.
IKeyInput& XTestKeyInput();
// Pixels through Qt's screen grab.
IScreen& QtScreen();
// The session through systemd-logind and the desktop's session manager on D-Bus.
ISession& DBusSession();

} // namespace nuv
