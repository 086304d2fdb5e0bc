// Sizes of the resource pictures the control models draw.
#include "controls/Canvas.h"

namespace tarnsel::controls {

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

}  // namespace tarnsel::controls
