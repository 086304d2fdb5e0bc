// A form with an outline on a small fixed tree, for the end-to-end script. After
// each message it handles, the demo puts the outline's state into the outline
// window's text, where the script reads it:
//   rows=Programs|.Tarnsel|Music;sel=Programs\Tarnsel;row=1;top=0;height=14;at=12,12;bars=v
// (dots: depth below the top level; at: the outline's client origin in the form's
// client area; bars: v vertical, h horizontal). Notifications go to standard output.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/win32/OutlineGridView.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Text.h"

namespace {

using tarnsel::controls::TCustomOutline;
using tarnsel::controls::TOutlineNode;
using OutlineControl = tarnsel::controls::win32::OutlineGridViewOf<TCustomOutline>;

// Leading dots give the depth below the top level.
const char* const kTree[] = {
    "Programs",   ".Tarnsel",    "..Data",
    "...Bitmaps", "....Buttons", ".....Pictures of the deepest folder",
    ".Tools",     "Documents",   ".Letters",
    ".Notes",     "Music",
};

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

bool HasRow(const TOutlineNode& node) {
  for (const TOutlineNode* parent = node.Parent(); parent != nullptr; parent = parent->Parent()) {
    if (!parent->Expanded()) return false;
  }
  return true;
}

class OutlineDemo final : public tarnsel::ui::Form {
 public:
  OutlineDemo() {
    createForm("OutlineDemo", 40, 40, 240, 130);
    outline_ = &add<OutlineControl>(nullptr, "Outline1");
    outline_->layout().bounds = {10, 10, 220, 110};
    outline_->tabOrder = 0;
    TCustomOutline& model = outline_->model();
    std::vector<int> parents;
    for (const std::string line : kTree) {
      const std::size_t depth = line.find_first_not_of('.');
      parents.resize(depth);
      parents.push_back(model.AppendChild(depth == 0 ? 0 : parents.back(), line.substr(depth)));
    }
    model.OnClick = [this] { Say("click " + selectedPath()); };
    model.OnDblClick = [] { Say("dblclick"); };
    model.OnExpand = [&model](int index) { Say("expand " + model.ItemAt(index).Text()); };
    model.OnCollapse = [&model](int index) { Say("collapse " + model.ItemAt(index).Text()); };
  }

  void publishState() {
    if (!outline_->hasHandle()) return;
    const std::wstring text = tarnsel::ui::FromAnsi(state());
    wchar_t shown[1024] = {};
    GetWindowTextW(outline_->handle(), shown, 1024);
    if (text != shown) SetWindowTextW(outline_->handle(), text.c_str());
  }

 private:
  std::string selectedPath() {
    TCustomOutline& model = outline_->model();
    return model.ItemCount() == 0 ? "" : model.ItemAt(model.SelectedIndex()).FullPath();
  }

  std::string state() {
    TCustomOutline& model = outline_->model();
    std::string rows;
    for (int index = 1; index <= model.ItemCount(); ++index) {
      const TOutlineNode& node = model.ItemAt(index);
      if (!HasRow(node)) continue;
      if (!rows.empty()) rows += '|';
      rows += std::string(node.Level() - 1, '.') + node.Text();
    }
    POINT origin = {0, 0};
    MapWindowPoints(outline_->handle(), handle(), &origin, 1);
    const LONG style = GetWindowLongW(outline_->handle(), GWL_STYLE);
    std::string bars;
    if (style & WS_VSCROLL) bars += 'v';
    if (style & WS_HSCROLL) bars += 'h';
    return "rows=" + rows + ";sel=" + selectedPath() + ";row=" + std::to_string(model.Row()) +
           ";top=" + std::to_string(outline_->topRow()) +
           ";height=" + std::to_string(model.ItemHeight()) + ";at=" + std::to_string(origin.x) +
           "," + std::to_string(origin.y) + ";bars=" + bars;
  }

  OutlineControl* outline_;
};

}  // namespace

int main() {
  tarnsel::ui::Application application;
  try {
    application.setTitle("OutlineDemo");
    OutlineDemo form;
    form.showAtStart(application.startupShowCommand());
    // The loop of Application::run, with the state published after each message.
    MSG message = {};
    while (!application.terminated() && application.processMessage(message)) form.publishState();
    return 0;
  } catch (const std::exception& error) {
    application.fatal(error);
  }
}
