// The window of a TFileListBox: an owner-drawn list box that mirrors the model's
// entries and reports the user's selection back to it.
#pragma once

#include "controls/FileListBox.h"
#include "platform/Platform.h"
#include "ui/Control.h"

namespace tarnsel::controls::win32 {

class FileListBoxView : public ui::Control, public FileListView, public screen::ScreenServices {
 public:
  ui::ClassId classId() const override { return ui::ClassIdOf<FileListBoxView>(); }
  FileListBoxView(ui::Form& form, std::string name, platform::Platform platform);
  TFileListBox& model() { return model_; }

  // FileListView
  void ensureWindow() override;
  void entriesCleared() override;
  void entryInserted(int index) override;
  void selectionChanged(int index) override;
  void itemHeightChanged(int height) override;
  void repaint() override;
  void listingStarted() override;
  void listingEnded() override;

  // ScreenServices
  screen::TCursor screenCursor() override;
  void setScreenCursor(screen::TCursor cursor) override;
  int fontLineHeight() override;

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onDestroyed() override { model_.windowDestroyed(); }

 private:
  void drawItem(const DRAWITEMSTRUCT& item);

  TFileListBox model_;
  bool redrawHeld_ = false;  // repaints are held back while a listing runs
};

}  // namespace tarnsel::controls::win32
