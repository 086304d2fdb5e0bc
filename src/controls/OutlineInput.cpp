// TCustomOutline: the grid's row state and the keyboard and mouse handling on top
// of it, the size message, and the component's lifecycle steps.
#include "controls/Outline.h"

#include <algorithm>
#include <utility>

namespace tarnsel::controls {

namespace {

// Sets a flag for as long as it lives.
class FlagSetter {
 public:
  explicit FlagSetter(bool& flag) : flag_(flag), saved_(std::exchange(flag, true)) {}
  ~FlagSetter() { flag_ = saved_; }
  FlagSetter(const FlagSetter&) = delete;
  FlagSetter& operator=(const FlagSetter&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace

// The grid

void TCustomOutline::setRowCount(int count) {
  count = std::max(count, 1);  // the grid keeps one row even when empty
  if (count == rowCount_) return;
  FlagSetter guard(settingRowCount_);
  rowCount_ = count;
  const int previousRow = row_;
  // A row that no longer exists moves quietly to the last one; the outline puts
  // the row on its selection next.
  row_ = std::min(row_, rowCount_ - 1);
  if (view_ == nullptr) return;
  view_->rowCountChanged();
  if (row_ != previousRow) view_->rowChanged(previousRow);
}

void TCustomOutline::setRow(int row) {
  row = std::clamp(row, 0, rowCount_ - 1);
  if (row == row_) return;
  const int previous = std::exchange(row_, row);
  if (view_ != nullptr) view_->rowChanged(previous);
  Click();
}

void TCustomOutline::setColWidth(int width) {
  if (width == colWidth_) return;
  FlagSetter guard(settingColWidth_);
  colWidth_ = width;
  if (view_ != nullptr) view_->colWidthChanged();
}

void TCustomOutline::setScrollBars(TScrollStyle scrollBars) {
  if (scrollBars == scrollBars_) return;
  scrollBars_ = scrollBars;
  // The window takes the new style; its size message then sets the column width.
  if (view_ != nullptr) view_->scrollBarsChanged();
}

void TCustomOutline::repaint() {
  if (view_ != nullptr) view_->repaint();
}

void TCustomOutline::beep() {
  if (view_ != nullptr) view_->beep();
}

// Mouse

void TCustomOutline::MouseDown(int row, bool doubleClick) {
  if (doubleClick) {
    DblClick();
  } else if (row >= 0 && row < rowCount_) {
    // The press selects the row; the click comes with the release.
    const int previous = std::exchange(row_, row);
    if (view_ != nullptr && previous != row) view_->rowChanged(previous);
    selectingPress_ = true;
  }
  selected_ = root_.get();
  SelectedIndex();
}

void TCustomOutline::MouseUp() {
  if (!std::exchange(selectingPress_, false)) return;
  Click();
}

void TCustomOutline::Click() {
  if (ItemCount() > 0) setSelectedIndex(nodeAtRow(row_).Index());
  if (OnClick) OnClick();
}

void TCustomOutline::DblClick() {
  if (OnDblClick) OnDblClick();
  if (selected_ != root_.get()) selected_->setExpanded(!selected_->Expanded());
}

// Keyboard

void TCustomOutline::KeyDown(OutlineKey key, bool ctrl) {
  gridKeyDown(key, ctrl);
  if (ItemCount() > 0) outlineKeyDown(key, ctrl);
}

void TCustomOutline::gridKeyDown(OutlineKey key, bool ctrl) {
  if (ctrl) return;  // with Ctrl the arrows belong to the outline
  const int page = view_ != nullptr ? std::max(view_->pageRows(), 1) : 1;
  switch (key) {
    case OutlineKey::Up:
      setRow(row_ - 1);
      break;
    case OutlineKey::Down:
      setRow(row_ + 1);
      break;
    case OutlineKey::PageUp:
      setRow(row_ - page);
      break;
    case OutlineKey::PageDown:
      setRow(row_ + page);
      break;
    default:
      break;
  }
}

void TCustomOutline::outlineKeyDown(OutlineKey key, bool ctrl) {
  TOutlineNode& node = nodeAtRow(row_);
  TOutlineNode& parent = *node.parent_;
  switch (key) {
    case OutlineKey::Enter:
      node.setExpanded(!node.Expanded());
      return;
    case OutlineKey::Home:
      setSelectedIndex(root_->FirstChildIndex());
      return;
    case OutlineKey::End: {
      TOutlineNode* last = TOutlineNode::from(root_->children_.last());
      while (last->Expanded() && last->HasChildren()) {
        last = TOutlineNode::from(last->children_.last());
      }
      setSelectedIndex(last->Index());
      return;
    }
    case OutlineKey::Left:
      if (parent.parent_ == nullptr) {
        beep();
      } else {
        setSelectedIndex(parent.Index());
      }
      return;
    case OutlineKey::Right:
      if (node.HasChildren() && node.Expanded()) {
        setSelectedIndex(SelectedIndex() + 1);
      } else {
        beep();
      }
      return;
    default:
      break;
  }
  if (ctrl && key == OutlineKey::Up) {
    ChildListEntry* previous = ChildList::previous(&node);
    if (previous == nullptr) {
      beep();
    } else {
      setSelectedIndex(TOutlineNode::from(previous)->Index());
    }
  } else if (ctrl && key == OutlineKey::Down) {
    TOutlineNode* next = node.nextSibling();
    if (next == nullptr) {
      beep();
    } else {
      setSelectedIndex(next->Index());
    }
  } else if (ctrl && key == OutlineKey::Multiply) {
    ExpandAll();
  } else {
    setSelectedIndex(node.Index());
  }
}

void TCustomOutline::KeyPress(char key) {
  if (selected_ == root_.get()) return;
  switch (key) {
    case '+':
      selected_->setExpanded(true);
      break;
    case '-':
      selected_->setExpanded(false);
      break;
    case '*':
      selected_->ExpandAll();
      break;
    default:
      break;
  }
}

// Size and lifecycle

void TCustomOutline::Resized() {
  if (settingColWidth_ || settingRowCount_) return;
  const bool ownerDrawn = style_ == TOutlineType::otOwnerDraw && OnDrawItem;
  if (scrollBars_ == TScrollStyle::ssNone || scrollBars_ == TScrollStyle::ssVertical ||
      ownerDrawn) {
    if (view_ != nullptr) setColWidth(view_->clientWidth());
  } else {
    UpdateColumnWidth();
  }
}

void TCustomOutline::FontChanged() {
  setRowHeightFromFont();
  UpdateColumnWidth();
}

void TCustomOutline::Loaded() {
  loading_ = false;
  setRow(0);
  selected_ = root_.get();
  if (UpdateRowCount()) repaint();
  if (ItemCount() > 0) selected_ = TOutlineNode::from(root_->children_.first());
  if (designing_) ExpandAll();
  // A slot that the form file marked but whose picture was not read stays empty,
  // as it was cleared in the designer.
  for (int slot = 0; slot < OutlinePictureCount; ++slot) {
    const auto mask = bit(static_cast<OutlinePicture>(slot));
    if ((storedPictures_ & mask) != 0 && (userPictures_ & mask) == 0) pictures_[slot].reset();
  }
  storedPictures_ = 0;
  UpdateColumnWidth();
}

}  // namespace tarnsel::controls
