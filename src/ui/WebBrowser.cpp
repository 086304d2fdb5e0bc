#include "ui/WebBrowser.h"

#include "screen/TabSequence.h"
#include "ui/Text.h"

namespace tarnsel::ui {

TWebBrowser::TWebBrowser(Form& form, std::string name)
    : Control(form, std::move(name)), host_(std::make_unique<platform::win32::WebBrowserHost>()) {}

void TWebBrowser::createWindow(HWND parent, const RECT& bounds) {
  const DWORD tabStop = screen::TakesTabStop(host_->miscStatus()) ? WS_TABSTOP : 0;
  createOwn(L"TarnselWebBrowser", {CS_DBLCLKS}, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | tabStop,
            WS_EX_CONTROLPARENT, L"", parent, bounds, 0);
  RECT client;
  GetClientRect(handle(), &client);
  host_->activate(handle(), client);
}

void TWebBrowser::Navigate(const std::string& url) { host_->navigate(FromAnsi(url)); }

bool TWebBrowser::translateKey(MSG& message) { return host_->translateKey(message); }

LRESULT TWebBrowser::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      const RECT bounds = {0, 0, LOWORD(lParam), HIWORD(lParam)};
      host_->setBounds(bounds);
      return 0;
    }
    case WM_SETFOCUS:
      // The focus belongs inside the control's own windows.
      host_->focus();
      return 0;
    default:
      return Control::handleMessage(message, wParam, lParam);
  }
}

}  // namespace tarnsel::ui
