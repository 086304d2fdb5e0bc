// Sets a test entry's attributes with read-only last. Wine keeps hidden and
// system in an extended attribute of the Linux file and makes a file read-only
// by taking away its write bit first, after which an unprivileged user can no
// longer write that attribute, though the call reports success. Windows takes
// the bits in either order, so the other bits go first.
#pragma once

#include <windows.h>

#include <type_traits>

namespace tarnsel::tools {

template <typename Char>
bool SetAttributesReadOnlyLast(const Char* path, DWORD attributes) {
  const auto set = [path](DWORD bits) {
    if constexpr (std::is_same_v<Char, char>)
      return SetFileAttributesA(path, bits) != FALSE;
    else
      return SetFileAttributesW(path, bits) != FALSE;
  };
  const DWORD withoutReadOnly = attributes & ~FILE_ATTRIBUTE_READONLY;
  if (withoutReadOnly != attributes && withoutReadOnly != 0 && !set(withoutReadOnly)) return false;
  return set(attributes);
}

}  // namespace tarnsel::tools
