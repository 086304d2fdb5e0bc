// The folder picker's stored layout: positions for 96 dots per inch and a form
// font whose digit is 12 pixels high.
#include "windows/TForm2.h"

namespace tarnsel::windows {

using namespace ui;

namespace {
constexpr TAnchors kLeftTopRight = {true, true, true, false};
constexpr TAnchors kTopRight = {false, true, true, false};
}  // namespace

const StoredForm& Form2Layout() {
  static const StoredForm layout = {.caption = "Form2",
                                    .left = 237,
                                    .top = 125,
                                    .clientWidth = 471,
                                    .clientHeight = 480,
                                    .color = clBtnFace,
                                    .position = TPosition::poDesigned,
                                    .textHeight = 12,
                                    .outerSize = true,
                                    .components = {
                                        {.name = "DriveComboBox1",
                                         .className = "TDriveComboBox",
                                         .parent = nullptr,
                                         .left = 0,
                                         .top = 0,
                                         .width = 335,
                                         .height = 18,
                                         .anchors = kLeftTopRight,
                                         .tabOrder = 4,
                                         .color = clWindow,
                                         .fontColor = clWindowText,
                                         .onChange = "DriveComboBox1Change"},
                                        {.name = "DirectoryOutline1",
                                         .className = "TDirectoryOutline",
                                         .parent = nullptr,
                                         .left = 0,
                                         .top = 24,
                                         .width = 334,
                                         .height = 385,
                                         .anchors = kLeftTopRight,
                                         .tabOrder = 2,
                                         .color = clWindow,
                                         .fontColor = clWindowText,
                                         .itemHeight = 14,
                                         .onChange = "DirectoryOutline1Change"},
                                        {.name = "Edit1",
                                         .className = "TEdit",
                                         .parent = nullptr,
                                         .left = 0,
                                         .top = 416,
                                         .width = 335,
                                         .height = 20,
                                         .anchors = kLeftTopRight,
                                         .tabOrder = 3,
                                         .color = clWindow,
                                         .fontColor = clWindowText,
                                         .caption = "Edit1"},
                                        {.name = "BitBtn1",
                                         .className = "TBitBtn",
                                         .parent = nullptr,
                                         .left = 345,
                                         .top = 32,
                                         .width = 113,
                                         .height = 65,
                                         .anchors = kTopRight,
                                         .tabOrder = 0,
                                         .color = clBtnFace,
                                         .fontColor = clWindowText,
                                         .cursor = TCursor::crHandPoint,
                                         .kind = TBitBtnKind::bkOK,
                                         .onClick = "BitBtn1Click"},
                                        {.name = "BitBtn2",
                                         .className = "TBitBtn",
                                         .parent = nullptr,
                                         .left = 345,
                                         .top = 120,
                                         .width = 113,
                                         .height = 65,
                                         .anchors = kTopRight,
                                         .tabOrder = 1,
                                         .color = clBtnFace,
                                         .fontColor = clWindowText,
                                         .cursor = TCursor::crHandPoint,
                                         .kind = TBitBtnKind::bkAbort,
                                         .onClick = "BitBtn2Click"},
                                    }};
  return layout;
}

}  // namespace tarnsel::windows
