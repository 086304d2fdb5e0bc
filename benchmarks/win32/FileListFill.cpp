// Filling the real file list window with a folder's files. A form holds one
// FileListBoxView on <folder>; the tool times the window's creation with its first
// fill, then <fills> reloads while the form is hidden and <fills> more, each
// followed by the window's repaint, once the form is shown. Prints "first <ms>",
// "hidden <ms>" and "shown <ms>" lines and "count <entries>".
//   filelistfill <folder> <fills>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "Stopwatch.h"
#include "controls/win32/FileListBoxView.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {

using tarnsel::bench::Stopwatch;
using tarnsel::controls::win32::FileListBoxView;

class FileListForm final : public tarnsel::ui::Form {
 public:
  explicit FileListForm(tarnsel::platform::Platform platform) {
    createForm("FileListFill", 40, 40, 320, 480);
    list_ = &add<FileListBoxView>(nullptr, "FileListBox1", platform);
    list_->layout().bounds = {8, 8, 304, 464};
    list_->tabOrder = 0;
  }

  // Creates the list's window, which lists the folder.
  double createList() {
    const Stopwatch stopwatch;
    list_->createHandles();
    return stopwatch.milliseconds();
  }

  double reload() {
    const Stopwatch stopwatch;
    list_->model().Reload();
    if (IsWindowVisible(handle())) UpdateWindow(list_->handle());
    return stopwatch.milliseconds();
  }

  int count() { return list_->model().count(); }

 private:
  FileListBoxView* list_ = nullptr;
};

void Report(const char* label, double milliseconds) {
  std::printf("%s %.1f\n", label, milliseconds);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: filelistfill <folder> <fills>\n");
    return 2;
  }
  const int fills = std::atoi(argv[2]);
  // The list takes its folder from the current directory when it is made.
  if (!SetCurrentDirectoryA(argv[1])) return 3;
  tarnsel::ui::Application application;
  tarnsel::platform::win32::Win32Platform system;
  try {
    application.setTitle("FileListFill");
    FileListForm form(system.platform());
    Report("first", form.createList());
    for (int fill = 0; fill < fills; ++fill) Report("hidden", form.reload());
    form.show();
    for (int fill = 0; fill < fills; ++fill) Report("shown", form.reload());
    std::printf("count %d\n", form.count());
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "filelistfill: %s\n", error.what());
    return 1;
  }
}
