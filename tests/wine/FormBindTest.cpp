// A form binds its controls to typed members once its layout is built: the
// named control of the asked class, or a start-up error naming the control.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/StoredLayout.h"

namespace tarnsel::ui {
namespace {

// A small stored layout: a panel holding a field and a button.
constexpr StoredComponent kComponents[] = {
    {.name = "Panel2",
     .className = "TPanel",
     .parent = nullptr,
     .left = 0,
     .top = 0,
     .width = 300,
     .height = 200},
    {.name = "Edit1",
     .className = "TEdit",
     .parent = "Panel2",
     .left = 8,
     .top = 8,
     .width = 200,
     .height = 20,
     .caption = "stored text"},
    {.name = "BitBtn1",
     .className = "TBitBtn",
     .parent = "Panel2",
     .left = 8,
     .top = 40,
     .width = 100,
     .height = 30,
     .kind = TBitBtnKind::bkOK},
};

constexpr StoredForm kLayout = {.caption = "FormBindTest",
                                .left = 0,
                                .top = 0,
                                .clientWidth = 300,
                                .clientHeight = 200,
                                .color = screen::clBtnFace,
                                .position = TPosition::poDesigned,
                                .textHeight = 12,
                                .components = kComponents};

const StoredForm& TestLayout() { return kLayout; }

class BoundForm final : public Form {
 public:
  BoundForm() {
    const StoredForm& stored = TestLayout();
    createForm(stored.caption, stored.left, stored.top, stored.clientWidth, stored.clientHeight);
    BuildComponents(*this, stored, {});
  }
  using Form::bind;
};

// The message of the error that `bindCall` ends in; "" when it ends in none.
template <typename Call>
std::string BindError(Call bindCall) {
  try {
    bindCall();
  } catch (const std::logic_error& error) {
    return error.what();
  }
  return "";
}

TEST(FormBindTest, BindsTheNamedControlAsItsOwnClass) {
  Application application;
  BoundForm form;
  TEdit* edit = form.bind<TEdit>("Edit1");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->name(), "Edit1");
  EXPECT_EQ(edit->text(), "stored text");
  EXPECT_EQ(form.bind<TBitBtn>("BitBtn1")->modalResult(), mrOk);
  EXPECT_EQ(form.bind<TPanel>("Panel2"), edit->parentControl());
  // A base class of the control's own binds too.
  EXPECT_EQ(form.bind<Control>("Edit1"), edit);
}

TEST(FormBindTest, AMissingOrMistypedControlIsAnErrorNamingIt) {
  Application application;
  BoundForm form;
  EXPECT_EQ(BindError([&] { form.bind<TEdit>("Edit9"); }), "no component Edit9");
  EXPECT_EQ(BindError([&] { form.bind<TEdit>("BitBtn1"); }), "wrong class for component BitBtn1");
  EXPECT_EQ(BindError([&] { form.bind<TEdit>("edit1"); }), "no component edit1");
}

TEST(FormBindTest, TheStoredLayoutFindsAComponentByName) {
  const StoredForm& stored = TestLayout();
  EXPECT_STREQ(stored.component("BitBtn1").className, "TBitBtn");
  EXPECT_STREQ(stored.component("Edit1").parent, "Panel2");
  EXPECT_THROW(stored.component("Edit2"), std::logic_error);
}

}  // namespace
}  // namespace tarnsel::ui
