// Code page conversions through MultiByteToWideChar and WideCharToMultiByte.
#include "platform/win32/WideText.h"

namespace tarnsel::platform::win32 {

std::wstring Widen(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), text.size(), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), text.size(), wide.data(), length);
  return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), wide.size(), nullptr, 0, nullptr, nullptr);
  std::string text(length, '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), wide.size(), text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace tarnsel::platform::win32
