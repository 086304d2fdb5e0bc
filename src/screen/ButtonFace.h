// Where a button face puts its glyph and caption: centred together, glyph to the
// left, 4 pixels between them, all one pixel right and down while held down.
#pragma once

namespace tarnsel::screen {

struct FacePlacement {
  int glyphLeft = 0;
  int glyphTop = 0;
  int captionLeft = 0;
  int captionTop = 0;
};

// W × H: the face; glyph gw × gh and caption tw × th, each 0 × 0 when missing.
inline FacePlacement PlaceFace(int W, int H, int gw, int gh, int tw, int th, bool down) {
  const int spacing = (gw == 0 || tw == 0) ? 0 : 4;
  const int margin = (W - (gw + spacing + tw) + 1) / 2;
  const int shift = down ? 1 : 0;
  return {margin + shift, (H - gh + 1) / 2 + shift, margin + gw + spacing + shift,
          (H - th + 1) / 2 + shift};
}

}  // namespace tarnsel::screen
