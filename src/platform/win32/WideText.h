// Conversions between byte strings in a given code page and UTF-16, for the
// platform services that call the wide API.
#pragma once

#include <windows.h>

#include <string>

namespace tarnsel::platform::win32 {

std::wstring Widen(UINT codePage, const std::string& text);
std::string Narrow(UINT codePage, const std::wstring& wide);

}  // namespace tarnsel::platform::win32
