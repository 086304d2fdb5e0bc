// A top-level window holding a tree of controls built from a stored layout.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "screen/StartupShow.h"
#include "ui/Control.h"
#include "ui/Gdi.h"
#include "ui/ModalResult.h"

namespace tarnsel::ui {

enum class TPosition { poDesigned, poDesktopCenter };

class Form : public Window {
 public:
  Form* asForm() override { return this; }
  ~Form() override;

  // Adds a control under `parent` (nullptr: the form itself); the form owns it.
  template <typename T, typename... Args>
  T& add(Control* parent, Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& result = *control;
    result.setParentControl(parent);
    if (!parent) topLevel_.push_back(&result);
    controls_.push_back(std::move(control));
    return result;
  }

  Control* find(const std::string& name) const;
  screen::LayoutNode& clientLayout() { return client_; }

  screen::TColor color = screen::clBtnFace;
  TModalResult modalResult = mrNone;
  TPosition position = TPosition::poDesigned;
  std::function<void()> OnShow;
  std::function<void()> OnResize;

  // The first show for the process's start-up show command: child windows, the
  // show handler, placement, then visible (started minimised: a taskbar button
  // until the user restores the window).
  void showAtStart(int startupShowCommand);
  void show();
  void bringToFront();
  void setWindowState(screen::TWindowState state);
  void close();
  bool shown() const { return shownOnce_; }

  // Shows the form modally: the program's other windows are disabled and
  // messages are processed until the modal result is not mrNone, which is returned.
  TModalResult showModal();
  bool modal() const { return modal_; }

  int clientWidth() const;
  int clientHeight() const;
  void setClientHeight(int height);

  // Keyboard navigation for a message bound for this form; true when handled.
  bool preTranslate(MSG& message);

  // The controls that Tab moves the focus through, in order.
  std::vector<Control*> tabSequence() const;
  // The innermost control of this form whose window is `window` or holds it.
  Control* controlHolding(HWND window) const;

  // The default button, clicked by Enter outside buttons.
  std::function<void()> defaultButtonClick;

  HFONT fontFor(int height);
  HBRUSH brushFor(screen::TColor color);

 protected:
  // Creates the top-level window with client size `width` × `height` (or, with
  // `outerSize`, with that outer size), owned by `owner` when given.
  void createForm(const std::string& caption, int left, int top, int width, int height,
                  bool outerSize = false, HWND owner = nullptr);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool paintsItself() const override { return true; }
  void paint(HDC dc) override;
  // The control named `name` as a `T` (its own class, or any control as a
  // `Control`), for a form to keep in a typed member once its layout is built; a
  // missing control or one of another class is an error that names the control.
  template <typename T>
  T* bind(const char* name) const {
    return static_cast<T*>(
        bindControl(name, std::is_same_v<T, Control> ? nullptr : ClassIdOf<T>()));
  }
  // Scales positions and sizes when the form font's height differs from the
  // designed one.
  void scaleForDisplay(int designedTextHeight);

 private:
  // The control named `name` of class `classId` (any control for none); throws
  // when there is no such control.
  Control* bindControl(const char* name, ClassId classId) const;
  void createChildren();
  void runFirstShow(screen::TWindowState state);
  // The state a hidden form comes back in: maximised stays, minimised restores.
  screen::TWindowState hiddenState() const;
  // Moves the focus to the next control of the tab sequence after the one that
  // holds `focus` (backward: the previous one).
  void focusNextControl(HWND focus, bool backward);
  // Remembers the focus when the form is deactivated and gives it back when the
  // form is activated again; false leaves the activation to the default handling.
  bool onActivate(bool active, bool minimized);
  void realign();
  void placeAtDesktopCenter();

  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> topLevel_;
  screen::LayoutNode client_;
  // The fonts and brushes made so far, by height and by colour (a form uses a few).
  std::vector<std::pair<int, Font>> fonts_;
  std::vector<std::pair<screen::TColor, Brush>> brushes_;
  bool childrenCreated_ = false;
  bool shownOnce_ = false;
  bool showing_ = false;  // the first show is under way
  bool modal_ = false;
  bool showDeferred_ = false;  // started minimised: the first show waits for a restore
  screen::TWindowState pendingState_ =
      screen::TWindowState::wsNormal;  // the state the first show ends in
  bool focusedOnce_ = false;
  HWND focusWhenDeactivated_ = nullptr;  // not owned
};

}  // namespace tarnsel::ui
