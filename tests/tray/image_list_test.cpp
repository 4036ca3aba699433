// The image list: owned copies at the list's size, copies handed out, the
// program's own icons by name.
#include <windows.h>

#include "gui_test.h"
#include "test_icons.h"
#include "ui/error.h"
#include "ui/image_list.h"
#include "ui/window.h"

namespace {

using wc::test::MakeSolidIcon;
using wc::test::ReadIcon;

class ImageListTest : public wc::test::GuiTest {};

TEST_F(ImageListTest, KeepsItsOwnCopiesAtItsSizeAndHandsOutCopies) {
  ui::ImageList list(nullptr, "ImageList1");
  {
    ui::IconHandle red = MakeSolidIcon(RGB(255, 0, 0));
    ui::IconHandle big = MakeSolidIcon(RGB(0, 0, 255), 32);
    EXPECT_EQ(list.Add(red.get()), 0);
    EXPECT_EQ(list.Add(big.get()), 1);
  }  // the originals are gone; the list's copies stay
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(ReadIcon(list.Image(0)).centre, RGB(255, 0, 0));
  auto facts = ReadIcon(list.Image(1));
  EXPECT_EQ(facts.width, 16);
  EXPECT_EQ(facts.height, 16);
  EXPECT_EQ(facts.centre, RGB(0, 0, 255));

  ui::IconHandle copy = list.GetIcon(0);
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.get(), list.Image(0));
  copy.reset();  // the caller's copy goes, the list's image stays usable
  EXPECT_EQ(ReadIcon(list.Image(0)).centre, RGB(255, 0, 0));

  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(ReadIcon(list.Image(0)).centre, RGB(0, 0, 255));
}

TEST_F(ImageListTest, MissingImagesGiveNothingInsteadOfFailing) {
  ui::ImageList list(nullptr, "ImageList1");
  EXPECT_EQ(list.Add(HICON(nullptr)), -1);
  EXPECT_EQ(list.Add(ui::IconHandle()), -1);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_FALSE(list.GetIcon(0));
  EXPECT_FALSE(list.GetIcon(-1));
  EXPECT_EQ(list.Image(5), nullptr);
  list.Delete(3);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ImageListTest, LoadsTheProgramsIconsByNameAtItsSize) {
  ui::ImageList list(nullptr, "ImageList1");
  EXPECT_EQ(list.AddResource("IC_TRAY_DAY"), 0);
  EXPECT_EQ(list.AddResource("IC_TRAY_DUSK"), 1);
  EXPECT_EQ(list.AddResource("IC_TRAY_NIGHT"), 2);
  for (int i = 0; i < 3; ++i) {
    auto facts = ReadIcon(list.Image(i));
    EXPECT_EQ(facts.width, 16) << i;
    EXPECT_EQ(facts.height, 16) << i;
  }
  ui::ImageList large(nullptr, "Large", 32, 32);
  large.AddResource(ui::kProgramIcon);
  EXPECT_EQ(ReadIcon(large.Image(0)).width, 32);

  EXPECT_THROW(list.AddResource("IC_NO_SUCH_ICON"), ui::Error);
  EXPECT_THROW(list.AddResource(nullptr), ui::Error);
  EXPECT_EQ(list.Count(), 3);
}

}  // namespace
