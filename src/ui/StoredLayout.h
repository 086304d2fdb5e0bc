// A form's stored layout as plain data: the component tree with its property
// values and the names of the handlers that its events are bound to.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/Form.h"

namespace tarnsel::ui {

struct StoredComponent {
  const char* name;
  const char* className;  // "TPanel", "TLabel", "TEdit", "TBitBtn", "TSpeedButton", …
  const char* parent;     // nullptr: the form
  int left, top, width, height;
  screen::TAlign align = screen::TAlign::alNone;
  screen::TAnchors anchors = {};
  int tabOrder = -1;
  screen::TColor color = screen::clBtnFace;
  screen::TColor fontColor = screen::clWindowText;
  int fontHeight = -12;
  screen::TCursor cursor = screen::TCursor::crDefault;
  const char* caption = "";  // caption, or the text of an edit field (UTF-8)
  bool bevel = true;         // panels: raised outer bevel
  bool readOnly = false;     // edit fields
  TBitBtnKind kind = TBitBtnKind::bkCustom;
  const char* mask = "*.*";  // file lists
  bool listFolders = false;  // file lists: FileType holds ftDirectory
  int itemHeight = 0;        // list controls; 0: from the font
  const char* onClick = nullptr;
  const char* onChange = nullptr;
};

struct StoredForm {
  const char* caption;
  int left, top, clientWidth, clientHeight;
  screen::TColor color;
  TPosition position;
  int textHeight;          // the form font's digit height the layout was made for
  bool outerSize = false;  // the size is the window's outer size, not its client size
  const char* onShow = nullptr;
  const char* onResize = nullptr;
  std::span<const StoredComponent> components;

  // The stored component named `name`; throws when the layout has none.
  const StoredComponent& component(const std::string& name) const;
};

// An event handler under the name the stored layout binds events to: a plain
// function of the form being built, so that a form's table is constant data.
struct NamedHandler {
  const char* name;
  void (*run)(Form& form);
};
using HandlerTable = std::span<const NamedHandler>;

// Makes a control of a class that the builder does not know itself.
using ComponentFactory = Control* (*)(Form& form, Control* parent, const StoredComponent& stored);

// The factory for the stored components of one class.
struct NamedFactory {
  const char* className;
  ComponentFactory make;
};

// Builds the controls of `stored` into `form` (whose window must exist) and binds
// events by handler name; a name missing from `handlers` is an error, and so is
// a class that is neither a standard one nor in `factories`.
void BuildComponents(Form& form, const StoredForm& stored, HandlerTable handlers,
                     std::span<const NamedFactory> factories = {});

// The handler bound to `name`, called with `form` (none for no name); throws
// when there is none.
std::function<void()> Handler(HandlerTable handlers, const char* name, Form& form);

}  // namespace tarnsel::ui
