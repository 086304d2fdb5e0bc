// Libraries loaded from the system folder only, never from beside the program.
#include "platform/win32/SystemLibrary.h"

#include <gtest/gtest.h>

namespace tarnsel::platform::win32 {
namespace {

TEST(SystemLibraryTest, LoadsFromTheSystemFolderAndFindsItsFunctions) {
  SystemLibrary network(L"mpr.dll");
  ASSERT_TRUE(network.loaded());
  using GetConnection = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
  EXPECT_NE(network.function<GetConnection>("WNetGetConnectionA"), nullptr);
  EXPECT_EQ(network.function<GetConnection>("NoSuchFunction"), nullptr);

  wchar_t loadedFrom[MAX_PATH];
  wchar_t systemFolder[MAX_PATH];
  HMODULE module = GetModuleHandleW(L"mpr.dll");
  ASSERT_NE(module, nullptr);
  ASSERT_GT(GetModuleFileNameW(module, loadedFrom, MAX_PATH), 0u);
  const UINT length = GetSystemDirectoryW(systemFolder, MAX_PATH);
  EXPECT_EQ(CompareStringOrdinal(loadedFrom, static_cast<int>(length), systemFolder,
                                 static_cast<int>(length), TRUE),
            CSTR_EQUAL);
}

TEST(SystemLibraryTest, AMissingLibraryOffersNoFunctions) {
  SystemLibrary missing(L"no-such-library-here.dll");
  EXPECT_FALSE(missing.loaded());
  using Anything = void(WINAPI*)();
  EXPECT_EQ(missing.function<Anything>("Anything"), nullptr);
}

TEST(SystemLibraryTest, TheRestrictedSearchStillFindsSystemLibrariesByName) {
  restrictLibrarySearch();
  const HMODULE module = LoadLibraryW(L"version.dll");
  EXPECT_NE(module, nullptr);
  if (module != nullptr) FreeLibrary(module);
}

}  // namespace
}  // namespace tarnsel::platform::win32
