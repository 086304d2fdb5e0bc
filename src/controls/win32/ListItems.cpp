#include "controls/win32/ListItems.h"

#include "controls/FileListBox.h"
#include "ui/Form.h"

namespace tarnsel::controls::win32 {

screen::TCursor CurrentScreenCursor() {
  return GetCursor() == LoadCursorW(nullptr, IDC_WAIT) ? screen::TCursor::crHourGlass
                                                       : screen::TCursor::crDefault;
}

void SetCurrentScreenCursor(screen::TCursor cursor) { SetCursor(ui::LoadTCursor(cursor)); }

int FontLineHeightOf(HFONT font) {
  ui::WindowDC screen(nullptr);
  ui::SelectedObject selected(screen.get(), font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(screen.get(), &metrics);
  return metrics.tmHeight;
}

EntryPainter::EntryPainter(const DRAWITEMSTRUCT& item, ui::Control& control)
    : selected_(item.itemState & ODS_SELECTED),
      brush_(item.hDC, selected_ ? GetSysColorBrush(COLOR_HIGHLIGHT)
                                 : control.form().brushFor(control.color)),
      font_(item.hDC, control.font()),
      canvas_(item.hDC) {
  SetTextColor(item.hDC,
               selected_ ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ui::ToColorRef(control.fontColor));
}

}  // namespace tarnsel::controls::win32
