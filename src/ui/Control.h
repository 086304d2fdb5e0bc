// A child control of a form: its place in the layout, colours, font and cursor,
// and the creation of its window inside its parent's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "screen/Layout.h"
#include "ui/ScreenValues.h"
#include "ui/Window.h"

namespace tarnsel::ui {

class Form;

// Names a control's own class, for a form to check the class of a control it
// binds (the programs are built without run-time type information).
using ClassId = const void*;
template <typename T>
inline constexpr char kClassIdTag = 0;
template <typename T>
constexpr ClassId ClassIdOf() {
  return &kClassIdTag<T>;
}

class Control : public Window {
 public:
  Control(Form& form, std::string name);
  Control* asControl() override { return this; }
  // The class a form may bind this control as; none unless the class says so.
  virtual ClassId classId() const { return nullptr; }
  const std::string& name() const { return name_; }
  screen::LayoutNode& layout() { return layout_; }

  void setParentControl(Control* parent);
  Control* parentControl() const { return parent_; }
  const std::vector<Control*>& children() const { return children_; }

  screen::TColor color = screen::clBtnFace;
  screen::TColor fontColor = screen::clWindowText;
  int fontHeight = -12;
  screen::TCursor cursor = screen::TCursor::crDefault;
  int tabOrder = -1;  // -1: takes no focus
  bool visible = true;

  // Creates this control's window and then its children's, in tab order.
  void createHandles();
  // Moves the window (and the children's) to the layout's bounds.
  void applyBounds();
  // Whether Tab can bring the focus here now: the window exists, is a tab stop,
  // and is visible and enabled.
  bool takesFocus() const;

  // A control that hosts windows it does not own (the browser's page) is
  // offered the keyboard messages typed inside them before the form's own
  // keyboard handling; true when it used the message.
  virtual bool translateKey(MSG&) { return false; }
  // Whether Enter typed while the focus is inside this control is the
  // control's own, never the default button's.
  virtual bool keepsEnter() const { return false; }

  HFONT font() const;
  Form& form() const { return form_; }

  // A control without a window of its own is painted and fed mouse input by its
  // parent (points in the parent's client coordinates).
  virtual bool windowless() const { return false; }
  virtual void paintWindowless(HDC) {}
  virtual void mouseDown(POINT) {}
  virtual void mouseMove(POINT) {}
  virtual void mouseUp(POINT) {}

 protected:
  virtual void createWindow(HWND parent, const RECT& bounds) = 0;
  HWND parentHandle() const;
  RECT boundsRect() const;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Paints the visible children without a window of their own, over this
  // control's client area: the end of the paint() of a control that holds them.
  void paintWindowlessChildren(HDC dc);
  // The colours for a system control's WM_CTLCOLORxxx.
  LRESULT controlColors(HDC dc);

 private:
  Form& form_;
  std::string name_;
  screen::LayoutNode layout_;
  Control* parent_ = nullptr;  // not owned
  std::vector<Control*> children_;
};

}  // namespace tarnsel::ui
