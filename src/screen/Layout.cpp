#include "screen/Layout.h"

#include <algorithm>

namespace tarnsel::screen {

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

void PlaceAnchored(LayoutNode& child, int width, int height) {
  Bounds& b = child.bounds;
  if (child.anchors.akRight) {
    const int right = width - child.anchorRight;
    if (child.anchors.akLeft) {
      b.width = std::max(0, right - b.left);
    } else {
      b.left = right - b.width;
    }
  }
  if (child.anchors.akBottom) {
    const int bottom = height - child.anchorBottom;
    if (child.anchors.akTop) {
      b.height = std::max(0, bottom - b.top);
    } else {
      b.top = bottom - b.height;
    }
  }
}

}  // namespace

int ClientWidth(const LayoutNode& node) { return std::max(0, node.bounds.width); }
int ClientHeight(const LayoutNode& node) { return std::max(0, node.bounds.height); }

void TakeAnchors(LayoutNode& root) {
  const int width = ClientWidth(root);
  const int height = ClientHeight(root);
  for (LayoutNode* child : root.children) {
    child->anchorRight = width - child->bounds.right();
    child->anchorBottom = height - child->bounds.bottom();
    child->anchorsTaken = true;
    TakeAnchors(*child);
  }
}

void Realign(LayoutNode& node) {
  const int width = ClientWidth(node);
  const int height = ClientHeight(node);
  // The space that aligned controls have not taken yet: the client area less the
  // frame drawn inside it.
  int left = node.inset;
  int top = node.inset;
  int right = std::max(left, width - node.inset);
  int bottom = std::max(top, height - node.inset);
  const auto place = [&](TAlign align) {
    for (LayoutNode* child : node.children) {
      if (child->align != align) continue;
      Bounds& b = child->bounds;
      switch (align) {
        case TAlign::alTop:
          b = {left, top, std::max(0, right - left), b.height};
          top += b.height;
          break;
        case TAlign::alBottom:
          b = {left, bottom - b.height, std::max(0, right - left), b.height};
          bottom -= b.height;
          break;
        case TAlign::alLeft:
          b = {left, top, b.width, std::max(0, bottom - top)};
          left += b.width;
          break;
        case TAlign::alRight:
          b = {right - b.width, top, b.width, std::max(0, bottom - top)};
          right -= b.width;
          break;
        case TAlign::alClient:
          b = {left, top, std::max(0, right - left), std::max(0, bottom - top)};
          break;
        case TAlign::alNone:
          break;
      }
    }
  };
  for (TAlign align :
       {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    place(align);
  }
  for (LayoutNode* child : node.children) {
    if (child->align == TAlign::alNone && child->anchorsTaken) PlaceAnchored(*child, width, height);
    Realign(*child);
  }
}

void ScaleTree(LayoutNode& node, int numerator, int denominator) {
  Bounds& b = node.bounds;
  b = {MulDivRounded(b.left, numerator, denominator), MulDivRounded(b.top, numerator, denominator),
       MulDivRounded(b.width, numerator, denominator),
       MulDivRounded(b.height, numerator, denominator)};
  node.anchorRight = MulDivRounded(node.anchorRight, numerator, denominator);
  node.anchorBottom = MulDivRounded(node.anchorBottom, numerator, denominator);
  for (LayoutNode* child : node.children) ScaleTree(*child, numerator, denominator);
}

}  // namespace tarnsel::screen
