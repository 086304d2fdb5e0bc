// Library loading that never looks beside the program: a launcher runs from
// download folders and media that strangers fill, where a planted DLL named like
// a system one would otherwise be loaded into the process.
#pragma once

#include <windows.h>

#include <utility>

namespace tarnsel::platform::win32 {

// Limits every later library search of the process to the system folder, drops
// the current directory from it, and puts the current directory last in searches
// for files by name. Called first thing in the program, before anything can load
// a library by name.
void restrictLibrarySearch();

// A DLL loaded by its full path in the system folder; freed when the owner goes.
// Used for the few libraries the program needs only now and then, so that they
// are not static imports, which the loader would look for beside the program.
class SystemLibrary {
 public:
  enum class Source {
    SystemFolder,  // the file of that name in the system folder
    SideBySide,    // by name, so that the manifest's side-by-side assembly decides;
                   // only after restrictLibrarySearch
  };
  explicit SystemLibrary(const wchar_t* fileName, Source source = Source::SystemFolder);
  SystemLibrary(SystemLibrary&& other) noexcept : module_(std::exchange(other.module_, nullptr)) {}
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;
  SystemLibrary& operator=(SystemLibrary&&) = delete;
  ~SystemLibrary();

  bool loaded() const { return module_ != nullptr; }

  // The exported function `name` as type Function, or null when the library or
  // the function is missing.
  template <typename Function>
  Function function(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_ = nullptr;
};

}  // namespace tarnsel::platform::win32
