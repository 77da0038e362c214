#pragma once
// The library's helpers for the application, its windows and the desktop
// shell (namespace nuv), on Qt Widgets: callers include this one header.

#include "NuvDpi.h"
#include "NuvForms.h"
#include "NuvMenus.h"
#include "NuvMessageBox.h"
#include "NuvShell.h"
