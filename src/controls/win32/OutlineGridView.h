// The window of a TCustomOutline (or of any model derived from it): a grid of our
// own with one row per visible item, a current row, key and mouse row selection,
// and vertical and horizontal scroll bars that show when the rows or the column
// do not fit. The model keeps the grid's numbers; this window shows them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "controls/Outline.h"
#include "ui/Control.h"

namespace tarnsel::controls::win32 {

class OutlineGridView : public ui::Control, public OutlineView, public OutlineServices {
 public:
  ui::ClassId classId() const override { return ui::ClassIdOf<OutlineGridView>(); }
  // Builds the model on the services of the view that will show it.
  using ModelFactory = std::function<std::unique_ptr<TCustomOutline>(OutlineServices&)>;

  OutlineGridView(ui::Form& form, std::string name, const ModelFactory& makeModel);

  TCustomOutline& outline() const { return *model_; }

  // A change of font: the model takes its row height and column width from it.
  void setFontHeight(int height);

  // The grid row shown at the top, and how many pixels of the column are
  // scrolled out on the left.
  int topRow() const { return topRow_; }
  int leftOffset() const { return leftOffset_; }

  // OutlineView
  void ensureWindow() override;
  int textWidth(const std::string& text) override;
  bool focused() override;
  int clientWidth() override;
  int pageRows() override;
  void rowCountChanged() override;
  void rowChanged(int previous) override;
  void colWidthChanged() override;
  void rowHeightChanged() override;
  void scrollBarsChanged() override;
  void repaint() override;
  void repaintRow(int row) override;
  void beep() override;

  // OutlineServices
  int fontPointSize() override;
  int pixelsPerInch() override;
  std::optional<screen::Bitmap> loadBitmap(const std::string& resourceName) override;

 protected:
  void createWindow(HWND parent, const RECT& bounds) override;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onDestroyed() override { model_->windowDestroyed(); }

 private:
  struct Extent {
    int width = 0;
    int height = 0;
  };

  Extent clientSize();
  int rowHeight() const;
  int rowAt(int x, int y) const;
  bool showsVerticalBar() const;
  bool showsHorizontalBar() const;
  void updateScrollBars();
  void clampScrollPositions();
  void scrollTo(int topRow, int leftOffset);
  void scrollIntoView(int row);

  bool paintsItself() const override { return true; }
  void paint(HDC dc) override;
  void drawRows(HDC dc, const RECT& client);
  void onSize();
  void onFocusChange();
  void onKeyDown(WPARAM key);
  void onChar(WPARAM character);
  void onMouseDown(int x, int y, bool doubleClick);
  void onMouseUp();
  void onVerticalScroll(int request);
  void onHorizontalScroll(int request);
  void onMouseWheel(int delta);

  std::unique_ptr<TCustomOutline> model_;
  int topRow_ = 0;
  int leftOffset_ = 0;
};

// The view of a model of type Model, built from the view's services followed by
// `args`: form.add<OutlineGridViewOf<TCustomOutline>>(parent, "Outline1").
template <typename Model>
class OutlineGridViewOf final : public OutlineGridView {
 public:
  template <typename... Args>
  OutlineGridViewOf(ui::Form& form, std::string name, Args&&... args)
      : OutlineGridView(form, std::move(name), [&](OutlineServices& services) {
          return std::make_unique<Model>(services, std::forward<Args>(args)...);
        }) {}

  Model& model() const { return static_cast<Model&>(outline()); }
};

}  // namespace tarnsel::controls::win32
