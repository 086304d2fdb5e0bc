// Timestamps of the start-up phases, compiled in only with TARNSEL_STARTUP_TRACE
// (a measuring build; the shipped program has none of it).
#pragma once

#ifdef TARNSEL_STARTUP_TRACE

namespace tarnsel::platform::win32 {

// Appends "<phase> <milliseconds since the process was created>" to the file
// named by the environment variable TARNSEL_STARTUP_TRACE_FILE; does nothing
// when it is unset.
void StampStartupPhase(const char* phase) noexcept;

}  // namespace tarnsel::platform::win32

#define TARNSEL_STARTUP_STAMP(phase) ::tarnsel::platform::win32::StampStartupPhase(phase)

#else

#define TARNSEL_STARTUP_STAMP(phase) ((void)0)

#endif
