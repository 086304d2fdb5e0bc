#include "windows/TForm1.h"

#include "platform/win32/StartupTrace.h"
#include "windows/TForm2.h"

namespace tarnsel::windows {

using controls::win32::FileListBoxView;

TForm1::TForm1(platform::Platform platform) : platform_(platform), unit_(platform, *this) {
  const ui::StoredForm& stored = Form1Layout();
  createForm(stored.caption, stored.left, stored.top, stored.clientWidth, stored.clientHeight);
  TARNSEL_STARTUP_STAMP("form1window");
  static constexpr ui::NamedHandler handlers[] = {
      {"FormShow", [](ui::Form& form) { static_cast<TForm1&>(form).FormShow(); }},
      {"FormResize", [](ui::Form& form) { static_cast<TForm1&>(form).FormResize(); }},
      {"BitBtn1Click", [](ui::Form& form) { static_cast<TForm1&>(form).BitBtn1Click(); }},
      {"BitBtn2Click", [](ui::Form& form) { static_cast<TForm1&>(form).BitBtn2Click(); }},
      {"SpeedButton1Click", [](ui::Form& form) { static_cast<TForm1&>(form).SpeedButton1Click(); }},
  };
  static constexpr ui::NamedFactory factories[] = {
      {"TFileListBox",
       [](ui::Form& form, ui::Control* parent, const ui::StoredComponent& c) -> ui::Control* {
         auto& list =
             form.add<FileListBoxView>(parent, c.name, static_cast<TForm1&>(form).platform_);
         list.model().setMask(c.mask);
         if (c.listFolders) {
           list.model().setFileType(
               {controls::TFileAttr::ftDirectory, controls::TFileAttr::ftNormal});
         }
         if (c.itemHeight > 0) list.model().setItemHeight(c.itemHeight);
         return &list;
       }},
      {"TWebBrowser",
       [](ui::Form& form, ui::Control* parent, const ui::StoredComponent& c) -> ui::Control* {
         return &form.add<ui::TWebBrowser>(parent, c.name);
       }},
  };
  ui::BuildComponents(*this, stored, handlers, factories);
  TARNSEL_STARTUP_STAMP("form1components");
  Edit1 = bind<ui::TEdit>("Edit1");
  Edit2 = bind<ui::TEdit>("Edit2");
  FileListBox1 = bind<FileListBoxView>("FileListBox1");
  FileListBox2 = bind<FileListBoxView>("FileListBox2");
  Panel2 = bind<ui::TPanel>("Panel2");
  WebBrowser1 = bind<ui::TWebBrowser>("WebBrowser1");
  BitBtn1 = bind<ui::TBitBtn>("BitBtn1");
  defaultButtonClick = [this] { BitBtn1->click(); };
  scaleForDisplay(stored.textHeight);
}

void TForm1::SpeedButton1Click() {
  if (!picker_) return;
  if (picker_->showModal() == ui::mrOk) setEdit1Text(picker_->pathText());
}

std::string TForm1::edit1Text() { return Edit1->text(); }
void TForm1::setEdit1Text(const std::string& text) { Edit1->setText(text); }
std::string TForm1::edit2Text() { return Edit2->text(); }
void TForm1::setEdit2Text(const std::string& text) { Edit2->setText(text); }

controls::TFileListBox& TForm1::fileListBox1() { return FileListBox1->model(); }
controls::TFileListBox& TForm1::fileListBox2() { return FileListBox2->model(); }

int TForm1::panel2Height() { return Panel2->layout().bounds.height; }
void TForm1::setClientHeight(int height) { Form::setClientHeight(height); }

void TForm1::navigateIntroPane(const std::string& url) { WebBrowser1->Navigate(url); }

void TForm1::showAndBringToFront() {
  show();
  bringToFront();
}

void TForm1::setWindowStateNormal() { setWindowState(screen::TWindowState::wsNormal); }

platform::WindowHandle TForm1::dialogOwner() {
  return reinterpret_cast<platform::WindowHandle>(Form::handle());
}

}  // namespace tarnsel::windows
