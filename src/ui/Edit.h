// TEdit: a one-line edit field in its own colours.
#pragma once

#include <string>

#include "screen/TextControl.h"
#include "ui/Control.h"

namespace tarnsel::ui {

class TEdit : public Control, public screen::TextControl {
 public:
  ClassId classId() const override { return ClassIdOf<TEdit>(); }
  TEdit(Form& form, std::string name) : Control(form, std::move(name)) {
    color = screen::clWindow;
    fontColor = screen::clBlack;
  }
  bool readOnly = false;

  // The text as ANSI bytes, the form in which paths travel.
  std::string text() const;
  void setText(const std::string& text) override;
  void selectAll() override;

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string text_;  // kept until the window exists
};

}  // namespace tarnsel::ui
