// The ANSI code page's services: lead bytes, case mappings, locale comparison.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace tarnsel::platform::win32 {

Win32CodePage::Win32CodePage() {
  CPINFO info = {};
  doubleByte_ = GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 1;
}

bool Win32CodePage::isLeadByte(unsigned char byte) const { return IsDBCSLeadByte(byte) != 0; }

std::string Win32CodePage::localeLower(const std::string& text) const {
  std::string result = text;
  if (!result.empty()) CharLowerBuffA(result.data(), result.size());
  return result;
}

std::string Win32CodePage::localeUpper(const std::string& text) const {
  std::string result = text;
  if (!result.empty()) CharUpperBuffA(result.data(), result.size());
  return result;
}

int Win32CodePage::localeCompare(const std::string& a, const std::string& b) const {
  return CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), a.size(), b.data(), b.size()) -
         CSTR_EQUAL;
}

int Win32CodePage::listCompare(const std::string& a, const std::string& b) const {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), a.size(), b.data(),
                        b.size()) -
         CSTR_EQUAL;
}

std::string Win32CodePage::toUtf8(const std::string& ansi) const {
  return Narrow(CP_UTF8, Widen(CP_ACP, ansi));
}

std::string Win32CodePage::fromUtf8(const std::string& utf8) const {
  return Narrow(CP_ACP, Widen(CP_UTF8, utf8));
}

}  // namespace tarnsel::platform::win32
