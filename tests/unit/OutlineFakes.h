// Test doubles for the outline tree: the screen and resources, the grid window,
// a canvas that records what is drawn, and an outline that opens its protected
// helpers to the tests.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "controls/Outline.h"

namespace tarnsel::controls::outline_testing {

inline const char* const PictureNames[] = {"PLUS", "MINUS", "OPEN", "CLOSED", "LEAF"};

inline screen::Bitmap FilledBitmap(int width, int height, std::uint32_t colour) {
  return {width, height,
          std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), colour)};
}

// The fake resources fill picture n with colour n + 1, so a drawing can name it.
inline std::string NameOf(const screen::Bitmap& bitmap) {
  const std::uint32_t colour = bitmap.pixels.empty() ? 0 : bitmap.pixels.front();
  if (colour >= 1 && colour <= 5) return PictureNames[colour - 1];
  return std::to_string(bitmap.width) + "x" + std::to_string(bitmap.height);
}

class FakeServices : public OutlineServices {
 public:
  int fontPointSize() override { return 9; }
  int pixelsPerInch() override { return ppi; }
  std::optional<screen::Bitmap> loadBitmap(const std::string& name) override {
    loaded.push_back(name);
    for (std::uint32_t i = 0; i < 5; ++i) {
      if (name == PictureNames[i]) return FilledBitmap(14, 14, i + 1);
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

inline std::string ColourName(screen::TColor colour) {
  if (colour == screen::clWindow) return "window";
  if (colour == screen::clWindowText) return "windowtext";
  if (colour == screen::clHighlight) return "highlight";
  if (colour == screen::clHighlightText) return "highlighttext";
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(colour.rgb()));
  return hex;
}

inline std::string RectText(const screen::Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

class RecordingCanvas : public screen::Canvas {
 public:
  void fillRect(const screen::Rect& r) override {
    calls.push_back("fill " + RectText(r) + " " + ColourName(brush));
  }
  void drawPicture(screen::Picture, int, int) override { calls.push_back("resource picture"); }
  void textOut(int x, int y, const std::string& text) override {
    calls.push_back("textout " + std::to_string(x) + "," + std::to_string(y) + " " + text);
  }
  void drawTextLine(const screen::Rect& r, const std::string& text) override {
    calls.push_back("text " + RectText(r) + " " + text + " in " + ColourName(font));
  }
  screen::TColor brushColor() const override { return brush; }
  void setBrushColor(screen::TColor colour) override { brush = colour; }
  void setFontColor(screen::TColor colour) override { font = colour; }
  screen::Pen pen() const override { return currentPen; }
  void setPen(const screen::Pen& p) override { currentPen = p; }
  int textWidth(const std::string& text) override { return 6 * static_cast<int>(text.size()); }
  int textHeight(const std::string&) override { return 12; }
  void drawLine(int fromX, int fromY, int toX, int toY) override {
    calls.push_back("line " + std::to_string(fromX) + "," + std::to_string(fromY) + "-" +
                    std::to_string(toX) + "," + std::to_string(toY) + " " +
                    ColourName(currentPen.color) + " " + std::to_string(currentPen.width));
  }
  void drawFocusRect(const screen::Rect& r) override { calls.push_back("focus " + RectText(r)); }
  void drawBitmap(const screen::Bitmap& bitmap, const screen::Rect& target,
                  screen::BitmapFit fit) override {
    calls.push_back("bitmap " + NameOf(bitmap) + " " + RectText(target) +
                    (fit == screen::BitmapFit::Stretch ? " stretched" : " part") + " on " +
                    ColourName(brush));
  }

  std::vector<std::string> calls;
  screen::TColor brush = screen::TColor::Rgb(1, 2, 3);  // the caller's, until the outline picks one
  screen::TColor font = screen::TColor::Rgb(4, 5, 6);
  screen::Pen currentPen{screen::TColor::Rgb(7, 8, 9), 3};
};

class TestOutline : public TCustomOutline {
 public:
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
