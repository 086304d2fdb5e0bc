// Bitmaps of one colour for the test doubles, and their names.
#include "support/TestBitmaps.h"

#include <cstddef>
#include <vector>

namespace tarnsel::test_support {

screen::Bitmap FilledBitmap(int width, int height, std::uint32_t colour) {
  return {width, height,
          std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), colour)};
}

std::string NameOf(const screen::Bitmap& bitmap) {
  const std::uint32_t colour = bitmap.pixels.empty() ? 0 : bitmap.pixels.front();
  if (colour >= 1 && colour <= 5) return OutlinePictureNames[colour - 1];
  return std::to_string(bitmap.width) + "x" + std::to_string(bitmap.height);
}

}  // namespace tarnsel::test_support
