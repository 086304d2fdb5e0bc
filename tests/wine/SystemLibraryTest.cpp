// Libraries loaded from the system folder only, never from beside the program.
#include "platform/win32/SystemLibrary.h"

#include <gtest/gtest.h>

#include "platform/PreloadedLibraries.h"
#include "platform/win32/PreloadedLibraries.h"

namespace tarnsel::platform::win32 {
namespace {

// True when the loaded module of that name is the file in the system folder.
bool LoadedFromSystemFolder(const wchar_t* name) {
  wchar_t loadedFrom[MAX_PATH];
  wchar_t systemFolder[MAX_PATH];
  const HMODULE module = GetModuleHandleW(name);
  if (module == nullptr || GetModuleFileNameW(module, loadedFrom, MAX_PATH) == 0) return false;
  const UINT length = GetSystemDirectoryW(systemFolder, MAX_PATH);
  return loadedFrom[length] == L'\\' &&
         CompareStringOrdinal(loadedFrom, static_cast<int>(length), systemFolder,
                              static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

TEST(SystemLibraryTest, LoadsFromTheSystemFolderAndFindsItsFunctions) {
  SystemLibrary network(L"mpr.dll");
  ASSERT_TRUE(network.loaded());
  using GetConnection = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
  EXPECT_NE(network.function<GetConnection>("WNetGetConnectionA"), nullptr);
  EXPECT_EQ(network.function<GetConnection>("NoSuchFunction"), nullptr);
  EXPECT_TRUE(LoadedFromSystemFolder(L"mpr.dll"));
}

TEST(SystemLibraryTest, AMissingLibraryOffersNoFunctions) {
  SystemLibrary missing(L"no-such-library-here.dll");
  EXPECT_FALSE(missing.loaded());
  using Anything = void(WINAPI*)();
  EXPECT_EQ(missing.function<Anything>("Anything"), nullptr);
}

TEST(SystemLibraryTest, AMovedLibraryStaysLoadedUntilItsLastOwnerGoes) {
  const HMODULE before = GetModuleHandleW(L"msacm32.dll");
  ASSERT_EQ(before, nullptr) << "the test needs a library nothing else has loaded";
  {
    SystemLibrary first(L"msacm32.dll");
    ASSERT_TRUE(first.loaded());
    SystemLibrary second(std::move(first));
    EXPECT_FALSE(first.loaded());
    EXPECT_TRUE(second.loaded());
    EXPECT_NE(GetModuleHandleW(L"msacm32.dll"), nullptr);
  }
  EXPECT_EQ(GetModuleHandleW(L"msacm32.dll"), nullptr);
}

TEST(SystemLibraryTest, TheRestrictedSearchStillFindsSystemLibrariesByName) {
  restrictLibrarySearch();
  const HMODULE module = LoadLibraryW(L"version.dll");
  EXPECT_NE(module, nullptr);
  if (module != nullptr) FreeLibrary(module);
}

// Every preloaded library exists in the system folder, is the module that a
// later load by name gets, and stays in while its owner lives.
TEST(PreloadedLibrariesTest, LaterLoadsByNameGetTheSystemFolderCopy) {
  PreloadedLibraries preloaded;
  EXPECT_EQ(preloaded.loadedCount(), static_cast<int>(kPreloadedSystemLibraries.size()));
  for (const wchar_t* name : kPreloadedSystemLibraries) {
    SCOPED_TRACE(testing::Message() << name);
    EXPECT_TRUE(LoadedFromSystemFolder(name));
    const HMODULE byName = LoadLibraryW(name);
    EXPECT_EQ(byName, GetModuleHandleW(name));
    if (byName != nullptr) FreeLibrary(byName);
  }
}

}  // namespace
}  // namespace tarnsel::platform::win32
