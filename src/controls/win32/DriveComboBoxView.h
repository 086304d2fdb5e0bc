// The window of a TDriveComboBox: an owner-drawn drop-down list without typing
// that mirrors the model's entries and reports the user's pick back to it.
#pragma once

#include <windows.h>

#include "controls/DriveComboBox.h"
#include "platform/Platform.h"
#include "ui/Control.h"

namespace tarnsel::controls::win32 {

class DriveComboBoxView : public ui::Control, public DriveListView, public screen::ScreenServices {
 public:
  ui::ClassId classId() const override { return ui::ClassIdOf<DriveComboBoxView>(); }
  DriveComboBoxView(ui::Form& form, std::string name, platform::Platform platform);
  TDriveComboBox& model() { return model_; }

  // A change of font: the item height is fitted to it, which re-creates the window.
  void setFontHeight(int height);

  // DriveListView
  void entriesCleared() override;
  void entryAdded(int index) override;
  void selectionChanged(int index) override;
  void recreateWindow() override;

  // ScreenServices
  screen::TCursor screenCursor() override;
  void setScreenCursor(screen::TCursor cursor) override;
  int fontLineHeight() override;

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onDestroyed() override { model_.windowDestroyed(); }

 private:
  void applyItemHeight();
  void fitDroppedHeight();
  void drawItem(const DRAWITEMSTRUCT& item);

  TDriveComboBox model_;
};

}  // namespace tarnsel::controls::win32
