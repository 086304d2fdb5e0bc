// Move-only owners for the kernel and shell handles that the platform services open.
#pragma once

#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <utility>

namespace tarnsel::platform::win32 {

// Owns a kernel handle whose "none" value is INVALID_HANDLE_VALUE; Closer releases it.
template <typename Closer>
class KernelHandle {
 public:
  explicit KernelHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  KernelHandle(KernelHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  ~KernelHandle() { close(); }

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  void close() {
    if (valid()) Closer{}(std::exchange(handle_, INVALID_HANDLE_VALUE));
  }
  HANDLE handle_;
};

struct FindCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};
struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

using FindHandle = KernelHandle<FindCloser>;
using FileHandle = KernelHandle<HandleCloser>;

// An identifier list that the shell allocated; freed with the task allocator.
class ItemIdList {
 public:
  ItemIdList() = default;
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;
  ~ItemIdList() { CoTaskMemFree(list_); }
  LPITEMIDLIST* receive() { return &list_; }
  LPCITEMIDLIST get() const { return list_; }

 private:
  LPITEMIDLIST list_ = nullptr;
};

}  // namespace tarnsel::platform::win32
