// TCustomOutline: a tree of text items shown as a one-column grid, one row per
// visible item. Every item has an absolute index (the root 0, then pre-order,
// hidden items included) and every public operation addresses items by it. The
// model knows no window: OutlineView is the grid that shows it.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "controls/OutlineChildList.h"
#include "controls/OutlineView.h"
#include "screen/Canvas.h"

namespace tarnsel::controls {

class TCustomOutline;
class TOutlineNode;

// Watches one item while the outline raises a notification: a click, an
// expansion, a collapse, the directory tree's change, a drawing callback. Any
// handler may delete items or rebuild them all (the directory tree does on
// another drive), so an operation that goes on with a node it held before the
// notification takes a guard on that node first and, afterwards, stops at once
// unless the guard says the node survived; its ancestors survived with it.
// Guards live on the stack and nest; the outline keeps them chained and lets
// go of the node of every guard whose node it frees.
class NodeGuard {
 public:
  explicit NodeGuard(TOutlineNode& node);
  ~NodeGuard();
  NodeGuard(const NodeGuard&) = delete;
  NodeGuard& operator=(const NodeGuard&) = delete;

  bool survived() const { return node_ != nullptr; }

 private:
  friend class TCustomOutline;
  TCustomOutline& outline_;
  TOutlineNode* node_;  // not owned; null once freed
  NodeGuard* outer_;    // the guard taken before this one
};

class TOutlineNode final : private ChildListEntry {
 public:
  const std::string& Text() const { return text_; }
  // Stores the text; a shown item is repainted and the column width updated.
  void setText(const std::string& text);
  std::intptr_t ItemData() const { return itemData_; }
  void setItemData(std::intptr_t data) { itemData_ = data; }

  TCustomOutline& OwnerOutline() const { return owner_; }
  TOutlineNode* Parent() const { return parent_; }
  // Absolute index; -1 for a node that is not in the tree.
  int Index() const;
  // Number of ancestors: 0 for the root, 1 for a top-level item.
  int Level() const;
  bool HasChildren() const { return !children_.empty(); }
  int ChildCount() const { return children_.size(); }
  TOutlineNode* Child(int position) const;
  // The position of the first child for which `precedes` is false, when the
  // children are partitioned by it (for instance kept in the order of their
  // texts); ChildCount() when it holds for all. Costs one descent, not one per
  // probe of a binary search over positions.
  template <typename Precedes>
  int ChildPartitionPoint(Precedes precedes) const {
    return children_.partitionPoint([&](const ChildListEntry& entry) {
      return precedes(static_cast<const TOutlineNode&>(entry));
    });
  }
  // The same for children kept in the ordinal order of their texts: the first
  // child whose text is not below `text`. Most probes compare the first bytes
  // of the texts, which the children list keeps, and read no child.
  int ChildTextPartitionPoint(const std::string& text) const;
  int FirstChildIndex() const;
  int LastChildIndex() const;
  // Index of the child after the child with index `index`; -1 if that child is
  // the last or `index` is not a child's.
  int NextChildIndex(int index) const;
  // Texts from the top-level item down, joined by the outline's PathSeparator.
  std::string FullPath() const;

  bool Expanded() const { return expanded_; }
  void setExpanded(bool expanded);
  // Expands this node and, top-down, every node below it that has children.
  void ExpandAll();
  // Rows shown below this node: 0 while it is collapsed.
  int VisibleCount() const { return ownRows() - 1; }
  // Whether the item has a row: all its ancestors are expanded.
  bool IsShown() const { return parent_ == nullptr || parent_->expanded_; }

 private:
  friend class TCustomOutline;
  TOutlineNode(TCustomOutline& owner, std::string text, std::intptr_t data);
  static TOutlineNode* from(ChildListEntry* entry) { return static_cast<TOutlineNode*>(entry); }
  OrderKey orderKey() const override;
  TOutlineNode* nextSibling() const;
  bool isLastChild() const { return parent_ != nullptr && nextSibling() == nullptr; }
  int subtreeSize() const { return ownNodes(); }

  TCustomOutline& owner_;
  std::string text_;
  std::intptr_t itemData_;
  TOutlineNode* parent_ = nullptr;
  bool expanded_ = false;
  ChildList children_;
};

// The first 16 bytes of a text, zero-padded, as an order key: texts whose keys
// differ compare as their keys do (unsigned bytes, the shorter first).
OrderKey TextOrderKey(std::string_view text);

enum class TOutlineDrawStyle : std::uint8_t {
  dsTextOnly,
  dsButtonText,
  dsIconText,
  dsButtonIconText,
  dsLinesText,
  dsLinesIconText,
};

enum class TOutlineType { otStandard, otOwnerDraw };

// TOutlineOptions: a set of these bits.
inline constexpr unsigned ooDrawTreeRoot = 1u << 0;
inline constexpr unsigned ooDrawFocusRect = 1u << 1;
inline constexpr unsigned ooStretchBitmaps = 1u << 2;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The five picture slots, in their order in the "Data" byte.
enum class OutlinePicture { Plus, Minus, Open, Closed, Leaf };
inline constexpr int OutlinePictureCount = 5;

// TOwnerDrawState: a set of these bits.
inline constexpr unsigned odSelected = 1u << 0;
inline constexpr unsigned odFocused = 1u << 4;

class TCustomOutline {
 public:
  // The window's size at construction.
  static constexpr int DefaultWidth = 121;
  static constexpr int DefaultHeight = 97;

  // Row height from the font, the five pictures loaded; no items.
  explicit TCustomOutline(OutlineServices& services);
  TCustomOutline(const TCustomOutline&) = delete;
  TCustomOutline& operator=(const TCustomOutline&) = delete;
  virtual ~TCustomOutline();

  void setView(OutlineView* view) { view_ = view; }

  // Items. The add operations return the new item's index, or 0 when attaching it
  // failed (that failure goes to ReportError instead of the caller) or when a
  // handler of the click that the moved row raised freed the new item, for
  // instance by rebuilding the items.
  int AppendChild(int index, const std::string& text, std::intptr_t data = 0);
  int AppendSibling(int index, const std::string& text, std::intptr_t data = 0);
  int InsertBefore(int index, const std::string& text, std::intptr_t data = 0);
  // Adds the new item as child `position` (0 to ChildCount()) of `parent`, a
  // node of this outline, as InsertBefore on that child's index or, at
  // ChildCount(), AppendChild on the parent's would: the same checks, counts,
  // repaint and error handling, without a lookup by index.
  int InsertChildAt(TOutlineNode& parent, int position, const std::string& text,
                    std::intptr_t data = 0);
  void DeleteItem(int index);
  void ClearItems();
  TOutlineNode& ItemAt(int index);
  int ItemCount() const { return root_->subtreeSize() - 1; }
  int SelectedIndex();
  void setSelectedIndex(int index);
  // Expands, top-down, every item that has children.
  void ExpandAll() { root_->ExpandAll(); }
  const std::string& PathSeparator() const { return pathSeparator_; }
  void setPathSeparator(const std::string& separator) { pathSeparator_ = separator; }
  // Puts the grid's row count in line with the visible items and the current row
  // on the selected item; whether the row count changed.
  bool UpdateRowCount();

  // The grid's state, as the view shows it.
  int RowCount() const { return rowCount_; }
  int Row() const { return row_; }
  // A programmatic row change: raises the click handling when the row changes.
  void setRow(int row);
  int ColWidth() const { return colWidth_; }
  // The grid's scroll bars; they decide how the size message sets the column width.
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void setScrollBars(TScrollStyle scrollBars);

  // Input, as the view reports it.
  void KeyDown(OutlineKey key, bool ctrl);
  void KeyPress(char key);
  // A mouse press on a row (-1: below the rows); a double click's second press
  // comes with `doubleClick`.
  void MouseDown(int row, bool doubleClick);
  void MouseUp();
  virtual void Click();
  void DblClick();
  // The size message: the client area changed size.
  void Resized();
  void FontChanged();

  // Component lifecycle.
  void BeginLoading() { loading_ = true; }
  bool Loading() const { return loading_; }
  // End of loading from a form file.
  virtual void Loaded();
  bool Designing() const { return designing_; }
  void setDesigning(bool designing) { designing_ = designing; }
  // Called by the view after it created the window.
  virtual void windowCreated() { hasWindow_ = true; }
  void windowDestroyed() { hasWindow_ = false; }
  bool hasWindow() const { return hasWindow_; }

  // Sizing and drawing.
  int ItemHeight() const { return rowHeight_; }
  void setItemHeight(int height);
  int FontPixelHeight() const { return fontPixelHeight_; }
  TOutlineType Style() const { return style_; }
  void setStyle(TOutlineType style);
  unsigned Options() const { return options_; }
  void setOptions(unsigned options);
  TOutlineDrawStyle DrawStyle() const { return drawStyle_; }
  void setDrawStyle(TOutlineDrawStyle style);
  screen::TColor ControlColor() const { return color_; }
  void setControlColor(screen::TColor color);
  screen::TColor FontColor() const { return fontColor_; }
  void setFontColor(screen::TColor color);
  int DisplayWidth(const TOutlineNode& node);
  void UpdateColumnWidth();
  // Paints grid row `row` in `cell`; the canvas holds the control's font.
  void DrawCell(screen::Canvas& canvas, int row, const screen::Rect& cell);

  // Pictures. Reading a slot while loading marks it user-set, as the form reader
  // does when it reads a stored picture into the slot.
  const screen::Bitmap* Picture(OutlinePicture slot);
  // Copies the bitmap into the slot, or empties the slot for nullptr.
  void setPicture(OutlinePicture slot, const screen::Bitmap* bitmap);
  std::uint8_t UserPictures() const { return userPictures_; }
  std::uint8_t StoredPictures() const { return storedPictures_; }
  // The form file's binary property "Data": the UserPictures byte.
  void ReadData(std::uint8_t data) { storedPictures_ = data; }
  std::uint8_t WriteData() const { return userPictures_; }
  // Whether "Data" is written; `ancestor` is the UserPictures of the same
  // control on the ancestor form, when the form inherits one.
  bool DataStored(std::optional<std::uint8_t> ancestor) const;
  bool PictureStored(OutlinePicture slot) const { return (userPictures_ & bit(slot)) != 0; }

  std::function<void(int index)> OnExpand;
  std::function<void(int index)> OnCollapse;
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  // Owner drawing; `row` is the grid row, not an item index.
  std::function<void(screen::Canvas& canvas, int row, const screen::Rect& rect, unsigned state)>
      OnDrawItem;
  // The application's error box, for failures while an add operation attaches its
  // item. Without it those failures reach the caller.
  std::function<void(const std::exception& error)> ReportError;

 protected:
  // Fired for a node about to be expanded, before it is marked expanded; may add
  // children to it.
  virtual void NotifyExpand(int index);
  virtual void NotifyCollapse(int index);

  TOutlineNode& RootNode() const { return *root_; }
  TOutlineNode& SelectedNode() const { return *selected_; }
  TOutlineNode& CachedItem() const { return *cached_; }
  // The node with absolute index `index` at or below `node`; nullptr if none.
  TOutlineNode* FindByIndex(TOutlineNode& node, int index) const;
  // The n-th visible node below `node` in pre-order (0: the node itself).
  TOutlineNode& VisibleNodeAt(TOutlineNode& node, int n) const;
  int RowOfNode(const TOutlineNode& node) const;

 private:
  friend class TOutlineNode;
  friend class NodeGuard;
  enum class AddKind { Child, Sibling, Before, AtPosition };
  // Where an add operation puts its item: by the index passed (the parent's
  // index for AtPosition, which names the parent and the position directly).
  struct Placement {
    AddKind kind;
    int index;
    TOutlineNode* parent;
    int position;
  };

  static std::uint8_t bit(OutlinePicture slot) {
    return std::uint8_t(1u << static_cast<int>(slot));
  }
  std::unique_ptr<TOutlineNode> makeRoot();
  int addItem(int index, const std::string& text, std::intptr_t data, AddKind kind);
  int addNode(const std::string& text, std::intptr_t data, const Placement& place);
  // Puts the node among the parent's children; the node weights of the children
  // before it.
  int attach(TOutlineNode& parent, int position, std::unique_ptr<TOutlineNode> node);
  void positionCachedItem(int index);
  // The cached item's index, computed again only after the tree changed shape.
  int cachedItemIndex();
  // A node's index: the last one asked for is answered again without a walk
  // until the tree changes shape.
  int indexOf(const TOutlineNode& node) const;
  void setCachedItem(TOutlineNode& node, int index);
  TOutlineNode& lookUp(int index);
  void destroyNode(TOutlineNode& node);
  // Lets go of the nodes of the guards on `freed` or below it, or of all guards
  // for nullptr, before those nodes are freed.
  void releaseGuards(const TOutlineNode* freed);
  void expand(TOutlineNode& node);
  void collapse(TOutlineNode& node);
  void collapseSubtree(TOutlineNode& node);
  void afterExpandOrCollapse(TOutlineNode& node);
  void addNodes(TOutlineNode& node, int delta);
  void addVisibleRows(TOutlineNode& node, int delta);
  TOutlineNode& nodeAtRow(int row) const { return VisibleNodeAt(*root_, row + 1); }
  void setGridRowFromNode(const TOutlineNode& node);
  void setRowCount(int count);
  void setColWidth(int width);
  void setRowHeight(int height);
  void setRowHeightFromFont();
  void textChanged(TOutlineNode& node);
  void repaint();
  void beep();
  void gridKeyDown(OutlineKey key, bool ctrl);
  void outlineKeyDown(OutlineKey key, bool ctrl);
  // The width of a node's row at a level its caller already knows.
  int DisplayWidthAt(const TOutlineNode& node, int level);
  void drawTreeLines(screen::Canvas& canvas, const TOutlineNode& node, const screen::Rect& cell);
  void drawPictureCell(screen::Canvas& canvas, OutlinePicture slot, int x, int y);

  OutlineServices& services_;
  OutlineView* view_ = nullptr;  // not owned
  std::unique_ptr<TOutlineNode> root_;
  TOutlineNode* selected_ = nullptr;
  TOutlineNode* cached_ = nullptr;
  // Counts the insertions and removals of nodes, which renumber the items: an
  // index noted at one count holds as long as the count stays.
  std::uint64_t shape_ = 0;
  int cachedIndex_ = 0;
  std::uint64_t cachedIndexShape_ = 0;
  // The node whose index was asked for last: callers tend to look an index up
  // right after reading it from the node.
  struct NotedIndex {
    const TOutlineNode* node = nullptr;  // not owned; compared only while `shape` holds
    int index = 0;
    std::uint64_t shape = 0;
  };
  mutable NotedIndex lastIndexed_;
  std::string pathSeparator_ = "\\";

  // The grid.
  int rowCount_ = 1;
  int row_ = 0;
  int colWidth_ = 64;
  int rowHeight_ = 0;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  bool selectingPress_ = false;
  // Set while the control changes its own column width or row count, so that the
  // size handling leaves them alone.
  bool settingColWidth_ = false;
  bool settingRowCount_ = false;

  // The guards of the operations under way, innermost first.
  NodeGuard* guards_ = nullptr;

  bool loading_ = false;
  bool designing_ = false;
  bool hasWindow_ = false;

  int fontPixelHeight_ = 0;
  TOutlineType style_ = TOutlineType::otStandard;
  unsigned options_ = ooDrawTreeRoot | ooDrawFocusRect;
  TOutlineDrawStyle drawStyle_ = TOutlineDrawStyle::dsLinesIconText;
  screen::TColor color_ = screen::clWindow;
  screen::TColor fontColor_ = screen::clWindowText;
  std::array<std::optional<screen::Bitmap>, OutlinePictureCount> pictures_;
  std::uint8_t userPictures_ = 0;
  std::uint8_t storedPictures_ = 0;
};

}  // namespace tarnsel::controls
