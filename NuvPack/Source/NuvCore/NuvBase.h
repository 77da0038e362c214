#pragma once
// The library's free helpers, namespace nuv: callers include this one header.

#include "NuvFiles.h"
