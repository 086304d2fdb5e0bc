// A control's bitmap: whether its pixels cover its size (the Win32 canvas copies
// width x height pixels only then) and which colour it draws transparent.
#include "screen/Canvas.h"

#include <gtest/gtest.h>

namespace tarnsel::controls {
namespace {

TEST(Bitmap, TransparentColourIsTheBottomLeftPixel) {
  // 3 x 2, rows from the top: the bottom row starts at index 3.
  const screen::Bitmap bitmap{3, 2, {0x111111, 0x222222, 0x333333, 0xABCDEF, 0x555555, 0x666666}};
  ASSERT_TRUE(bitmap.drawable());
  EXPECT_EQ(bitmap.transparentColor(), 0xABCDEFu);
  const screen::Bitmap column{1, 3, {0x010101, 0x020202, 0x030303}};
  EXPECT_EQ(column.transparentColor(), 0x030303u);
}

TEST(Bitmap, TooFewPixelsOrNoSizeIsNotDrawnAndReadsNothing) {
  // A short pixel buffer would make the canvas copy and the transparent-colour
  // lookup read past its end: such a bitmap is not drawable and has no colour.
  const screen::Bitmap shortRows{4, 4, std::vector<std::uint32_t>(15, 0x123456)};
  EXPECT_FALSE(shortRows.drawable());
  EXPECT_EQ(shortRows.transparentColor(), 0u);
  EXPECT_FALSE((screen::Bitmap{0, 5, {1, 2, 3, 4, 5}}.drawable()));
  EXPECT_FALSE((screen::Bitmap{5, 0, {1, 2, 3, 4, 5}}.drawable()));
  EXPECT_FALSE((screen::Bitmap{-2, -3, {1, 2, 3, 4, 5, 6}}.drawable()));
  EXPECT_FALSE(screen::Bitmap{}.drawable());
  // More pixels than needed are fine; the extra ones are ignored.
  const screen::Bitmap extra{2, 1, {0x0000FF, 0x00FF00, 0xFF0000}};
  EXPECT_TRUE(extra.drawable());
  EXPECT_EQ(extra.transparentColor(), 0x0000FFu);
}

}  // namespace
}  // namespace tarnsel::controls
