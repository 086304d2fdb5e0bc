#include "windows/TForm1.h"

#include <stdexcept>

#include "platform/win32/StartupTrace.h"
#include "windows/TForm2.h"

namespace tarnsel::windows {

using controls::win32::FileListBoxView;

TForm1::TForm1(platform::Platform platform) : platform_(platform), unit_(platform, *this) {
  const ui::StoredForm& stored = Form1Layout();
  createForm(stored.caption, stored.left, stored.top, stored.clientWidth, stored.clientHeight);
  TARNSEL_STARTUP_STAMP("form1window");
  const ui::HandlerTable handlers = {
      {"FormShow", [this] { FormShow(); }},
      {"FormResize", [this] { FormResize(); }},
      {"BitBtn1Click", [this] { BitBtn1Click(); }},
      {"BitBtn2Click", [this] { BitBtn2Click(); }},
      {"SpeedButton1Click", [this] { SpeedButton1Click(); }},
  };
  const std::map<std::string, ui::ComponentFactory> factories = {
      {"TFileListBox",
       [this](ui::Form& form, ui::Control* parent, const ui::StoredComponent& c) -> ui::Control* {
         auto& list = form.add<FileListBoxView>(parent, c.name, platform_);
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
  auto& okButton = component<ui::TBitBtn>("BitBtn1");
  defaultButtonClick = [&okButton] { okButton.click(); };
  scaleForDisplay(stored.textHeight);
}

template <typename T>
T& TForm1::component(const char* name) {
  T* control = dynamic_cast<T*>(find(name));
  if (!control) throw std::logic_error(std::string("no component ") + name);
  return *control;
}

void TForm1::SpeedButton1Click() {
  if (!picker_) return;
  if (picker_->showModal() == ui::mrOk) setEdit1Text(picker_->pathText());
}

std::string TForm1::edit1Text() { return component<ui::TEdit>("Edit1").text(); }
void TForm1::setEdit1Text(const std::string& text) { component<ui::TEdit>("Edit1").setText(text); }
std::string TForm1::edit2Text() { return component<ui::TEdit>("Edit2").text(); }
void TForm1::setEdit2Text(const std::string& text) { component<ui::TEdit>("Edit2").setText(text); }

controls::TFileListBox& TForm1::fileListBox1() {
  return component<FileListBoxView>("FileListBox1").model();
}
controls::TFileListBox& TForm1::fileListBox2() {
  return component<FileListBoxView>("FileListBox2").model();
}

int TForm1::panel2Height() { return component<ui::TPanel>("Panel2").layout().bounds.height; }
void TForm1::setClientHeight(int height) { Form::setClientHeight(height); }

void TForm1::navigateIntroPane(const std::string& url) {
  component<ui::TWebBrowser>("WebBrowser1").Navigate(url);
}

void TForm1::showAndBringToFront() {
  show();
  bringToFront();
}

void TForm1::setWindowStateNormal() { setWindowState(screen::TWindowState::wsNormal); }

platform::WindowHandle TForm1::handle() {
  return reinterpret_cast<platform::WindowHandle>(Form::handle());
}

}  // namespace tarnsel::windows
