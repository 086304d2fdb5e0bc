// TCustomOutline: row height from the font, the column width, the five pictures
// and the painting of one row in its six drawing styles.
#include "controls/Outline.h"

#include <algorithm>
#include <cstdint>

namespace tarnsel::controls {

namespace {

// a * b / c rounded half away from zero, computed wide; -1 for c = 0.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t numerator = std::int64_t{a} * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    numerator = -numerator;
    divisor = -divisor;
  }
  const std::int64_t rounded = numerator >= 0 ? (numerator + divisor / 2) / divisor
                                              : -((-numerator + divisor / 2) / divisor);
  return static_cast<int>(rounded);
}

bool IsTreeStyle(TOutlineDrawStyle style) {
  return style == TOutlineDrawStyle::dsLinesText || style == TOutlineDrawStyle::dsLinesIconText;
}

}  // namespace

// Row height and column width

void TCustomOutline::setRowHeight(int height) {
  if (height == rowHeight_) return;
  rowHeight_ = height;
  if (view_ != nullptr) view_->rowHeightChanged();
}

void TCustomOutline::setRowHeightFromFont() {
  fontPixelHeight_ = MulDiv(services_.fontPointSize(), services_.pixelsPerInch(), 72);
  setRowHeight(MulDiv(fontPixelHeight_, 120, 100));
}

void TCustomOutline::setItemHeight(int height) {
  // A standard outline's rows always follow its font.
  if (style_ == TOutlineType::otStandard) {
    setRowHeightFromFont();
    return;
  }
  setRowHeight(height);
  fontPixelHeight_ = MulDiv(height, 100, 120);
  repaint();
}

void TCustomOutline::setStyle(TOutlineType style) {
  if (style == style_) return;
  style_ = style;
  if (style_ == TOutlineType::otStandard) setRowHeightFromFont();
}

void TCustomOutline::setOptions(unsigned options) {
  options_ = options;
  repaint();
}

void TCustomOutline::setDrawStyle(TOutlineDrawStyle style) {
  if (style == drawStyle_) return;
  drawStyle_ = style;
  // While loading, the end of loading measures once everything is read.
  if (!loading_) UpdateColumnWidth();
  repaint();
}

void TCustomOutline::setControlColor(screen::TColor color) {
  color_ = color;
  repaint();
}

void TCustomOutline::setFontColor(screen::TColor color) {
  fontColor_ = color;
  repaint();
}

int TCustomOutline::DisplayWidth(const TOutlineNode& node) {
  return DisplayWidthAt(node, node.Level());
}

int TCustomOutline::DisplayWidthAt(const TOutlineNode& node, int level) {
  const int H = rowHeight_;
  const int F = fontPixelHeight_;
  const int L = level;
  const int T = view_ != nullptr ? view_->textWidth(node.Text()) : 0;
  const int R = (options_ & ooDrawTreeRoot) != 0 ? 1 : 0;
  int width = 0;
  switch (drawStyle_) {
    case TOutlineDrawStyle::dsTextOnly:
      width = (L - 1) * H + T + 1;
      break;
    case TOutlineDrawStyle::dsButtonText:
    case TOutlineDrawStyle::dsIconText:
      width = L * H + T + 1;
      break;
    case TOutlineDrawStyle::dsButtonIconText:
      width = (L + 1) * H + T + 1;
      break;
    case TOutlineDrawStyle::dsLinesText:
      width = (L - 1 + R) * H - (H - F) / 2 + T + 1;
      break;
    case TOutlineDrawStyle::dsLinesIconText:
      width = (L + R) * H - (H - F) / 2 + T + 1;
      break;
  }
  return std::max(width, 0);
}

void TCustomOutline::UpdateColumnWidth() {
  if (scrollBars_ != TScrollStyle::ssHorizontal && scrollBars_ != TScrollStyle::ssBoth) return;
  if (style_ == TOutlineType::otOwnerDraw && OnDrawItem) return;
  if (view_ == nullptr) return;
  // Measuring needs the window's surface.
  view_->ensureWindow();
  int widest = DisplayWidthAt(*root_, 0);
  // Every item with a row: the root's children and, below, those of expanded
  // nodes. The walk knows each row's level, so no row walks up to the root.
  auto measure = [&](auto& self, const TOutlineNode& node, int childLevel) -> void {
    for (ChildListEntry* entry = node.children_.first(); entry != nullptr;
         entry = ChildList::next(entry)) {
      const TOutlineNode& child = *TOutlineNode::from(entry);
      widest = std::max(widest, DisplayWidthAt(child, childLevel));
      if (child.expanded_) self(self, child, childLevel + 1);
    }
  };
  measure(measure, *root_, 1);
  setColWidth(widest);
}

// Pictures

const screen::Bitmap* TCustomOutline::Picture(OutlinePicture slot) {
  if (loading_) userPictures_ |= bit(slot);
  const std::optional<screen::Bitmap>& picture = pictures_[static_cast<int>(slot)];
  return picture ? &*picture : nullptr;
}

void TCustomOutline::setPicture(OutlinePicture slot, const screen::Bitmap* bitmap) {
  userPictures_ |= bit(slot);
  std::optional<screen::Bitmap>& picture = pictures_[static_cast<int>(slot)];
  if (bitmap != nullptr) {
    picture = screen::Bitmap(*bitmap);  // a copy first: the bitmap may be this slot's own
  } else {
    picture.reset();
  }
  repaint();
}

bool TCustomOutline::DataStored(std::optional<std::uint8_t> ancestor) const {
  if (!ancestor) return userPictures_ != 0;
  return *ancestor != 0 && (*ancestor & ~userPictures_) != 0;
}

// Painting a row

void TCustomOutline::DrawCell(screen::Canvas& canvas, int row, const screen::Rect& cell) {
  if (ItemCount() == 0) {
    canvas.setBrushColor(color_);
    canvas.fillRect(cell);
    return;
  }
  const bool current = row == row_;
  const bool focused = view_ != nullptr && view_->focused();
  const bool focusRect = focused && (options_ & ooDrawFocusRect) != 0;
  if (style_ == TOutlineType::otOwnerDraw && OnDrawItem) {
    unsigned state = 0;
    if (current) state = focused ? odSelected | odFocused : odSelected;
    // The handler may rebuild the items; nothing below uses a node.
    OnDrawItem(canvas, row, cell, state);
    if (current && focusRect) canvas.drawFocusRect(cell);
    return;
  }

  const TOutlineNode& node = nodeAtRow(row);
  const int X = cell.left;
  const int Y = cell.top;
  const int H = rowHeight_;
  const int M = (cell.height() - fontPixelHeight_) / 2;
  canvas.setFontColor(fontColor_);
  canvas.setBrushColor(color_);
  canvas.fillRect(cell);
  const int W = canvas.textWidth(node.Text()) + 1;
  if (current) {
    canvas.setBrushColor(screen::clHighlight);
    canvas.setFontColor(screen::clHighlightText);
  }

  const int lv = node.Level();
  const int R = (options_ & ooDrawTreeRoot) != 0 ? H : 0;
  const OutlinePicture button = node.Expanded() ? OutlinePicture::Minus : OutlinePicture::Plus;
  const OutlinePicture icon = !node.HasChildren() ? OutlinePicture::Leaf
                              : node.Expanded()   ? OutlinePicture::Open
                                                  : OutlinePicture::Closed;
  if (IsTreeStyle(drawStyle_)) drawTreeLines(canvas, node, cell);
  int textLeft = 0;
  int highlightLeft = 0;
  int highlightRight = 0;
  switch (drawStyle_) {
    case TOutlineDrawStyle::dsTextOnly:
      textLeft = X + H * (lv - 1);
      break;
    case TOutlineDrawStyle::dsButtonText:
      if (node.HasChildren()) drawPictureCell(canvas, button, X + H * (lv - 1), Y);
      textLeft = X + H * lv;
      break;
    case TOutlineDrawStyle::dsIconText:
      drawPictureCell(canvas, icon, X + H * (lv - 1), Y);
      textLeft = X + H * lv;
      break;
    case TOutlineDrawStyle::dsButtonIconText:
      if (node.HasChildren()) drawPictureCell(canvas, button, X + H * (lv - 1), Y);
      drawPictureCell(canvas, icon, X + H * lv, Y);
      textLeft = X + H * (lv + 1);
      break;
    case TOutlineDrawStyle::dsLinesText:
      textLeft = X + H * (lv - 1) + R;
      break;
    case TOutlineDrawStyle::dsLinesIconText:
      drawPictureCell(canvas, icon, X + H * (lv - 1) + R, Y);
      textLeft = X + H * lv - M + R;
      break;
  }
  highlightLeft = textLeft;
  highlightRight = textLeft + W;
  if (drawStyle_ == TOutlineDrawStyle::dsLinesText) highlightLeft -= M;
  if (drawStyle_ == TOutlineDrawStyle::dsLinesIconText) highlightRight += M;

  // The highlight, and the focus rectangle on it, mark the text; an empty text
  // gets neither.
  const screen::Rect highlight{highlightLeft, Y, highlightRight, cell.bottom};
  const bool marked = current && !node.Text().empty();
  if (marked) canvas.fillRect(highlight);
  canvas.drawTextLine({textLeft, Y, cell.right, cell.bottom}, node.Text());
  if (marked && focusRect) canvas.drawFocusRect(highlight);
}

void TCustomOutline::drawTreeLines(screen::Canvas& canvas, const TOutlineNode& node,
                                   const screen::Rect& cell) {
  const screen::Pen saved = canvas.pen();
  canvas.setPen({screen::clBlack, 1});
  const int X = cell.left;
  const int Y = cell.top;
  const int H = rowHeight_;
  const int half = H / 2;
  const bool treeRoot = (options_ & ooDrawTreeRoot) != 0;
  const int T = treeRoot ? 1 : 0;
  const int lv = node.Level();
  // An ancestor with later siblings continues its line through this row.
  int column = lv + T - 3;
  for (const TOutlineNode* ancestor = node.parent_;
       ancestor->parent_ != nullptr && (treeRoot || ancestor->parent_->parent_ != nullptr);
       ancestor = ancestor->parent_, --column) {
    if (ancestor->isLastChild()) continue;
    const int x = X + column * H + half;
    canvas.drawLine(x, Y, x, cell.bottom);
  }
  if (treeRoot || lv > 1) {
    const int x = X + half + H * (lv + T - 2);
    canvas.drawLine(x, Y, x, node.isLastChild() ? Y + half : cell.bottom);
    canvas.drawLine(x, Y + half, x + fontPixelHeight_ / 2, Y + half);
  }
  canvas.setPen(saved);
}

void TCustomOutline::drawPictureCell(screen::Canvas& canvas, OutlinePicture slot, int x, int y) {
  const std::optional<screen::Bitmap>& picture = pictures_[static_cast<int>(slot)];
  if (!picture) return;
  const int H = rowHeight_;
  const int F = fontPixelHeight_;
  const int O = (H - F) / 2;
  const screen::TColor saved = canvas.brushColor();
  // Transparent pixels show the control's colour, also on the highlighted row.
  canvas.setBrushColor(color_);
  const int left = x + O - 1;
  if ((options_ & ooStretchBitmaps) != 0) {
    canvas.drawBitmap(*picture, {left, y + O, left + F, y + O + F}, screen::BitmapFit::Stretch);
  } else {
    const int width = std::min(F, picture->width);
    const int height = std::min(F, picture->height);
    const int top = (F - height) / 2 > 0 ? y + (H - height) / 2 : y + O;
    canvas.drawBitmap(*picture, {left, top, left + width, top + height},
                      screen::BitmapFit::TopLeftPart);
  }
  canvas.setBrushColor(saved);
}

}  // namespace tarnsel::controls
