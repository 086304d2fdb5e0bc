// The simulated machine the file-system fuzz targets run against, and the path
// texts they enter: a small tree with Shift-JIS names whose second byte is a
// backslash, a long folder chain near the 260-byte limit, a link, a denied and a
// hidden folder, a second drive, a drive that is not ready and a network share.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>
#include <string_view>

#include "platform/Errors.h"
#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::fuzzing {

// Two Shift-JIS characters whose trail byte is 0x5C, and one plain kanji.
inline const std::string Hyo = "\x95\x5c";  // 表
inline const std::string So = "\x83\x5c";   // ソ
inline const std::string Kan = "\x8a\xbf";  // 漢

// A folder name of 120 bytes: two levels of it come close to MAX_PATH.
inline std::string LongName() { return std::string(119, 'L') + "x"; }

// Lays out the tree under the code page the input chose; the code page is set
// first so that the builders split the names by its rules.
inline void BuildWorld(sim::SimulatedWindows& windows, unsigned codePage) {
  windows.setCodePage(codePage);
  windows.addFolder("C:\\Windows\\System32");
  windows.addFile("C:\\Windows\\win.ini");
  windows.addFile("C:\\readme.txt");
  windows.addFile("C:\\kit\\viewer.exe");
  windows.addFile("C:\\kit\\viewer\\start.htm");
  windows.addFolder("C:\\kit\\viewer\\data");
  windows.addFolder("C:\\" + Hyo + "\\inner");
  windows.addFile("C:\\" + Hyo + "\\" + So + ".txt");
  windows.addFolder("C:\\" + So + "\\" + Kan);
  windows.addFolder("C:\\" + LongName() + "\\" + LongName());
  windows.addFolder("C:\\.hidden\\below");
  windows.addFolder("C:\\locked\\below");
  windows.denyAccess("C:\\locked");
  windows.addLink("C:\\link", "C:\\Windows");
  windows.addFolder("C:\\Sys", platform::attr::Directory | platform::attr::System);
  windows.addDrive('D');
  windows.addFolder("D:\\data\\deep\\deeper");
  windows.addFile("D:\\data\\a.txt");
  windows.addDrive('E', {.type = 5, .ready = false});
  windows.addShare("\\\\server\\share");
  windows.addFile("\\\\server\\share\\kit\\viewer.exe");
  windows.addFolder("\\\\server\\share\\kit\\viewer\\data");
}

// Folders an input may start in.
inline constexpr std::array<std::string_view, 7> StartFolders = {
    "C:\\",     "C:\\Users\\user\\Desktop", "C:\\Windows\\System32", "C:\\kit", "D:\\data\\deep",
    "C:\\link", "\\\\server\\share\\kit"};

inline void EnterStartFolder(sim::SimulatedWindows& windows, FuzzedDataProvider& input) {
  const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, StartFolders.size() - 1);
  windows.setCurrentDirectory(std::string(StartFolders[choice]));
}

// A path text made of pieces that mean something to the path rules, mixed with
// raw bytes: drive letters, separators, dots, names of the tree and the share in
// any case, double-byte characters and stray lead bytes.
inline std::string PathText(FuzzedDataProvider& input, std::size_t maxPieces = 12) {
  static const std::array<std::string, 33> pieces = {
      "C:",      "c:",     "D:",         "E:",         "Q:",    "\\",       "\\\\",
      "..",      ".",      "Windows",    "SYSTEM32",   "users", "user",     "Desktop",
      "kit",     "viewer", "viewer.exe", "readme.txt", "*.*",   "*.txt",    "?",
      "[kit]",   Hyo,      So,           Kan,          "\x95",  LongName(), "link",
      ".hidden", "locked", "nosuch",     "server",     "share"};
  std::string text;
  const auto count = input.ConsumeIntegralInRange<std::size_t>(0, maxPieces);
  for (std::size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
    const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, pieces.size());
    text += choice < pieces.size() ? pieces[choice] : input.ConsumeRandomLengthString(8);
  }
  return text;
}

// Runs `action`; the errors the product raises on purpose for bad input are the
// expected outcome and end the action quietly. Anything else escapes the target,
// which libFuzzer reports. True when the action ran to its end.
template <typename Action>
bool RunExpectingClearErrors(Action&& action) {
  try {
    action();
    return true;
  } catch (const EInOutError&) {
  } catch (const EInvalidOperation&) {
  } catch (const EOutlineError&) {
  }
  return false;
}

}  // namespace tarnsel::fuzzing
