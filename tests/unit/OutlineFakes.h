// Test doubles for the outline tree: the screen and resources, the grid window,
// and an outline that opens its protected helpers to the tests; the recording
// canvas and the named bitmaps come from the test-support library.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "controls/Outline.h"
#include "support/RecordingCanvas.h"
#include "support/TestBitmaps.h"

namespace tarnsel::controls::outline_testing {

using test_support::FilledBitmap;
using test_support::NameOf;
using test_support::OutlinePictureNames;
using test_support::RecordingCanvas;
using test_support::RectText;

class FakeServices : public OutlineServices {
 public:
  int fontPointSize() override { return 9; }
  int pixelsPerInch() override { return ppi; }
  std::optional<screen::Bitmap> loadBitmap(const std::string& name) override {
    loaded.push_back(name);
    for (std::uint32_t i = 0; i < 5; ++i) {
      if (name == OutlinePictureNames[i]) return FilledBitmap(14, 14, i + 1);
    }
    return std::nullopt;
  }
  int ppi = 96;
  std::vector<std::string> loaded;
};

class FakeView : public OutlineView {
 public:
  void ensureWindow() override {
    if (!outline->hasWindow()) outline->windowCreated();
  }
  int textWidth(const std::string& text) override { return 6 * static_cast<int>(text.size()); }
  bool focused() override { return hasFocus; }
  int clientWidth() override { return width; }
  int pageRows() override { return 3; }
  void rowCountChanged() override {
    // Scroll bars coming or going send the size message back at once.
    if (sizeMessages) outline->Resized();
  }
  void rowChanged(int) override {}
  void colWidthChanged() override {
    events.push_back("width " + std::to_string(outline->ColWidth()));
  }
  void rowHeightChanged() override {
    events.push_back("height " + std::to_string(outline->ItemHeight()));
  }
  void scrollBarsChanged() override {}
  void repaint() override { ++repaints; }
  void repaintRow(int row) override { repaintedRows.push_back(row); }
  void beep() override { ++beeps; }

  TCustomOutline* outline = nullptr;
  bool hasFocus = true;
  bool sizeMessages = false;
  int width = 100;
  std::vector<std::string> events;
  int repaints = 0;
  std::vector<int> repaintedRows;
  int beeps = 0;
};

class TestOutline : public TCustomOutline {
 public:
  using TCustomOutline::CachedItem;
  using TCustomOutline::FindByIndex;
  using TCustomOutline::RootNode;
  using TCustomOutline::RowOfNode;
  using TCustomOutline::SelectedNode;
  using TCustomOutline::TCustomOutline;
  using TCustomOutline::VisibleNodeAt;

  void windowCreated() override {
    TCustomOutline::windowCreated();
    ++windowCreations;
  }
  int windowCreations = 0;
};

// Adds items from lines whose leading dots give the depth below the top level:
// {"A", ".a1", "..x", "B"}.
inline void Build(TCustomOutline& outline, const std::vector<std::string>& lines) {
  std::vector<int> parents;
  for (const std::string& line : lines) {
    const std::size_t depth = line.find_first_not_of('.');
    parents.resize(depth);
    parents.push_back(outline.AppendChild(depth == 0 ? 0 : parents.back(), line.substr(depth)));
  }
}

// Every item in index order, dotted by depth: "A .a1 ..x B".
inline std::string Items(TCustomOutline& outline) {
  std::string items;
  for (int index = 1; index <= outline.ItemCount(); ++index) {
    TOutlineNode& node = outline.ItemAt(index);
    items += (index > 1 ? " " : "") + std::string(node.Level() - 1, '.') + node.Text();
  }
  return items;
}

// The texts of the grid's rows, top to bottom.
inline std::string Rows(TestOutline& outline) {
  std::string rows;
  for (int n = 1; n <= outline.RootNode().VisibleCount(); ++n) {
    rows += (n > 1 ? " " : "") + outline.VisibleNodeAt(outline.RootNode(), n).Text();
  }
  return rows;
}

}  // namespace tarnsel::controls::outline_testing
