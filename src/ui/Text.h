// Text conversions at the window boundary: fixed texts are UTF-8 in the source and
// go to the wide window calls; paths are ANSI bytes in the system's code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnsel::ui {

std::wstring Widen(std::string_view text, UINT codePage = CP_UTF8);
std::string Narrow(std::wstring_view text, UINT codePage = CP_UTF8);

inline std::wstring FromAnsi(std::string_view text) { return Widen(text, CP_ACP); }
inline std::string ToAnsi(std::wstring_view text) { return Narrow(text, CP_ACP); }

}  // namespace tarnsel::ui
