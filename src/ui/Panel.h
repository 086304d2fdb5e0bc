// TPanel: a coloured area with an optional raised one-pixel bevel, holding controls.
#pragma once

#include "ui/Control.h"

namespace tarnsel::ui {

class TPanel : public Control {
 public:
  ClassId classId() const override { return ClassIdOf<TPanel>(); }
  TPanel(Form& form, std::string name) : Control(form, std::move(name)) {}
  std::string caption;  // UTF-8, centred; always covered in this program's panels
  bool raisedBevel = true;

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool paintsItself() const override { return true; }
  void paint(HDC dc) override;

 private:
  // The windowless child under a point of the client area, or nullptr.
  Control* windowlessAt(POINT point) const;
  LRESULT mouse(UINT message, LPARAM lParam);

  Control* captured_ = nullptr;  // not owned: the windowless child the mouse went down on
};

}  // namespace tarnsel::ui
