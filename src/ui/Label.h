// TLabel: opaque text in its own colour that sizes itself to its text.
#pragma once

#include "ui/Control.h"

namespace tarnsel::ui {

class TLabel : public Control {
 public:
  ClassId classId() const override { return ClassIdOf<TLabel>(); }
  TLabel(Form& form, std::string name) : Control(form, std::move(name)) {}
  std::string caption;  // UTF-8

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool paintsItself() const override { return true; }
  void paint(HDC dc) override;

 private:
  void fitToText();
};

}  // namespace tarnsel::ui
