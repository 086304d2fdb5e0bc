// Where a button face puts its glyph and caption, up and held down.
#include "ui/ButtonFace.h"

#include <gtest/gtest.h>

namespace tarnsel::ui {
namespace {

TEST(ButtonFace, GlyphAndCaptionAreCentredTogether) {
  // The setup button: 129 x 97 with an 18 x 18 glyph and a 96 x 12 caption.
  const FacePlacement up = PlaceFace(129, 97, 18, 18, 96, 12, false);
  EXPECT_EQ(up.glyphLeft, 6);
  EXPECT_EQ(up.glyphTop, 40);
  EXPECT_EQ(up.captionLeft, 28);
  EXPECT_EQ(up.captionTop, 43);
  const FacePlacement down = PlaceFace(129, 97, 18, 18, 96, 12, true);
  EXPECT_EQ(down.glyphLeft, 7);
  EXPECT_EQ(down.captionTop, 44);
}

TEST(ButtonFace, NoSpacingWithoutGlyphOrCaption) {
  const FacePlacement text = PlaceFace(73, 20, 0, 0, 24, 12, false);
  EXPECT_EQ(text.captionLeft, 25);
  EXPECT_EQ(text.captionTop, 4);
  const FacePlacement glyph = PlaceFace(30, 30, 18, 18, 0, 0, false);
  EXPECT_EQ(glyph.glyphLeft, 6);
  const FacePlacement odd = PlaceFace(10, 10, 0, 0, 13, 13, false);
  EXPECT_EQ(odd.captionLeft, -1) << "truncates toward zero";
  EXPECT_EQ(odd.captionTop, -1);
}

}  // namespace
}  // namespace tarnsel::ui
