// Bitmaps the test doubles hand out: filled with one colour, so that a drawing
// can name the picture it shows (colour n + 1 is outline picture n).
#pragma once

#include <cstdint>
#include <string>

#include "screen/Canvas.h"

namespace tarnsel::test_support {

// The outline's resource names, in the order of their fill colours 1 to 5.
inline const char* const OutlinePictureNames[] = {"PLUS", "MINUS", "OPEN", "CLOSED", "LEAF"};

screen::Bitmap FilledBitmap(int width, int height, std::uint32_t colour);

// The outline picture a bitmap of FilledBitmap stands for, else its size "WxH".
std::string NameOf(const screen::Bitmap& bitmap);

}  // namespace tarnsel::test_support
