// The texts of the error boxes: the fatal box's line naming the error's class,
// module and address, and the full stop added to a message.
#include "ui/ErrorText.h"

#include <gtest/gtest.h>

namespace tarnsel::ui {
namespace {

TEST(ErrorBox, FatalTextNamesClassModuleAddressAndMessage) {
  EXPECT_EQ(FatalErrorText("EOleError", "viewer.exe", "0000000000000000",
                           "OLE コントロールのアクティベートに失敗しました"),
            "EOleErrorがモジュール viewer.exe の 0000000000000000 で発生しました。\n"
            "OLE コントロールのアクティベートに失敗しました.");
  EXPECT_EQ(FatalErrorText("E", "a.exe", "0", "done."),
            "Eがモジュール a.exe の 0 で発生しました。\ndone.");
}

TEST(ErrorBox, FullStopFollowsLettersButNotClosingPunctuation) {
  EXPECT_EQ(ErrorBoxText("ファイルが見つかりません"), "ファイルが見つかりません.");
  EXPECT_EQ(ErrorBoxText("I/O エラー (21)"), "I/O エラー (21)");
  EXPECT_EQ(ErrorBoxText("done."), "done.");
  EXPECT_EQ(ErrorBoxText("abc"), "abc.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace tarnsel::ui
