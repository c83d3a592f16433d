#pragma once

#include <windows.h>

#include "platform/Types.h"

namespace taktora::platform::win32 {

// A FILETIME that already holds local time (from FileTimeToLocalFileTime or SystemTimeToFileTime of a local
// SYSTEMTIME), counted in seconds since 1970-01-01 00:00:00 of that clock; fractions of a second are dropped.
LocalSeconds SecondsSince1970(const FILETIME& localTime);

}  // namespace taktora::platform::win32
