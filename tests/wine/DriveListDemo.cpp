// A form with a drive list on the machine's real drives, for the end-to-end
// script. It prints to standard output how long filling the list took and the
// drive that each OnChange reports, then runs until its window is closed.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "controls/win32/DriveComboBoxView.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {

using tarnsel::controls::win32::DriveComboBoxView;

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

class DriveListDemo final : public tarnsel::ui::Form {
 public:
  explicit DriveListDemo(tarnsel::platform::Platform platform) {
    createForm("DriveListDemo", 40, 40, 240, 120);
    auto& list = add<DriveComboBoxView>(nullptr, "DriveComboBox1", platform);
    list.layout().bounds = {8, 8, 220, 22};
    list.tabOrder = 0;
    list.model().OnChange = [&list] {
      std::printf("change %c\n", list.model().Drive() ? list.model().Drive() : '-');
      std::fflush(stdout);
    };

    // The first fill comes with the window; a second one runs on its own.
    auto start = std::chrono::steady_clock::now();
    list.createHandles();
    std::printf("window creation with fill: %.1f ms\n", MillisecondsSince(start));
    const char drive = list.model().Drive();
    start = std::chrono::steady_clock::now();
    list.model().FillDriveList();
    std::printf("FillDriveList: %.1f ms\n", MillisecondsSince(start));
    list.model().SelectDrive(drive);
    std::fflush(stdout);
  }
};

}  // namespace

int main() {
  tarnsel::ui::Application application;
  tarnsel::platform::win32::Win32Platform system;
  try {
    application.setTitle("DriveListDemo");
    DriveListDemo form(system.platform());
    return application.run();
  } catch (const std::exception& error) {
    application.fatal(error);
  }
}
