#include "controls/win32/ListItems.h"

#include "controls/FileListBox.h"
#include "ui/Form.h"

namespace tarnsel::controls::win32 {

int CurrentScreenCursor() {
  return GetCursor() == LoadCursorW(nullptr, IDC_WAIT) ? crHourGlass : crDefault;
}

void SetCurrentScreenCursor(int cursor) {
  SetCursor(LoadCursorW(nullptr, cursor == crHourGlass ? IDC_WAIT : IDC_ARROW));
}

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
