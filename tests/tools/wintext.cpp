// Test helper for the end-to-end scripts: prints the visible top-level windows of
// the Wine desktop and the texts of their children, as UTF-8 lines (with the
// arguments "restore <title>", restores the minimised windows of that title
// instead, as a click on a taskbar button would; with "owner <title>", prints the
// caption of the owner of the visible window of that title, "(none)" for none;
// with "enabled <title>", prints "enabled" or "disabled" for it; with
// "raise <title>", puts it on top of the z-order as activating it would; with
// "focus <title>", prints the window that holds the keyboard focus in its thread,
// as one line: its class, its text and its ancestors' classes)
//   <window>\t<class>\t<text>              for a top-level window
//   \t<class>\t<text>\t<left>,<top>,<width>,<height>   for each child (client coordinates)
//   \t\t<entry>                          after a combo box, for each of its entries
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), text.size(), nullptr, 0, nullptr, nullptr);
  std::string result(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), text.size(), result.data(), length, nullptr,
                      nullptr);
  return result;
}

std::string TextOf(HWND window) {
  wchar_t text[1024] = {};
  // WM_GETTEXT reaches controls of other processes too.
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return Utf8(text);
}

// A list box has no window text: its first entry stands in for it.
std::string FirstEntryOf(HWND list) {
  LRESULT length = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, 0, 0, SMTO_ABORTIFHUNG, 2000,
                           reinterpret_cast<PDWORD_PTR>(&length)) ||
      length <= 0 || length >= 1024) {
    return {};
  }
  wchar_t text[1024] = {};
  SendMessageTimeoutW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  return Utf8(text);
}

// The entries of a combo box that keeps its strings, in list order.
std::vector<std::string> EntriesOf(HWND combo) {
  std::vector<std::string> entries;
  LRESULT count = 0;
  if (!SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000,
                           reinterpret_cast<PDWORD_PTR>(&count))) {
    return entries;
  }
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 2000,
                             reinterpret_cast<PDWORD_PTR>(&length)) ||
        length < 0 || length >= 1024) {
      entries.emplace_back();
      continue;
    }
    wchar_t text[1024] = {};
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    entries.push_back(Utf8(text));
  }
  return entries;
}

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Utf8(name);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent) {
  RECT bounds;
  GetWindowRect(child, &bounds);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&bounds), 2);
  const std::string className = ClassOf(child);
  const std::string text = className == "ListBox" ? FirstEntryOf(child) : TextOf(child);
  std::printf("\t%s\t%s\t%ld,%ld,%ld,%ld\n", className.c_str(), text.c_str(), bounds.left,
              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  if (className == "ComboBox") {
    for (const std::string& entry : EntriesOf(child)) std::printf("\t\t%s\n", entry.c_str());
  }
  return TRUE;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  if (!IsWindowVisible(window)) return TRUE;
  std::printf("%p\t%s\t%s%s\n", static_cast<void*>(window), ClassOf(window).c_str(),
              TextOf(window).c_str(), IsIconic(window) ? "\t(minimised)" : "");
  EnumChildWindows(window, PrintChild, reinterpret_cast<LPARAM>(window));
  return TRUE;
}

BOOL CALLBACK RestoreTitled(HWND window, LPARAM title) {
  if (IsIconic(window) && TextOf(window) == *reinterpret_cast<const std::string*>(title)) {
    ShowWindow(window, SW_RESTORE);
  }
  return TRUE;
}

struct TitledSearch {
  std::string title;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisibleTitled(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<TitledSearch*>(search);
  // A message box shares the form's title; the form is wanted.
  if (!IsWindowVisible(window) || ClassOf(window) == "#32770" || TextOf(window) != wanted.title) {
    return TRUE;
  }
  wanted.found = window;
  return FALSE;
}

// <class>\t<text>\t<parent class> < <grandparent class> < ... of the focus.
int PrintFocus(const std::string& title) {
  TitledSearch titled{title};
  EnumWindows(FindVisibleTitled, reinterpret_cast<LPARAM>(&titled));
  if (titled.found == nullptr) return 1;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(titled.found, nullptr), &info) ||
      info.hwndFocus == nullptr) {
    std::printf("(none)\n");
    return 0;
  }
  const std::string className = ClassOf(info.hwndFocus);
  std::printf(
      "%s\t%s\t", className.c_str(),
      (className == "ListBox" ? FirstEntryOf(info.hwndFocus) : TextOf(info.hwndFocus)).c_str());
  const char* separator = "";
  for (HWND up = GetParent(info.hwndFocus); up != nullptr; up = GetParent(up)) {
    std::printf("%s%s", separator, ClassOf(up).c_str());
    separator = " < ";
  }
  std::printf("\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "restore") {
    const std::string title = argv[2];
    EnumWindows(RestoreTitled, reinterpret_cast<LPARAM>(&title));
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "focus") return PrintFocus(argv[2]);
  const std::string query = argc == 3 ? argv[1] : "";
  if (query == "owner" || query == "enabled" || query == "raise") {
    TitledSearch search{argv[2]};
    EnumWindows(FindVisibleTitled, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    if (query == "raise") {
      SetWindowPos(search.found, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (query == "enabled") {
      std::printf("%s\n", IsWindowEnabled(search.found) ? "enabled" : "disabled");
    } else {
      HWND owner = GetWindow(search.found, GW_OWNER);
      std::printf("%s\n", owner ? TextOf(owner).c_str() : "(none)");
    }
    return 0;
  }
  EnumWindows(PrintTopLevel, 0);
  return 0;
}
