// Push buttons of the forms. TBitBtn: an owner-drawn button with a glyph and a
// caption whose kind gives its caption, default flag and modal result.
// TSpeedButton: a button without a window of its own, drawn and driven by its
// parent; it takes no focus.
#pragma once

#include <functional>

#include "ui/Control.h"
#include "ui/ModalResult.h"

namespace tarnsel::ui {

enum class TBitBtnKind { bkCustom, bkOK, bkAbort };

class TBitBtn : public Control {
 public:
  ClassId classId() const override { return ClassIdOf<TBitBtn>(); }
  TBitBtn(Form& form, std::string name) : Control(form, std::move(name)) {}
  std::string caption;  // UTF-8; a stored empty caption takes the kind's
  std::function<void()> OnClick;

  // Applies a kind: caption (unless one is stored), default flag, modal result, glyph.
  void setKind(TBitBtnKind kind);
  TBitBtnKind kind() const { return kind_; }
  bool isDefault() const { return default_; }
  TModalResult modalResult() const { return modalResult_; }
  // Hands the modal result to the window, then runs the click handler.
  void click();

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void draw(const DRAWITEMSTRUCT& item);

  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
  bool default_ = false;
  TModalResult modalResult_ = mrNone;
};

class TSpeedButton : public Control {
 public:
  ClassId classId() const override { return ClassIdOf<TSpeedButton>(); }
  TSpeedButton(Form& form, std::string name) : Control(form, std::move(name)) {}
  std::string caption;
  std::function<void()> OnClick;

  bool windowless() const override { return true; }
  void paintWindowless(HDC dc) override;
  // Mouse input from the parent, in the parent's client coordinates.
  void mouseDown(POINT point) override;
  void mouseMove(POINT point) override;
  void mouseUp(POINT point) override;

 protected:
  void createWindow(HWND, const RECT&) override {}

 private:
  bool contains(POINT point) const;
  void invalidate();

  bool tracking_ = false;
  bool down_ = false;
};

}  // namespace tarnsel::ui
