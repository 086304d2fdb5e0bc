// The texts of the error boxes: the fatal box's line naming the error's class,
// module and address, and the full stop added to a message.
#include "screen/ErrorText.h"

#include <gtest/gtest.h>

namespace tarnsel::ui {
namespace {

TEST(ErrorBox, FatalTextNamesClassModuleAddressAndMessage) {
  EXPECT_EQ(screen::FatalErrorText("EOleError", "viewer.exe", "0000000000000000",
                           "OLE コントロールのアクティベートに失敗しました"),
            "EOleErrorがモジュール viewer.exe の 0000000000000000 で発生しました。\n"
            "OLE コントロールのアクティベートに失敗しました.");
  EXPECT_EQ(screen::FatalErrorText("E", "a.exe", "0", "done."),
            "Eがモジュール a.exe の 0 で発生しました。\ndone.");
}

TEST(ErrorBox, FullStopFollowsLettersButNotClosingPunctuation) {
  EXPECT_EQ(screen::ErrorBoxText("ファイルが見つかりません"), "ファイルが見つかりません.");
  EXPECT_EQ(screen::ErrorBoxText("I/O エラー (21)"), "I/O エラー (21)");
  EXPECT_EQ(screen::ErrorBoxText("done."), "done.");
  EXPECT_EQ(screen::ErrorBoxText("abc"), "abc.");
  EXPECT_EQ(screen::ErrorBoxText(""), "");
}

}  // namespace
}  // namespace tarnsel::ui
