#pragma once
// The library's free helpers, namespace nuv: callers include this one header.

#include "NuvDelimited.h"
#include "NuvFiles.h"
#include "NuvLog.h"
#include "NuvProcess.h"
#include "NuvSql.h"
#include "NuvText.h"
