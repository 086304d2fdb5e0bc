// The yardstick for start-up time: a program that only shows a window, linked
// against the same system libraries as the launcher, so that the loader maps and
// initialises the same DLLs before the first instruction of either.
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

namespace {

// Referenced, never called: each entry only makes the linker import its DLL.
[[gnu::used]] const void* const kSameImportsAsTheLauncher[] = {
    reinterpret_cast<const void*>(&CreateFontIndirectW),         // gdi32
    reinterpret_cast<const void*>(&ShellExecuteA),               // shell32
    reinterpret_cast<const void*>(&SHGetSpecialFolderLocation),  // shell32
    reinterpret_cast<const void*>(&CoInitializeEx),              // ole32
    reinterpret_cast<const void*>(&SysAllocStringLen),           // oleaut32
};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"Minimal";
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"Minimal", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 676, 645, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
