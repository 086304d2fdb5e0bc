// The main window: the intro pane above the setup panel, built from its stored
// layout, with the launcher's logic behind its handlers.
#pragma once

#include "controls/win32/FileListBoxView.h"
#include "launcher/Unit1.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/StoredLayout.h"
#include "ui/WebBrowser.h"

namespace tarnsel::windows {

class TForm2;

// The main window's stored layout.
const ui::StoredForm& Form1Layout();

class TForm1 final : public ui::Form, public launcher::MainWindow {
 public:
  explicit TForm1(platform::Platform platform);

  // Handlers bound by name from the stored layout.
  void FormShow() { unit_.FormShow(); }
  void FormResize() {}
  void BitBtn1Click() { unit_.BitBtn1Click(); }
  void BitBtn2Click() { unit_.BitBtn2Click(); }
  void SpeedButton1Click();

  launcher::Unit1& unit() { return unit_; }
  // The folder picker that the browse button shows; built right after this form.
  void setPicker(TForm2* picker) { picker_ = picker; }

  // launcher::MainWindow
  std::string edit1Text() override;
  void setEdit1Text(const std::string& text) override;
  std::string edit2Text() override;
  void setEdit2Text(const std::string& text) override;
  controls::TFileListBox& fileListBox1() override;
  controls::TFileListBox& fileListBox2() override;
  int panel2Height() override;
  void setClientHeight(int height) override;
  void navigateIntroPane(const std::string& url) override;
  void showAndBringToFront() override;
  void setWindowStateNormal() override;
  void close() override { Form::close(); }
  platform::WindowHandle dialogOwner() override;
  platform::WindowHandle applicationHandle() override { return dialogOwner(); }

 private:
  platform::Platform platform_;
  launcher::Unit1 unit_;
  TForm2* picker_ = nullptr;  // not owned
  // The controls the handlers use, bound once the stored layout is built; owned
  // by the form.
  ui::TEdit* Edit1 = nullptr;
  ui::TEdit* Edit2 = nullptr;
  controls::win32::FileListBoxView* FileListBox1 = nullptr;
  controls::win32::FileListBoxView* FileListBox2 = nullptr;
  ui::TPanel* Panel2 = nullptr;
  ui::TWebBrowser* WebBrowser1 = nullptr;
  ui::TBitBtn* BitBtn1 = nullptr;
};

}  // namespace tarnsel::windows
