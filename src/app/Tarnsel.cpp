// The program's entry: the application object, the main window, the message loop.
#include <windows.h>

#include "platform/win32/StartupTrace.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Application.h"
#include "windows/TForm1.h"
#include "windows/TForm2.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TARNSEL_STARTUP_STAMP("entry");
  // Before anything loads a library: none may come from the program's own folder.
  tarnsel::platform::win32::restrictLibrarySearch();
  tarnsel::ui::Application application;
  TARNSEL_STARTUP_STAMP("application");
  tarnsel::platform::win32::Win32Platform system;
  std::unique_ptr<tarnsel::windows::TForm1> form1;
  std::unique_ptr<tarnsel::windows::TForm2> form2;
  try {
    application.setTitle("Tarnsel");
    form1 = std::make_unique<tarnsel::windows::TForm1>(system.platform());
    TARNSEL_STARTUP_STAMP("form1");
    // The picker is owned by the main window, whose top-level window exists by now.
    form2 = std::make_unique<tarnsel::windows::TForm2>(system.platform(), *form1);
    form1->setPicker(form2.get());
    TARNSEL_STARTUP_STAMP("form2");
    return application.run();
  } catch (const tarnsel::TarnselError& error) {
    application.fatal(error);
  } catch (const std::exception& error) {
    application.fatal(error);
  }
}
