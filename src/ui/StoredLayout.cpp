#include "ui/StoredLayout.h"

#include <stdexcept>
#include <string_view>

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

std::function<void()> Handler(HandlerTable handlers, const char* name, Form& form) {
  if (!name) return nullptr;
  const std::string_view wanted = name;
  for (const NamedHandler& handler : handlers) {
    if (handler.name == wanted) return [run = handler.run, &form] { run(form); };
  }
  throw std::logic_error(std::string("no handler ") + name);
}

namespace {

Control* MakeStandard(Form& form, Control* parent, const StoredComponent& c,
                      HandlerTable handlers) {
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
    button.OnClick = Handler(handlers, c.onClick, form);
    return &button;
  }
  if (className == "TSpeedButton") {
    auto& button = form.add<TSpeedButton>(parent, c.name);
    button.caption = c.caption;
    button.OnClick = Handler(handlers, c.onClick, form);
    return &button;
  }
  return nullptr;
}

// The factory for the stored class `className`; throws when there is none.
ComponentFactory FactoryFor(std::span<const NamedFactory> factories, const char* className) {
  const std::string_view wanted = className;
  for (const NamedFactory& factory : factories) {
    if (factory.className == wanted) return factory.make;
  }
  throw std::logic_error(std::string("unknown component class ") + className);
}

}  // namespace

void BuildComponents(Form& form, const StoredForm& stored, HandlerTable handlers,
                     std::span<const NamedFactory> factories) {
  form.color = stored.color;
  form.position = stored.position;
  form.OnShow = Handler(handlers, stored.onShow, form);
  form.OnResize = Handler(handlers, stored.onResize, form);
  for (const StoredComponent& c : stored.components) {
    Control* parent = c.parent ? form.find(c.parent) : nullptr;
    if (c.parent && !parent) throw std::logic_error(std::string("no parent for ") + c.name);
    Control* control = MakeStandard(form, parent, c, handlers);
    if (!control) control = FactoryFor(factories, c.className)(form, parent, c);
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
