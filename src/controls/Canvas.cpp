// Sizes of the resource pictures the control models draw.
#include "controls/Canvas.h"

namespace tarnsel::controls {

PictureSize SizeOf(Picture picture) {
  switch (picture) {
    case Picture::Executable:
    case Picture::ClosedFolder:
    case Picture::UnknownFile:
      return {16, 15};
  }
  return {16, 15};
}

}  // namespace tarnsel::controls
