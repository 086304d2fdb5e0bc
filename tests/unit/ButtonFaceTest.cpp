// Where a button face puts its glyph and caption, up and held down.
#include "screen/ButtonFace.h"

#include <gtest/gtest.h>

namespace tarnsel::ui {
namespace {

TEST(ButtonFace, GlyphAndCaptionAreCentredTogether) {
  // The setup button: 129 x 97 with an 18 x 18 glyph and a 96 x 12 caption.
  const screen::FacePlacement up = screen::PlaceFace(129, 97, 18, 18, 96, 12, false);
  EXPECT_EQ(up.glyphLeft, 6);
  EXPECT_EQ(up.glyphTop, 40);
  EXPECT_EQ(up.captionLeft, 28);
  EXPECT_EQ(up.captionTop, 43);
  const screen::FacePlacement down = screen::PlaceFace(129, 97, 18, 18, 96, 12, true);
  EXPECT_EQ(down.glyphLeft, 7);
  EXPECT_EQ(down.captionTop, 44);
}

TEST(ButtonFace, NoSpacingWithoutGlyphOrCaption) {
  const screen::FacePlacement text = screen::PlaceFace(73, 20, 0, 0, 24, 12, false);
  EXPECT_EQ(text.captionLeft, 25);
  EXPECT_EQ(text.captionTop, 4);
  const screen::FacePlacement glyph = screen::PlaceFace(30, 30, 18, 18, 0, 0, false);
  EXPECT_EQ(glyph.glyphLeft, 6);
  const screen::FacePlacement odd = screen::PlaceFace(10, 10, 0, 0, 13, 13, false);
  EXPECT_EQ(odd.captionLeft, -1) << "truncates toward zero";
  EXPECT_EQ(odd.captionTop, -1);
}

}  // namespace
}  // namespace tarnsel::ui
