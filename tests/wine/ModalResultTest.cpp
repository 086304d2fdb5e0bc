// Modal results: the one each bit-button kind carries, the order in which a
// click hands it over, and what ends a modal run.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Form.h"

namespace tarnsel::ui {
namespace {

class PlainForm final : public Form {
 public:
  explicit PlainForm(const char* caption) { createForm(caption, 0, 0, 300, 200); }
};

// A main form (the first one created) and a dialog with one bit button.
class ModalResultTest : public testing::Test {
 protected:
  // Makes the dialog's first show post `message` to the dialog, so that the
  // modal loop handles it.
  void postOnShow(UINT message, WPARAM wParam, bool aboutButton) {
    dialog.OnShow = [this, message, wParam, aboutButton] {
      PostMessageW(dialog.handle(), message, wParam,
                   aboutButton ? reinterpret_cast<LPARAM>(button.handle()) : 0);
    };
  }
  static constexpr WPARAM kClicked = MAKEWPARAM(0, BN_CLICKED);

  Application application;
  PlainForm mainForm{"ModalResultMain"};
  PlainForm dialog{"ModalResultDialog"};
  TBitBtn& button = dialog.add<TBitBtn>(nullptr, "BitBtn1");
};

TEST_F(ModalResultTest, EachKindCarriesItsResult) {
  EXPECT_EQ(button.modalResult(), mrNone);
  button.setKind(TBitBtnKind::bkOK);
  EXPECT_EQ(button.modalResult(), mrOk);
  button.setKind(TBitBtnKind::bkAbort);
  EXPECT_EQ(button.modalResult(), mrAbort);
  button.setKind(TBitBtnKind::bkCustom);
  EXPECT_EQ(button.modalResult(), mrNone);
}

TEST_F(ModalResultTest, AClickHandsTheResultOverBeforeItsHandlerRuns) {
  button.setKind(TBitBtnKind::bkAbort);
  TModalResult seenByHandler = mrNone;
  button.OnClick = [this, &seenByHandler] { seenByHandler = dialog.modalResult; };
  button.click();
  EXPECT_EQ(seenByHandler, mrAbort);
  EXPECT_EQ(dialog.modalResult, mrAbort);
}

TEST_F(ModalResultTest, AModalRunEndsWithTheClickedButtonsResult) {
  button.setKind(TBitBtnKind::bkOK);
  postOnShow(WM_COMMAND, kClicked, true);
  EXPECT_EQ(dialog.showModal(), mrOk);
  EXPECT_FALSE(IsWindowVisible(dialog.handle()));
}

TEST_F(ModalResultTest, AHandlerOverridesTheKindsResult) {
  button.setKind(TBitBtnKind::bkAbort);
  button.OnClick = [this] { dialog.modalResult = mrCancel; };
  postOnShow(WM_COMMAND, kClicked, true);
  EXPECT_EQ(dialog.showModal(), mrCancel);
}

TEST_F(ModalResultTest, ClosingAModalFormCancelsIt) {
  button.setKind(TBitBtnKind::bkOK);
  postOnShow(WM_CLOSE, 0, false);
  EXPECT_EQ(dialog.showModal(), mrCancel);
  EXPECT_TRUE(IsWindow(dialog.handle()));
}

}  // namespace
}  // namespace tarnsel::ui
