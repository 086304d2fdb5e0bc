// Facts about files that more than one Win32 service works out the same way: the
// DOS time test of the file-exists rule, and the plain form of a final path.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnsel::platform::win32 {

// True when the last-write time, as local time, converts to a DOS date and time.
inline bool HasDosTime(const FILETIME& lastWrite) {
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  return FileTimeToLocalFileTime(&lastWrite, &local) && FileTimeToDosDateTime(&local, &date, &time);
}

// GetFinalPathNameByHandle's "\\?\C:\dir" and "\\?\UNC\server\share" as
// "C:\dir" and "\\server\share".
template <typename Char>
std::basic_string<Char> PlainFinalPath(std::basic_string<Char> name) {
  constexpr Char unc[] = {'\\', '\\', '?', '\\', 'U', 'N', 'C', '\\', 0};
  constexpr Char local[] = {'\\', '\\', '?', '\\', 0};
  const std::basic_string_view<Char> uncPrefix(unc);
  const std::basic_string_view<Char> localPrefix(local);
  if (name.starts_with(uncPrefix)) return name.replace(0, uncPrefix.size(), 2, Char('\\'));
  if (name.starts_with(localPrefix)) name.erase(0, localPrefix.size());
  return name;
}

}  // namespace tarnsel::platform::win32
