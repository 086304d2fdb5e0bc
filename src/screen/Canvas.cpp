// Sizes of the resource pictures the control models draw, and the pixel bitmaps
// that controls hold.
#include "screen/Canvas.h"

namespace tarnsel::screen {

PictureSize SizeOf(Picture picture) {
  switch (picture) {
    case Picture::Executable:
    case Picture::ClosedFolder:
    case Picture::UnknownFile:
      return {16, 15};
    case Picture::Floppy:
    case Picture::Hard:
    case Picture::Network:
    case Picture::CDROM:
    case Picture::RAM:
      return {16, 11};
  }
  return {16, 15};
}

bool Bitmap::drawable() const {
  return width > 0 && height > 0 &&
         pixels.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

std::uint32_t Bitmap::transparentColor() const {
  if (!drawable()) return 0;
  return pixels[static_cast<std::size_t>(height - 1) * static_cast<std::size_t>(width)];
}

}  // namespace tarnsel::screen
