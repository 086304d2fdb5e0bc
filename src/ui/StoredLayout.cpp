#include "ui/StoredLayout.h"

#include <stdexcept>

#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace tarnsel::ui {

const StoredComponent& StoredForm::component(const std::string& name) const {
  for (const StoredComponent& c : components) {
    if (c.name == name) return c;
  }
  throw std::logic_error("no stored component " + name);
}

std::function<void()> Handler(const HandlerTable& handlers, const char* name) {
  if (!name) return nullptr;
  auto found = handlers.find(name);
  if (found == handlers.end()) throw std::logic_error(std::string("no handler ") + name);
  return found->second;
}

namespace {

Control* MakeStandard(Form& form, Control* parent, const StoredComponent& c,
                      const HandlerTable& handlers) {
  const std::string className = c.className;
  if (className == "TPanel") {
    auto& panel = form.add<TPanel>(parent, c.name);
    panel.caption = c.caption;
    panel.raisedBevel = c.bevel;
    return &panel;
  }
  if (className == "TLabel") {
    auto& label = form.add<TLabel>(parent, c.name);
    label.caption = c.caption;
    return &label;
  }
  if (className == "TEdit") {
    auto& edit = form.add<TEdit>(parent, c.name);
    edit.readOnly = c.readOnly;
    edit.setText(c.caption);
    return &edit;
  }
  if (className == "TBitBtn") {
    auto& button = form.add<TBitBtn>(parent, c.name);
    button.caption = c.caption;
    button.setKind(c.kind);
    button.OnClick = Handler(handlers, c.onClick);
    return &button;
  }
  if (className == "TSpeedButton") {
    auto& button = form.add<TSpeedButton>(parent, c.name);
    button.caption = c.caption;
    button.OnClick = Handler(handlers, c.onClick);
    return &button;
  }
  return nullptr;
}

}  // namespace

void BuildComponents(Form& form, const StoredForm& stored, const HandlerTable& handlers,
                     const std::map<std::string, ComponentFactory>& factories) {
  form.color = stored.color;
  form.position = stored.position;
  form.OnShow = Handler(handlers, stored.onShow);
  form.OnResize = Handler(handlers, stored.onResize);
  for (const StoredComponent& c : stored.components) {
    Control* parent = c.parent ? form.find(c.parent) : nullptr;
    if (c.parent && !parent) throw std::logic_error(std::string("no parent for ") + c.name);
    Control* control = MakeStandard(form, parent, c, handlers);
    if (!control) {
      auto factory = factories.find(c.className);
      if (factory == factories.end()) {
        throw std::logic_error(std::string("unknown component class ") + c.className);
      }
      control = factory->second(form, parent, c);
    }
    control->layout().bounds = {c.left, c.top, c.width, c.height};
    control->layout().align = c.align;
    control->layout().anchors = c.anchors;
    control->tabOrder = c.tabOrder;
    control->color = c.color;
    control->fontColor = c.fontColor;
    control->fontHeight = c.fontHeight;
    control->cursor = c.cursor;
  }
}

}  // namespace tarnsel::ui
