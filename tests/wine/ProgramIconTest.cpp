// The forms' window class carries the program icon at the system's large and
// small icon sizes (the test program holds the same icon resource).
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/Application.h"
#include "ui/Form.h"

namespace tarnsel::ui {
namespace {

class IconForm final : public Form {
 public:
  IconForm() { createForm("ProgramIconTest", 0, 0, 200, 100); }
};

// The width and height of an icon's image.
SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {0, 0};
  BITMAP mask = {};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  // Without a colour bitmap the mask holds the AND and XOR halves stacked.
  const SIZE size = {mask.bmWidth, info.hbmColor ? mask.bmHeight : mask.bmHeight / 2};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return size;
}

TEST(ProgramIconTest, TheFormClassCarriesTheIconAtTheSystemSizes) {
  Application application;
  IconForm form;
  ASSERT_TRUE(form.hasHandle());
  const auto large = reinterpret_cast<HICON>(GetClassLongPtrW(form.handle(), GCLP_HICON));
  const auto small = reinterpret_cast<HICON>(GetClassLongPtrW(form.handle(), GCLP_HICONSM));
  ASSERT_NE(large, nullptr);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(IconSize(large).cx, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(IconSize(large).cy, GetSystemMetrics(SM_CYICON));
  EXPECT_EQ(IconSize(small).cx, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(IconSize(small).cy, GetSystemMetrics(SM_CYSMICON));
}

}  // namespace
}  // namespace tarnsel::ui
