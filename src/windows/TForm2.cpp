#include "windows/TForm2.h"

namespace tarnsel::windows {

using controls::TDirectoryOutline;
using controls::win32::DriveComboBoxView;
using controls::win32::OutlineGridView;

namespace {
// The tree's "Data" byte: the leaf picture slot is user-set.
constexpr std::uint8_t kStoredPictures = 16;
}  // namespace

TForm2::TForm2(platform::Platform platform, const ui::Form& owner) : platform_(platform) {
  const ui::StoredForm& stored = Form2Layout();
  createForm(stored.caption, stored.left, stored.top, stored.clientWidth, stored.clientHeight,
             stored.outerSize, owner.handle());
  static constexpr ui::NamedHandler handlers[] = {
      {"BitBtn1Click", [](ui::Form& form) { static_cast<TForm2&>(form).BitBtn1Click(); }},
      {"BitBtn2Click", [](ui::Form& form) { static_cast<TForm2&>(form).BitBtn2Click(); }},
      {"DirectoryOutline1Change",
       [](ui::Form& form) { static_cast<TForm2&>(form).DirectoryOutline1Change(); }},
      {"DriveComboBox1Change",
       [](ui::Form& form) { static_cast<TForm2&>(form).DriveComboBox1Change(); }},
  };
  static constexpr ui::NamedFactory factories[] = {
      {"TDriveComboBox",
       [](ui::Form& form, ui::Control* parent, const ui::StoredComponent& c) -> ui::Control* {
         return &form.add<DriveComboBoxView>(parent, c.name, static_cast<TForm2&>(form).platform_);
       }},
      {"TDirectoryOutline",
       [](ui::Form& form, ui::Control* parent, const ui::StoredComponent& c) -> ui::Control* {
         const platform::Platform platform = static_cast<TForm2&>(form).platform_;
         auto& view = form.add<OutlineGridView>(
             parent, c.name, [platform](controls::OutlineServices& services) {
               return std::make_unique<TDirectoryOutline>(services, platform);
             });
         auto& outline = static_cast<TDirectoryOutline&>(view.outline());
         outline.BeginLoading();
         outline.setItemHeight(c.itemHeight);
         outline.setOptions(controls::ooDrawFocusRect);
         outline.ReadData(kStoredPictures);
         return &view;
       }},
  };
  ui::BuildComponents(*this, stored, handlers, factories);
  DriveComboBox1 = bind<DriveComboBoxView>("DriveComboBox1");
  DirectoryOutline1 = bind<OutlineGridView>("DirectoryOutline1");
  Edit1 = bind<ui::TEdit>("Edit1");
  BitBtn1 = bind<ui::TBitBtn>("BitBtn1");
  // Bound only now that every control exists: the change handlers fill Edit1.
  driveList().OnChange = ui::Handler(handlers, stored.component("DriveComboBox1").onChange, *this);
  tree().OnChange = ui::Handler(handlers, stored.component("DirectoryOutline1").onChange, *this);
  defaultButtonClick = [this] { BitBtn1->click(); };
  scaleForDisplay(stored.textHeight);
  tree().LoadedOrDriveRoot();
}

TDirectoryOutline& TForm2::tree() {
  return static_cast<TDirectoryOutline&>(DirectoryOutline1->outline());
}

controls::TDriveComboBox& TForm2::driveList() { return DriveComboBox1->model(); }

void TForm2::DirectoryOutline1Change() { Edit1->setText(tree().Directory()); }

void TForm2::DriveComboBox1Change() {
  tree().setDrive(driveList().Drive());
  DirectoryOutline1->repaint();
}

std::string TForm2::pathText() { return Edit1->text(); }

}  // namespace tarnsel::windows
