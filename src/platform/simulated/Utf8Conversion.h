// Conversions between the simulated ANSI code page and UTF-8, done by the C
// library's iconv (glibc ships CP932 and CP1252 converters).
#pragma once

#include <string>

#include "platform/simulated/AnsiCodePage.h"

namespace tarnsel::sim {

// Bytes that name no character become U+FFFD, as MultiByteToWideChar does,
// except the five bytes Windows-1252 leaves undefined, which Windows passes
// through as the C1 controls of the same number.
std::string ansiToUtf8(const AnsiCodePage& codePage, const std::string& ansi);

// Characters the code page lacks become '?', as WideCharToMultiByte's default
// character; malformed UTF-8 bytes likewise. The five C1 controls that stand for
// Windows-1252's undefined bytes go back to those bytes, as on Windows.
std::string utf8ToAnsi(const AnsiCodePage& codePage, const std::string& utf8);

// True when the code page holds every character of the UTF-8 text, so that it
// comes back unchanged from the ANSI form.
bool holdsName(const AnsiCodePage& codePage, const std::string& utf8);

// The name a directory search through the ANSI calls reports for a real name:
// characters the code page lacks take their best fit, a Latin letter without its
// marks (ß → s, ö → o), or else '?'.
std::string bestFitName(const AnsiCodePage& codePage, const std::string& utf8);

}  // namespace tarnsel::sim
