// The folder picker: a drive list, the folder tree of the chosen drive and a path
// field, shown modally by the main window's browse button.
#pragma once

#include "controls/DirectoryOutline.h"
#include "controls/win32/DriveComboBoxView.h"
#include "controls/win32/OutlineGridView.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/StoredLayout.h"

namespace tarnsel::windows {

// The folder picker's stored layout.
const ui::StoredForm& Form2Layout();

class TForm2 final : public ui::Form {
 public:
  // Builds the picker hidden, owned by the main window `owner` (one taskbar
  // button, kept above it); the tree is built at once for the current directory.
  TForm2(platform::Platform platform, const ui::Form& owner);

  // Handlers bound by name from the stored layout.
  void BitBtn1Click() { modalResult = ui::mrOk; }
  void BitBtn2Click() { modalResult = ui::mrCancel; }
  void DirectoryOutline1Change();
  void DriveComboBox1Change();

  // The path field's text as ANSI bytes.
  std::string pathText();

  controls::TDirectoryOutline& tree();
  controls::TDriveComboBox& driveList();

 private:
  platform::Platform platform_;
  // The controls the handlers use, bound once the stored layout is built; owned
  // by the form.
  controls::win32::DriveComboBoxView* DriveComboBox1 = nullptr;
  controls::win32::OutlineGridView* DirectoryOutline1 = nullptr;
  ui::TEdit* Edit1 = nullptr;
  ui::TBitBtn* BitBtn1 = nullptr;
};

}  // namespace tarnsel::windows
