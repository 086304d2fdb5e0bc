// Test helper for the end-to-end scripts: tells what icons an executable offers the
// shell, one fact a line.
//   icontool file <exe>     "count <n>", "group <id> <width>...", "large <w>x<h> <corner>",
//                           "small <w>x<h> <corner>"
// <corner> is "clear" when the icon leaves its top-left pixel transparent, else "opaque".
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "ToolHandles.h"
#include "ui/Gdi.h"

namespace {

using tarnsel::test_tools::Icon;
using tarnsel::test_tools::LoadedModule;
namespace gdi = tarnsel::ui;

// The icon's size and whether its top-left pixel shows what lies beneath: drawn
// on two backgrounds, a transparent pixel takes each background's colour.
std::string Describe(HICON icon) {
  if (icon == nullptr) return "none";
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return "unreadable";
  const gdi::Bitmap maskBitmap(info.hbmMask);
  const gdi::Bitmap colourBitmap(info.hbmColor);
  BITMAP mask = {};
  GetObjectW(maskBitmap.get(), sizeof mask, &mask);
  const int width = mask.bmWidth;
  // Without a colour bitmap the mask holds the AND and XOR halves stacked.
  const int height = colourBitmap ? mask.bmHeight : mask.bmHeight / 2;

  const gdi::WindowDC screen(nullptr);
  const gdi::MemoryDC memory(screen.get());
  const gdi::Bitmap canvas(CreateCompatibleBitmap(screen.get(), width, height));
  const gdi::SelectedObject selected(memory.get(), canvas.get());
  bool clear = true;
  for (COLORREF background : {RGB(255, 0, 255), RGB(0, 0, 0)}) {
    const gdi::Brush brush(CreateSolidBrush(background));
    RECT all = {0, 0, width, height};
    FillRect(memory.get(), &all, brush.get());
    DrawIconEx(memory.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    clear = clear && GetPixel(memory.get(), 0, 0) == background;
  }
  return std::to_string(width) + "x" + std::to_string(height) + (clear ? " clear" : " opaque");
}

BOOL CALLBACK FirstGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
  *reinterpret_cast<LPWSTR*>(found) = name;
  return FALSE;
}

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The first icon group in the file's resources (the one the shell shows) and the
// widths of its images.
void PrintFirstGroup(const wchar_t* exe) {
  const LoadedModule module(LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) return;
  const HMODULE file = module.get();  // not owned
  LPWSTR name = nullptr;
  EnumResourceNamesW(file, RT_GROUP_ICON, FirstGroup, reinterpret_cast<LONG_PTR>(&name));
  HRSRC group = name ? FindResourceW(file, name, RT_GROUP_ICON) : nullptr;
  const auto* data =
      group ? static_cast<const BYTE*>(LockResource(LoadResource(file, group))) : nullptr;
  if (data != nullptr) {
    if (IS_INTRESOURCE(name)) {
      std::printf("group %u", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    } else {
      std::printf("group named");
    }
    const WORD count = reinterpret_cast<const WORD*>(data)[2];
    const auto* entries = reinterpret_cast<const GroupEntry*>(data + 6);
    for (WORD i = 0; i < count; ++i) std::printf(" %d", entries[i].width ? entries[i].width : 256);
    std::printf("\n");
  }
}

int File(const wchar_t* exe) {
  std::printf("count %u\n", ExtractIconExW(exe, -1, nullptr, nullptr, 0));
  PrintFirstGroup(exe);
  Icon large;
  Icon small;
  ExtractIconExW(exe, 0, large.receive(), small.receive(), 1);
  std::printf("large %s\nsmall %s\n", Describe(large.get()).c_str(), Describe(small.get()).c_str());
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"file") == 0) return File(argv[2]);
  std::fprintf(stderr, "usage: icontool file <exe>\n");
  return 2;
}
