// Printing a picture for real, from the viewer and from the control panel's
// Print: on the default printer (the PDF queue that tools/wine/printer.sh
// sets up), read back from the PDF as pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "app/panel/main_form.h"
#include "capture/delay_form.h"
#include "capture/screen_form.h"
#include "common/bmp.h"
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

// The control panel's Print: after the printer set-up dialog, the preview's
// picture on the page at 100 %; a cancelled dialog prints nothing.
TEST_F(ScreenFormPrintTest, ThePanelPrintsItsPreviewAfterThePrinterSetUp) {
  if (!test::HavePrinter() || test::PdfFolder().empty()) {
    GTEST_SKIP() << "no PDF printer (tools/wine/printer.sh sets one up)";
  }
  app.CreateForm<TDelayForm>();
  app.CreateForm<TScreenForm>();
  auto& panel = app.CreateForm<TMainForm>();
  panel.StartupTimerTick(panel.StartupTimer);
  panel.FolderReaderTimer.SetEnabled(false);
  app.Title = "panel print test";

  // 400 x 200: the top half green, the bottom half red.
  Image32 picture = MakeImage(400, 200, MakePixel(0, 200, 0));
  for (int y = 100; y < 200; ++y)
    for (int x = 0; x < 400; ++x) picture.at(x, y) = MakePixel(220, 0, 0);
  const std::string path = dir.file("halves.bmp");
  WriteFileBytes(path, EncodeBmp(picture, 24));
  panel.AddFilesToPlaylist({path});
  panel.MainListBox.Clear();
  panel.FillPlaylistBox(false);
  panel.Show();
  panel.MainListBox.SetItemIndex(0);
  panel.MainListBoxClick(panel.MainListBox);
  // The preview keeps a picture of its own size; the print is made from the file.
  ASSERT_EQ(panel.MainPreview.GetPicture().Width(), 141);

  const auto before = test::PdfFiles();
  prompts.AnswerPrinterSetup(false);
  panel.MainPrint.Click();
  EXPECT_EQ(prompts.printerSetupCalls, 1);
  prompts.AnswerPrinterSetup(true);
  panel.MainPrint.Click();
  EXPECT_EQ(prompts.printerSetupCalls, 2);
  EXPECT_TRUE(prompts.messages.empty());

  const std::string pdf = test::WaitForNewPdf(before, 60);
  ASSERT_FALSE(pdf.empty()) << "no PDF in " << test::PdfFolder();
  test::PrintedPage page;
  ASSERT_TRUE(test::RenderPdfPage(pdf, 20, page));
  DeleteFileA(pdf.c_str());
  // The page's whole width, half as high: green over red from the top-left.
  ASSERT_GT(page.width, 150);
  const int band = page.width / 4;
  EXPECT_TRUE(test::ColourNear(page.At(1, 1), 0, 200, 0));
  EXPECT_TRUE(test::ColourNear(page.At(page.width - 2, band - 3), 0, 200, 0));
  EXPECT_TRUE(test::ColourNear(page.At(page.width / 2, band + 3), 220, 0, 0));
  EXPECT_TRUE(test::ColourNear(page.At(page.width - 2, 2 * band - 3), 220, 0, 0));
  EXPECT_TRUE(test::ColourNear(page.At(page.width / 2, 2 * band + 4), 255, 255, 255));
  EXPECT_TRUE(test::ColourNear(page.At(page.width - 2, page.height - 2), 255, 255, 255));
  // The cancelled click sent nothing after it (the files are named after
  // the job, that is the program's title).
  PumpFor(std::chrono::seconds(3));
  for (const std::string& file : test::PdfFiles()) {
    EXPECT_TRUE(before.count(file) || file.find("panel_print_test") == std::string::npos) << file;
  }
}

}  // namespace
}  // namespace wc
