// Hosts the system's web browser control inside a window: creation, in-place
// activation, navigation and teardown, through OLE only.
#pragma once

#include <windows.h>
// after windows.h
#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>

#include <string>

#include "platform/win32/ComPtr.h"

namespace tarnsel::platform::win32 {

// The site and frame object the control talks to; defined with the host.
class WebBrowserSite;

// The browser control of one pane. Created with the window object; activated
// once the pane's window exists; closed without saving when destroyed. Failures
// raise EOleError / EOleSysError. Needs COM initialised apartment-threaded on
// the calling thread for its whole life.
class WebBrowserHost {
 public:
  // Creates the control (any class implementing the OLE control interfaces
  // works; the default is the system's web browser) and becomes its client site.
  explicit WebBrowserHost(const CLSID& classId = CLSID_WebBrowser);
  ~WebBrowserHost();
  WebBrowserHost(const WebBrowserHost&) = delete;
  WebBrowserHost& operator=(const WebBrowserHost&) = delete;

  // Initialises the control's state and activates it in place inside `parent`,
  // occupying `bounds` (client coordinates of `parent`).
  void activate(HWND parent, const RECT& bounds);
  // The control's window once active, otherwise null. Owned by the control.
  HWND window() const { return window_; }
  // Moves and resizes the active control; before activation, only remembers.
  void setBounds(const RECT& bounds);
  // Starts loading `url`; returns without waiting for the page.
  void navigate(const std::wstring& url);
  // The OLEMISC_* status bits the control reports about itself (0 when it
  // reports none).
  DWORD miscStatus() const;
  // Gives the keyboard focus to the active control: activates its user
  // interface, so that it takes the focus inside its own windows, and sets the
  // focus on its window where it did not.
  void focus() noexcept;
  // Offers a keyboard message typed inside the control's windows to the active
  // control (Tab between the links of a page, Enter on a link); true when the
  // control used it, and the message is then not to be dispatched.
  bool translateKey(MSG& message) noexcept;

 private:
  void connectEvents();
  void release() noexcept;

  ComPtr<WebBrowserSite> site_;
  ComPtr<IOleObject> control_;
  ComPtr<IPersistStreamInit> persistence_;
  ComPtr<IOleInPlaceObject> inPlace_;
  ComPtr<IConnectionPoint> events_;
  DWORD eventsCookie_ = 0;
  bool initialised_ = false;
  HWND window_ = nullptr;  // not owned
};

}  // namespace tarnsel::platform::win32
