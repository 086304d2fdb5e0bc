// A move-only owner of one reference to a COM interface.
#pragma once

#include <windows.h>
// after windows.h
#include <unknwn.h>

#include <utility>

namespace tarnsel::platform::win32 {

// Holds one reference and releases it when reset, reassigned or destroyed.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds; adds none.
  explicit ComPtr(T* adopted) noexcept : pointer_(adopted) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  T* get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  void reset() noexcept {
    if (T* pointer = std::exchange(pointer_, nullptr)) pointer->Release();
  }

  // Releases what is held and gives the slot for a call's out parameter.
  T** receive() noexcept {
    reset();
    return &pointer_;
  }
  void** receiveVoid() noexcept { return reinterpret_cast<void**>(receive()); }

  // A new reference for handing out through a COM out parameter.
  T* addRef() const noexcept {
    if (pointer_ != nullptr) pointer_->AddRef();
    return pointer_;
  }

  // Asks the held object for interface U; `result` stays empty on failure.
  template <typename U>
  HRESULT queryInterface(ComPtr<U>& result) const noexcept {
    if (pointer_ == nullptr) {
      result.reset();
      return E_POINTER;
    }
    return pointer_->QueryInterface(__uuidof(U), result.receiveVoid());
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace tarnsel::platform::win32
