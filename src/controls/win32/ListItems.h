// What the list-type control views share: the screen services their models use,
// and the set-up of the device context for one owner-drawn entry.
#pragma once

#include <windows.h>

#include "ui/Control.h"
#include "ui/Gdi.h"
#include "ui/GdiCanvas.h"

namespace tarnsel::controls::win32 {

// The screen cursor as the models know it (crDefault or crHourGlass).
screen::TCursor CurrentScreenCursor();
void SetCurrentScreenCursor(screen::TCursor cursor);
// The text-metric height of a font on the screen, without external leading.
int FontLineHeightOf(HFONT font);

// Selects the selection colours (or the control's) and the control's font into
// an entry's DC for as long as it lives, and offers a canvas on it.
class EntryPainter {
 public:
  EntryPainter(const DRAWITEMSTRUCT& item, ui::Control& control);
  ui::GdiCanvas& canvas() { return canvas_; }

 private:
  bool selected_;
  ui::SelectedObject brush_;
  ui::SelectedObject font_;
  ui::GdiCanvas canvas_;
};

}  // namespace tarnsel::controls::win32
