// Facts about files that more than one Win32 service works out the same way: the
// DOS time test of the file-exists rule.
#pragma once

#include <windows.h>

namespace tarnsel::platform::win32 {

// True when the last-write time, as local time, converts to a DOS date and time.
inline bool HasDosTime(const FILETIME& lastWrite) {
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  return FileTimeToLocalFileTime(&lastWrite, &local) && FileTimeToDosDateTime(&local, &date, &time);
}

}  // namespace tarnsel::platform::win32
