// How the fuzz targets start from libFuzzer's input: the code page the input
// picks, and the entry for targets that run as a session over the input.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "platform/simulated/SimulatedWindows.h"

namespace tarnsel::fuzzing {

// Shift-JIS or Western, by the input's first choice.
inline unsigned CodePageFrom(FuzzedDataProvider& input) { return input.ConsumeBool() ? 932 : 1252; }

// Builds a Session from the input and runs it to the input's end.
template <typename Session>
int RunSession(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  Session session(input);
  session.run();
  return 0;
}

// Calls run(codePage, input) with the simulated code page the input picked.
template <typename Run>
int RunOnCodePage(const std::uint8_t* data, std::size_t size, Run&& run) {
  FuzzedDataProvider input(data, size);
  sim::SimulatedWindows windows;
  windows.setCodePage(CodePageFrom(input));
  run(static_cast<const platform::CodePage&>(windows), input);
  return 0;
}

}  // namespace tarnsel::fuzzing
