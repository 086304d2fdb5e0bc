// Placement of controls inside their parents: alignment (alClient, alBottom, …)
// and anchors, computed without any window so that it can be tested natively.
#pragma once

#include <string>
#include <vector>

namespace tarnsel::screen {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

struct TAnchors {
  bool akLeft = true;
  bool akTop = true;
  bool akRight = false;
  bool akBottom = false;
  bool operator==(const TAnchors&) const = default;
};

// The anchor sets the stored layouts use besides the default left and top.
inline constexpr TAnchors kLeftTopRight = {true, true, true, false};
inline constexpr TAnchors kTopRight = {false, true, true, false};

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Bounds&) const = default;
};

// One control in the tree. Child positions are relative to its client area, which
// is as large as the control; aligned children fill that area less `inset` on
// every side (the frame a panel draws inside itself).
struct LayoutNode {
  std::string name;
  Bounds bounds;
  TAlign align = TAlign::alNone;
  TAnchors anchors{};
  int inset = 0;
  std::vector<LayoutNode*> children{};  // not owned; in creation order

  // Distances to the parent's right and bottom edges, taken when the control is
  // first placed; anchors keep them.
  int anchorRight = 0;
  int anchorBottom = 0;
  bool anchorsTaken = false;
};

// Client size of a node, never negative.
int ClientWidth(const LayoutNode& node);
int ClientHeight(const LayoutNode& node);

// Records every child's distances to the right and bottom of its parent, as
// designed; call once after building the tree.
void TakeAnchors(LayoutNode& root);

// Places the children of `node` (and theirs) for the node's current size:
// aligned controls first (top, bottom, left, right, then client in the space
// left), then anchored ones.
void Realign(LayoutNode& node);

// Scales every position and size in the tree by numerator / denominator, rounding
// each value as a multiply-divide does.
void ScaleTree(LayoutNode& node, int numerator, int denominator);

}  // namespace tarnsel::screen
