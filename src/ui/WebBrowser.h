// TWebBrowser: a plain child window that hosts the system's web browser control.
// The control object is created with the form; it is activated inside this
// window when the window is created, and fills it. The focus given to this
// window passes into the control, and keys typed in the page are the page's.
#pragma once

#include <memory>
#include <string>

#include "platform/win32/WebBrowserHost.h"
#include "ui/Control.h"

namespace tarnsel::ui {

class TWebBrowser : public Control {
 public:
  ClassId classId() const override { return ClassIdOf<TWebBrowser>(); }
  TWebBrowser(Form& form, std::string name);
  // Navigates to an address given as ANSI bytes, handed to the control as UTF-16.
  void Navigate(const std::string& url);

  bool translateKey(MSG& message) override;
  bool keepsEnter() const override { return true; }

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::unique_ptr<platform::win32::WebBrowserHost> host_;
};

}  // namespace tarnsel::ui
