// Printing a picture for real: on the default printer (the PDF queue that
// tools/wine/printer.sh sets up), read back from the PDF as pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include "capture/delay_form.h"
#include "capture/screen_form.h"
#include "gui_test.h"
#include "printed_pdf.h"

namespace wc {
namespace {

using ScreenFormPrintTest = test::GuiTest;

TEST_F(ScreenFormPrintTest, APictureWiderThanThePageFillsItsWidthAtTheTopLeft) {
  if (!test::HavePrinter() || test::PdfFolder().empty()) {
    GTEST_SKIP() << "no PDF printer (tools/wine/printer.sh sets one up)";
  }
  app.CreateForm<TDelayForm>();
  auto& viewer = app.CreateForm<TScreenForm>();
  app.Title = "viewer print test";

  // 800 x 100: left half red, right half blue.
  ui::Bitmap picture(800, 100);
  GdiFlush();
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 800; ++x) picture.Bits()[y * 800 + x] = x < 400 ? 0xFF0000 : 0x0000FF;
  ui::Image image(&viewer, "PrintedImage");
  image.SetPicture(ui::Picture(std::move(picture)));
  const auto before = test::PdfFiles();
  viewer.PrintPicture(image, 100);

  const std::string pdf = test::WaitForNewPdf(before, 60);
  ASSERT_FALSE(pdf.empty()) << "no PDF in " << test::PdfFolder();
  test::PrintedPage page;
  ASSERT_TRUE(test::RenderPdfPage(pdf, 20, page));
  DeleteFileA(pdf.c_str());
  // An A4 page at 20 dpi: 165 x 234. The picture: the whole width, 1/8 of
  // the width high (about 21 rows), from the top-left corner.
  ASSERT_GT(page.width, 150);
  ASSERT_GT(page.height, page.width);
  const int band = page.width / 8;
  EXPECT_TRUE(test::ColourNear(page.At(1, 1), 255, 0, 0));
  EXPECT_TRUE(test::ColourNear(page.At(page.width / 2 - 3, band / 2), 255, 0, 0));
  EXPECT_TRUE(test::ColourNear(page.At(page.width / 2 + 3, band / 2), 0, 0, 255));
  EXPECT_TRUE(test::ColourNear(page.At(page.width - 2, 1), 0, 0, 255));
  EXPECT_TRUE(test::ColourNear(page.At(page.width - 2, band - 3), 0, 0, 255));
  // Below the picture the page is white.
  EXPECT_TRUE(test::ColourNear(page.At(page.width / 4, band + 4), 255, 255, 255));
  EXPECT_TRUE(test::ColourNear(page.At(page.width - 2, page.height / 2), 255, 255, 255));
}

}  // namespace
}  // namespace wc
