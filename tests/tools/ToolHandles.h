// Move-only owners for the handles the test tools open that the product has no
// owner for: a started process, a module loaded as data, an icon.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/win32/ScopedHandles.h"

namespace tarnsel::test_tools {

// The process and thread handles CreateProcess hands back, closed together.
struct StartedProcess {
  explicit StartedProcess(const PROCESS_INFORMATION& started)
      : process(started.hProcess), thread(started.hThread), id(started.dwProcessId) {}
  platform::win32::FileHandle process;
  platform::win32::FileHandle thread;
  DWORD id;
};

// Owns a handle that a plain Free function releases and whose "none" is nullptr.
template <typename Handle, auto Free>
class OwnedHandle {
 public:
  explicit OwnedHandle(Handle handle = nullptr) : handle_(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
      release();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { release(); }

  Handle get() const { return handle_; }
  // For calls that hand a new handle back through a pointer; only while empty.
  Handle* receive() { return &handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void release() {
    if (handle_) Free(std::exchange(handle_, nullptr));
  }
  Handle handle_;
};

// A module from LoadLibraryEx, for instance loaded as a data file to read its resources.
using LoadedModule = OwnedHandle<HMODULE, FreeLibrary>;
using Icon = OwnedHandle<HICON, DestroyIcon>;

}  // namespace tarnsel::test_tools
