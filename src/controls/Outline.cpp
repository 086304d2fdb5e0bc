// TCustomOutline: adding, deleting and finding items, expanding and collapsing,
// and the selection with the grid rows it maps onto.
#include "controls/Outline.h"

#include <optional>
#include <utility>

#include "controls/OutlineMessages.h"
#include "platform/Errors.h"

namespace tarnsel::controls {

namespace message = outline_message;

namespace {

// Items reach at most level 256.
constexpr int DeepestParentLevel = 255;

}  // namespace

TCustomOutline::TCustomOutline(OutlineServices& services) : services_(services) {
  root_ = makeRoot();
  selected_ = cached_ = root_.get();
  setRowHeightFromFont();
  static constexpr const char* resourceNames[OutlinePictureCount] = {"PLUS", "MINUS", "OPEN",
                                                                     "CLOSED", "LEAF"};
  for (int slot = 0; slot < OutlinePictureCount; ++slot) {
    pictures_[slot] = services_.loadBitmap(resourceNames[slot]);
  }
}

TCustomOutline::~TCustomOutline() = default;

std::unique_ptr<TOutlineNode> TCustomOutline::makeRoot() {
  std::unique_ptr<TOutlineNode> root(new TOutlineNode(*this, "", 0));
  root->expanded_ = true;
  return root;
}

// Adding

int TCustomOutline::AppendChild(int index, const std::string& text, std::intptr_t data) {
  return addItem(index, text, data, AddKind::Child);
}

int TCustomOutline::AppendSibling(int index, const std::string& text, std::intptr_t data) {
  return addItem(index, text, data, AddKind::Sibling);
}

int TCustomOutline::InsertBefore(int index, const std::string& text, std::intptr_t data) {
  return addItem(index, text, data, AddKind::Before);
}

int TCustomOutline::InsertChildAt(TOutlineNode& parent, int position, const std::string& text,
                                  std::intptr_t data) {
  if (&parent.owner_ != this || position < 0 || position > parent.ChildCount()) {
    throw EOutlineError(message::InvalidIndex);
  }
  const int parentIndex = parent.Index();
  if (parentIndex < 0) throw EOutlineError(message::InvalidIndex);
  return addNode(text, data, Placement{AddKind::AtPosition, parentIndex, &parent, position});
}

int TCustomOutline::addItem(int index, const std::string& text, std::intptr_t data, AddKind kind) {
  if (index < 0) throw EOutlineError(message::InvalidIndex);
  if (kind != AddKind::Child && index == 0) return addItem(0, text, data, AddKind::Child);
  return addNode(text, data, Placement{kind, index, nullptr, 0});
}

int TCustomOutline::addNode(const std::string& text, std::intptr_t data, const Placement& place) {
  const AddKind kind = place.kind;
  const int index = place.index;
  int result = 0;
  TOutlineNode* attached = nullptr;
  TOutlineNode* atIndex = nullptr;
  std::uint64_t attachedShape = 0;
  std::optional<NodeGuard> added;
  try {
    std::unique_ptr<TOutlineNode> node(new TOutlineNode(*this, text, data));
    TOutlineNode* target = nullptr;
    int position = place.position;
    if (kind == AddKind::AtPosition) {
      target = atIndex = place.parent;
      if (target->Level() > DeepestParentLevel) throw EOutlineError(message::TooDeep);
    } else {
      atIndex = &lookUp(index);
      target = atIndex;
      if (kind == AddKind::Before) {
        position = ChildList::positionOf(target);
        target = target->parent_;
      } else {
        if (kind == AddKind::Sibling) {
          target = target->parent_;
          if (target == nullptr) throw EOutlineError(message::InvalidIndex);
        }
        if (target->Level() > DeepestParentLevel) throw EOutlineError(message::TooDeep);
        position = target->ChildCount();
      }
    }
    TOutlineNode* const fresh = node.get();
    const int nodesBefore = attach(*target, position, std::move(node));
    attached = fresh;
    attachedShape = shape_;
    // The new item takes the index passed, comes last in its parent's subtree, or
    // follows its parent and the subtrees of the siblings before it.
    int attachedIndex = 0;
    switch (kind) {
      case AddKind::Before:
        attachedIndex = index;
        break;
      case AddKind::Child:
        attachedIndex = index + target->subtreeSize() - 1;
        break;
      case AddKind::Sibling:
        attachedIndex = target->Index() + target->subtreeSize() - 1;
        break;
      case AddKind::AtPosition:
        attachedIndex = index + 1 + nodesBefore;
        break;
    }
    added.emplace(*attached);
    if (target->expanded_) UpdateColumnWidth();
    if (UpdateRowCount()) repaint();
    // The row may have moved and clicked, and the click's handler freed the new
    // item (rebuilt the items, say): the index passed may name another item now.
    if (!added->survived()) return 0;
    result = shape_ == attachedShape ? attachedIndex : attached->Index();
  } catch (const std::exception& error) {
    // The node goes again, unless a handler freed it already, and the caller gets
    // 0 with the error in the error box.
    const bool freedByHandler = added && !added->survived();
    if (attached != nullptr && !freedByHandler) destroyNode(*attached);
    if (!ReportError) throw;
    ReportError(error);
    if (freedByHandler) return 0;
    result = 0;
  }
  if (kind == AddKind::AtPosition) {
    // The parent stays where it was while no handler changed the tree: the next
    // child placed in it finds it without a search.
    if (shape_ == attachedShape && attached != nullptr) setCachedItem(*atIndex, index);
    return result;
  }
  if (attached != nullptr && shape_ == attachedShape) {
    // No handler changed the tree since the attach: the item at the index passed
    // is the new one, or the one that was there.
    setCachedItem(kind == AddKind::Before ? *attached : *atIndex, index);
  } else {
    positionCachedItem(index);
  }
  return result;
}

int TCustomOutline::attach(TOutlineNode& parent, int position, std::unique_ptr<TOutlineNode> node) {
  node->parent_ = &parent;
  ++shape_;
  const int nodesBefore = parent.children_.insert(
      position, std::unique_ptr<ChildListEntry>(static_cast<ChildListEntry*>(node.release())));
  addNodes(parent, 1);
  if (parent.expanded_) addVisibleRows(parent, 1);
  return nodesBefore;
}

void TCustomOutline::positionCachedItem(int index) {
  if (index < 0) throw EOutlineError(message::InvalidCurrentItem);
  TOutlineNode* node = FindByIndex(*root_, index);
  if (node == nullptr) throw EOutlineError(message::IndexNotFound);
  setCachedItem(*node, index);
}

int TCustomOutline::cachedItemIndex() {
  if (cachedIndexShape_ != shape_) setCachedItem(*cached_, cached_->Index());
  return cachedIndex_;
}

void TCustomOutline::setCachedItem(TOutlineNode& node, int index) {
  cached_ = &node;
  cachedIndex_ = index;
  cachedIndexShape_ = shape_;
}

// Finding

int TCustomOutline::indexOf(const TOutlineNode& node) const {
  if (lastIndexed_.node == &node && lastIndexed_.shape == shape_) return lastIndexed_.index;
  // Each level adds the parent itself and the subtrees of the earlier siblings.
  int index = 0;
  for (const TOutlineNode* at = &node; at->parent_ != nullptr; at = at->parent_) {
    index += 1 + ChildList::nodesBefore(at);
  }
  lastIndexed_ = {&node, index, shape_};
  return index;
}

TOutlineNode& TCustomOutline::lookUp(int index) {
  if (cachedItemIndex() == index) return *cached_;
  // The node whose index was just read, as when a caller passes a child's index;
  // the outline's own node, noted through a const query.
  if (lastIndexed_.shape == shape_ && lastIndexed_.index == index && lastIndexed_.node != nullptr) {
    return const_cast<TOutlineNode&>(*lastIndexed_.node);
  }
  TOutlineNode* node = FindByIndex(*root_, index);
  if (node == nullptr) throw EOutlineError(message::IndexNotFound);
  return *node;
}

TOutlineNode& TCustomOutline::ItemAt(int index) {
  if (index == 0) throw EOutlineError(message::InvalidIndex);
  return lookUp(index);
}

TOutlineNode* TCustomOutline::FindByIndex(TOutlineNode& node, int index) const {
  int offset = index - node.Index();
  TOutlineNode* found = &node;
  // Each step goes down into the child whose block of the pre-order holds the index.
  while (offset != 0) {
    const ChildList::Found child = found->children_.findByNodes(offset - 1);
    if (child.entry == nullptr) return nullptr;
    found = TOutlineNode::from(child.entry);
    offset = child.offset;
  }
  return found;
}

TOutlineNode& TCustomOutline::VisibleNodeAt(TOutlineNode& node, int n) const {
  TOutlineNode* found = &node;
  while (n != 0) {
    const ChildList::Found child = found->children_.findByRows(n - 1);
    if (child.entry == nullptr) throw EOutlineError(message::IndexNotFound);
    found = TOutlineNode::from(child.entry);
    n = child.offset;
  }
  return *found;
}

int TCustomOutline::RowOfNode(const TOutlineNode& node) const {
  // The rows before a node: its parent's row, the parent itself and the blocks of
  // the earlier siblings.
  int row = -1;
  for (const TOutlineNode* at = &node; at->parent_ != nullptr; at = at->parent_) {
    row += 1 + ChildList::rowsBefore(at);
  }
  return row;
}

// Counts kept in the children lists

void TCustomOutline::addNodes(TOutlineNode& node, int delta) {
  for (TOutlineNode* at = &node; at != nullptr; at = at->parent_) {
    ChildList::setOwnWeights(at, at->ownNodes() + delta, at->ownRows());
  }
}

void TCustomOutline::addVisibleRows(TOutlineNode& node, int delta) {
  // Rows count upwards only through expanded nodes: a collapsed one shows none.
  for (TOutlineNode* at = &node;; at = at->parent_) {
    ChildList::setOwnWeights(at, at->ownNodes(), at->ownRows() + delta);
    if (at->parent_ == nullptr || !at->parent_->expanded_) return;
  }
}

// Deleting

void TCustomOutline::DeleteItem(int index) {
  if (index <= 0) throw EOutlineError(message::InvalidIndex);
  destroyNode(lookUp(index));
}

void TCustomOutline::destroyNode(TOutlineNode& node) {
  const int cachedIndex = cachedItemIndex();
  for (const TOutlineNode* at = selected_; at != nullptr; at = at->parent_) {
    if (at == &node) selected_ = root_.get();
  }
  for (const TOutlineNode* at = cached_; at != nullptr; at = at->parent_) {
    if (at == &node) setCachedItem(*root_, 0);
  }
  TOutlineNode& parent = *node.parent_;
  const bool wasLastChild = node.isLastChild();
  const int nodes = node.subtreeSize();
  const int rows = node.ownRows();
  releaseGuards(&node);
  // Freeing the subtree does no per-node work: nothing in it refers outside.
  ++shape_;
  parent.children_.remove(&node).reset();
  addNodes(parent, -nodes);
  if (parent.expanded_) addVisibleRows(parent, -rows);

  // The collapse notifies and the row changes click; their handlers may free the
  // parent, and then the rest has nothing left to update.
  const NodeGuard parentGuard(parent);
  if (!parent.HasChildren() && parent.parent_ != nullptr) collapse(parent);
  if (!parentGuard.survived()) return;
  if (parent.IsShown()) UpdateColumnWidth();
  if (!parentGuard.survived()) return;
  // The row follows to the parent or to the new last child, when that has a row.
  if (!parent.HasChildren()) {
    if (parent.IsShown()) setGridRowFromNode(parent);
  } else if (wasLastChild && parent.expanded_) {
    setGridRowFromNode(*TOutlineNode::from(parent.children_.last()));
  }
  if (!parentGuard.survived()) return;

  if (TOutlineNode* atCachedIndex = FindByIndex(*root_, cachedIndex); atCachedIndex != nullptr) {
    setCachedItem(*atCachedIndex, cachedIndex);
  } else {
    setCachedItem(*root_, 0);
  }
  // The row count first, so that the row the selection is read from still exists.
  const bool rowCountChanged = UpdateRowCount();
  if (selected_ == root_.get()) SelectedIndex();
  if (rowCountChanged) repaint();
}

void TCustomOutline::releaseGuards(const TOutlineNode* freed) {
  for (NodeGuard* guard = guards_; guard != nullptr; guard = guard->outer_) {
    for (const TOutlineNode* at = guard->node_; at != nullptr; at = at->parent_) {
      if (freed == nullptr || at == freed) {
        guard->node_ = nullptr;
        break;
      }
    }
  }
}

NodeGuard::NodeGuard(TOutlineNode& node)
    : outline_(node.OwnerOutline()), node_(&node), outer_(outline_.guards_) {
  outline_.guards_ = this;
}

NodeGuard::~NodeGuard() {
  // Guards end in the reverse order of their start, so this is the first.
  for (NodeGuard** at = &outline_.guards_; *at != nullptr; at = &(*at)->outer_) {
    if (*at == this) {
      *at = outer_;
      break;
    }
  }
}

void TCustomOutline::ClearItems() {
  releaseGuards(nullptr);
  root_.reset();
  root_ = makeRoot();
  ++shape_;
  selected_ = root_.get();
  setCachedItem(*root_, 0);
  UpdateRowCount();
  // The row count may well stay at 1 while the one row's item is gone.
  repaint();
}

// Expanding and collapsing

void TOutlineNode::setExpanded(bool expanded) {
  if (expanded) {
    owner_.expand(*this);
  } else {
    owner_.collapse(*this);
  }
}

void TOutlineNode::ExpandAll() {
  if (!HasChildren()) return;
  const NodeGuard expanding(*this);
  setExpanded(true);
  // By position: an expand notification may add children anywhere below. A
  // handler on the way may have freed this node (rebuilt the items): then stop.
  for (int position = 0; expanding.survived() && position < ChildCount(); ++position) {
    Child(position)->ExpandAll();
  }
}

void TCustomOutline::expand(TOutlineNode& node) {
  if (node.expanded_) return;
  for (const TOutlineNode* at = node.parent_; at != nullptr; at = at->parent_) {
    if (!at->expanded_) throw EOutlineError(message::ParentNotExpanded);
  }
  const NodeGuard expanding(node);
  NotifyExpand(node.Index());
  if (!expanding.survived()) return;  // the handler freed it, rebuilding the items, say
  node.expanded_ = true;
  // Children of a collapsed node are collapsed: one row each.
  addVisibleRows(node, node.children_.rows());
  afterExpandOrCollapse(node);
}

void TCustomOutline::collapse(TOutlineNode& node) {
  if (!node.expanded_) return;
  collapseSubtree(node);
  // The row may move onto the node and click it; the click's handler and the
  // collapse's own may free the node, and with it what the rest would update.
  const NodeGuard collapsing(node);
  if (UpdateRowCount()) repaint();
  if (!collapsing.survived()) return;
  NotifyCollapse(node.Index());
  if (!collapsing.survived()) return;
  afterExpandOrCollapse(node);
}

void TCustomOutline::collapseSubtree(TOutlineNode& node) {
  for (ChildListEntry* entry = node.children_.first(); entry != nullptr;
       entry = ChildList::next(entry)) {
    TOutlineNode& child = *TOutlineNode::from(entry);
    if (child.expanded_) collapseSubtree(child);
  }
  addVisibleRows(node, -node.VisibleCount());
  node.expanded_ = false;
}

void TCustomOutline::afterExpandOrCollapse(TOutlineNode& node) {
  if (node.parent_ != nullptr && node.parent_->expanded_) UpdateColumnWidth();
  if (UpdateRowCount()) repaint();
}

void TCustomOutline::NotifyExpand(int index) {
  if (OnExpand) OnExpand(index);
}

void TCustomOutline::NotifyCollapse(int index) {
  if (OnCollapse) OnCollapse(index);
}

// Selection and rows

int TCustomOutline::SelectedIndex() {
  if (selected_ == root_.get()) {
    if (ItemCount() > 0) selected_ = &nodeAtRow(row_);
  } else {
    while (!selected_->IsShown()) selected_ = selected_->parent_;
  }
  return selected_->Index();
}

void TCustomOutline::setSelectedIndex(int index) {
  if (index == 0 && ItemCount() > 0) index = 1;
  if (index <= 0) throw EOutlineError(message::InvalidSelection);
  TOutlineNode* node = selected_->Index() == index ? selected_ : FindByIndex(*root_, index);
  if (node == nullptr) throw EOutlineError(message::IndexNotFound);
  while (!node->IsShown()) node = node->parent_;
  selected_ = node;
  setGridRowFromNode(*node);
}

bool TCustomOutline::UpdateRowCount() {
  const int previous = rowCount_;
  setRowCount(root_->VisibleCount());
  if (selected_ != root_.get()) setSelectedIndex(selected_->Index());
  return rowCount_ != previous;
}

void TCustomOutline::setGridRowFromNode(const TOutlineNode& node) {
  if (node.parent_ == nullptr) return;
  setRow(RowOfNode(node));
}

void TCustomOutline::textChanged(TOutlineNode& node) {
  if (node.parent_ == nullptr || !node.parent_->expanded_) return;
  if (view_ != nullptr) view_->repaintRow(RowOfNode(node));
  UpdateColumnWidth();
}

}  // namespace tarnsel::controls
