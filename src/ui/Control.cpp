#include "ui/Control.h"

#include "screen/TabSequence.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

namespace tarnsel::ui {

Control::Control(Form& form, std::string name) : form_(form), name_(std::move(name)) {
  layout_.name = name_;
}

void Control::setParentControl(Control* parent) {
  parent_ = parent;
  screen::LayoutNode& parentNode = parent ? parent->layout() : form_.clientLayout();
  parentNode.children.push_back(&layout_);
  if (parent) parent->children_.push_back(this);
}

HWND Control::parentHandle() const { return parent_ ? parent_->handle() : form_.handle(); }

RECT Control::boundsRect() const {
  const screen::Bounds& b = layout_.bounds;
  return {b.left, b.top, b.right(), b.bottom()};
}

HFONT Control::font() const { return form_.fontFor(fontHeight); }

void Control::createHandles() {
  if (!hasHandle()) {
    createWindow(parentHandle(), boundsRect());
    if (hasHandle()) SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  }
  // Windows are created in tab order, so that their z-order follows the tab
  // sequence as well.
  std::vector<Control*> ordered = children_;
  screen::SortByTabOrder(ordered);
  for (Control* child : ordered) child->createHandles();
}

bool Control::takesFocus() const {
  return hasHandle() && (GetWindowLongW(handle(), GWL_STYLE) & WS_TABSTOP) &&
         IsWindowVisible(handle()) && IsWindowEnabled(handle());
}

void Control::applyBounds() {
  if (windowless() && parent_ && parent_->hasHandle()) {
    InvalidateRect(parent_->handle(), nullptr, TRUE);
  }
  if (hasHandle()) {
    const screen::Bounds& b = layout_.bounds;
    SetWindowPos(handle(), nullptr, b.left, b.top, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (Control* child : children_) child->applyBounds();
}

LRESULT Control::controlColors(HDC dc) {
  SetTextColor(dc, ToColorRef(fontColor));
  SetBkColor(dc, ToColorRef(color));
  return reinterpret_cast<LRESULT>(form_.brushFor(color));
}

void Control::paintWindowlessChildren(HDC dc) {
  for (Control* child : children_) {
    if (child->windowless() && child->visible) child->paintWindowless(dc);
  }
}

LRESULT Control::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT &&
      reinterpret_cast<HWND>(wParam) == handle()) {
    SetCursor(LoadTCursor(cursor));
    return TRUE;
  }
  return defaultHandling(message, wParam, lParam);
}

}  // namespace tarnsel::ui
