// The values on this screen of the colours and cursors that layouts and models name.
#pragma once

#include <windows.h>

#include "screen/Color.h"
#include "screen/Cursor.h"

namespace tarnsel::ui {

COLORREF ToColorRef(screen::TColor color);
// The system cursor for a control's cursor; the arrow for any other value.
HCURSOR LoadTCursor(screen::TCursor cursor);

}  // namespace tarnsel::ui
