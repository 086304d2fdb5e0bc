// The folder picker's stored layout: positions for 96 dots per inch and a form
// font whose digit is 12 pixels high.
#include "windows/TForm2.h"

namespace tarnsel::windows {

using namespace ui;

namespace {

constexpr StoredComponent kComponents[] = {
    {.name = "DriveComboBox1",
     .className = "TDriveComboBox",
     .parent = nullptr,
     .left = 0,
     .top = 0,
     .width = 335,
     .height = 18,
     .anchors = screen::kLeftTopRight,
     .tabOrder = 4,
     .color = screen::clWindow,
     .fontColor = screen::clWindowText,
     .onChange = "DriveComboBox1Change"},
    {.name = "DirectoryOutline1",
     .className = "TDirectoryOutline",
     .parent = nullptr,
     .left = 0,
     .top = 24,
     .width = 334,
     .height = 385,
     .anchors = screen::kLeftTopRight,
     .tabOrder = 2,
     .color = screen::clWindow,
     .fontColor = screen::clWindowText,
     .itemHeight = 14,
     .onChange = "DirectoryOutline1Change"},
    {.name = "Edit1",
     .className = "TEdit",
     .parent = nullptr,
     .left = 0,
     .top = 416,
     .width = 335,
     .height = 20,
     .anchors = screen::kLeftTopRight,
     .tabOrder = 3,
     .color = screen::clWindow,
     .fontColor = screen::clWindowText,
     .caption = "Edit1"},
    {.name = "BitBtn1",
     .className = "TBitBtn",
     .parent = nullptr,
     .left = 345,
     .top = 32,
     .width = 113,
     .height = 65,
     .anchors = screen::kTopRight,
     .tabOrder = 0,
     .color = screen::clBtnFace,
     .fontColor = screen::clWindowText,
     .cursor = screen::TCursor::crHandPoint,
     .kind = TBitBtnKind::bkOK,
     .onClick = "BitBtn1Click"},
    {.name = "BitBtn2",
     .className = "TBitBtn",
     .parent = nullptr,
     .left = 345,
     .top = 120,
     .width = 113,
     .height = 65,
     .anchors = screen::kTopRight,
     .tabOrder = 1,
     .color = screen::clBtnFace,
     .fontColor = screen::clWindowText,
     .cursor = screen::TCursor::crHandPoint,
     .kind = TBitBtnKind::bkAbort,
     .onClick = "BitBtn2Click"},
};

constexpr StoredForm kLayout = {.caption = "Form2",
                                .left = 237,
                                .top = 125,
                                .clientWidth = 471,
                                .clientHeight = 480,
                                .color = screen::clBtnFace,
                                .position = TPosition::poDesigned,
                                .textHeight = 12,
                                .outerSize = true,
                                .components = kComponents};

}  // namespace

const StoredForm& Form2Layout() { return kLayout; }

}  // namespace tarnsel::windows
