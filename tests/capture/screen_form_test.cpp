// The capture viewer: tabs for captures and files, zoom and scrolling,
// closing, saving, opening, cropping and the commands without a tab.
#include <gtest/gtest.h>

#include <windows.h>

#include "capture/delay_form.h"
#include "capture/screen_form.h"
#include "capture/selection_form.h"
#include "capture_test_support.h"
#include "common/bmp.h"
#include "common/jpeg.h"
#include "gui_test.h"
#include "ui/component.h"
#include "ui/error.h"
#include "wallpaper/picture_reader.h"

namespace wc {
namespace {

TEST(ScreenFormRules, ZoomStepsAndThePrintFit) {
  // One track-bar step: k1 = 1 pixel of width, k2 = atan(768/1024) = 0.6435 of height.
  EXPECT_EQ(ZoomStep(1024, 768, 15, 20).width, 1029);
  EXPECT_EQ(ZoomStep(1024, 768, 15, 20).height, 771);
  EXPECT_EQ(ZoomStep(1029, 771, 20, 15).width, 1024);
  EXPECT_EQ(ZoomStep(1029, 771, 20, 15).height, 768);
  // W / H = 2.5 goes to 2, not 3 (a half to the even neighbour); 3.5 goes to 4.
  EXPECT_EQ(ZoomStep(250, 100, 15, 16).width, 252);
  EXPECT_EQ(ZoomStep(350, 100, 15, 16).width, 354);
  // Never below one pixel.
  EXPECT_EQ(ZoomStep(3, 3, 15, 1).width, 1);

  // Wider than the page: the page's width, the height by MulDiv (619.75 -> 620).
  EXPECT_EQ(PrintFit(4000, 1000, 2479, 3508, 100).width, 2479);
  EXPECT_EQ(PrintFit(4000, 1000, 2479, 3508, 100).height, 620);
  // Taller: the page's height.
  EXPECT_EQ(PrintFit(1000, 4000, 2479, 3508, 100).width, 877);
  EXPECT_EQ(PrintFit(1000, 4000, 2479, 3508, 100).height, 3508);
  EXPECT_EQ(PrintFit(4000, 1000, 2479, 3508, 50).width, 1240);  // 1239.5 to even

  EXPECT_EQ(FileNameOnly("C:\\shots\\a.b.jpg"), "a.b.jpg");
  EXPECT_EQ(FileNameOnly("plain.bmp"), "plain.bmp");
}

class ScreenFormTest : public test::GuiTest {
 protected:
  ScreenFormTest() {
    viewer.ScreenGrabber1.Delay = 0;
    viewer.ScreenGrabber1.Minimize = false;
    viewer.ScreenGrabber1.Auto = false;
    viewer.Show();
    Pump();
  }
  // A tab holding the known picture of this size.
  void AddPattern(int w, int h, const std::string& caption = "P") {
    ASSERT_TRUE(viewer.AddPictureTab(ui::Picture(test::PatternBitmap(w, h)), caption, 7));
  }
  ui::Image& Shown() { return *viewer.TabImages[size_t(viewer.CurrentTab)]; }
  // The user picks tab i.
  void PickTab(int i) {
    viewer.ScreenPageControl.SetActivePageIndex(i);
    viewer.ScreenPageControlChange(viewer.ScreenPageControl);
  }
  std::string Panel(int i) const { return viewer.ScreenStatusBar.PanelText(i); }

  ui::Form& mainWindow = app.CreateForm<TDelayForm>();
  TScreenForm& viewer = app.CreateForm<TScreenForm>();
  TSelectionForm& crop = app.CreateForm<TSelectionForm>();
};

TEST_F(ScreenFormTest, LayoutMenuAndTheStartingState) {
  EXPECT_NE(viewer.Caption().find(" - Screen Capture"), std::string::npos);
  RECT frame{};
  GetWindowRect(viewer.Handle(), &frame);
  EXPECT_NEAR(frame.right - frame.left, 798, 12);
  EXPECT_NEAR(frame.bottom - frame.top, 534, 12);
  EXPECT_EQ(viewer.ImageList5.Count(), 12);
  EXPECT_EQ(viewer.ScreenToolbar.Height(), 49);
  EXPECT_EQ(viewer.OpenButton.Width(), 41);
  EXPECT_EQ(viewer.MyTrackBar.Position(), 15);
  EXPECT_EQ(viewer.MyTrackBar.Width(), 150);
  EXPECT_FALSE(viewer.VertScroll.Visible());
  EXPECT_FALSE(viewer.HorizScroll.Visible());
  EXPECT_EQ(viewer.ScreenStatusBar.PanelCount(), 3);
  EXPECT_TRUE(viewer.Minimize1.Checked());
  EXPECT_FALSE(viewer.Automatic1.Checked());
  for (ui::Control* off : std::initializer_list<ui::Control*>{&viewer.CloseButton, &viewer.CloseAllButton,
                                                               &viewer.SaveAsButton, &viewer.CopyButton,
                                                               &viewer.CropButton, &viewer.Click100Button}) {
    EXPECT_FALSE(off->Enabled()) << off->Name();
  }
  EXPECT_TRUE(viewer.PrintButton.Enabled());
  EXPECT_EQ(viewer.CurrentTab, -1);
  HMENU bar = GetMenu(viewer.Handle());
  ASSERT_TRUE(bar);
  EXPECT_EQ(GetMenuItemCount(bar), 4);
  // The component keeps its defaults until the first click.
  viewer.Automatic1.Click();
  EXPECT_TRUE(viewer.ScreenGrabber1.Auto);
  EXPECT_TRUE(viewer.Automatic1.Checked());
  viewer.Minimize1.Click();
  EXPECT_FALSE(viewer.ScreenGrabber1.Minimize);
}

TEST_F(ScreenFormTest, ADesktopCaptureGetsTheFirstTabWithItsNamesAndSize) {
  viewer.Desktop1.Click();
  ASSERT_EQ(viewer.TabCount, 1);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const int w = desktop.right - desktop.left, h = desktop.bottom - desktop.top;
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->Caption(), "Image0");
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->ImageIndex, 7);
  EXPECT_TRUE(ui::ResolveComponentPath(app, "ScreenForm.MyTabSheet0"));
  auto* image = dynamic_cast<ui::Image*>(ui::ResolveComponentPath(app, "ScreenForm.MyImage0"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->GetPicture().Width(), w);
  EXPECT_EQ(Panel(0), "Height: " + std::to_string(h) + " pixels");
  EXPECT_EQ(Panel(1), "Width: " + std::to_string(w) + " pixels");
  EXPECT_TRUE(viewer.CloseButton.Enabled());
  EXPECT_TRUE(viewer.MyTrackBar.Enabled());
  // The pointer over the picture.
  SendMessageA(image->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(120, 45));
  EXPECT_EQ(Panel(2), "(120,45)");
  viewer.Closeall1.Click();
  EXPECT_EQ(viewer.TabCount, 0);
  EXPECT_EQ(viewer.CurrentTab, -1);
  EXPECT_EQ(Panel(0), "");
  EXPECT_FALSE(viewer.CloseButton.Enabled());
}

TEST_F(ScreenFormTest, ZoomStepsScrollBarsAndTheWayBack) {
  AddPattern(1024, 768);
  EXPECT_TRUE(viewer.HorizScroll.Visible());
  EXPECT_TRUE(viewer.VertScroll.Visible());
  const int page = viewer.ScreenPageControl.ActivePage()->Width();
  EXPECT_EQ(viewer.HorizScroll.Max(), 1024 - page);
  viewer.MyTrackBar.SetPosition(20);
  EXPECT_EQ(Shown().Width(), 1029);
  EXPECT_EQ(Shown().Height(), 771);
  EXPECT_EQ(viewer.TabViewState[0].Zoom, 20);
  // Position 0 is passed over and not kept.
  viewer.MyTrackBar.SetPosition(0);
  EXPECT_EQ(Shown().Width(), 1029);
  EXPECT_EQ(viewer.TabViewState[0].Zoom, 20);
  // Scrolling moves the picture left by the change.
  viewer.HorizScroll.SetPosition(100);
  EXPECT_EQ(Shown().Left(), -100);
  viewer.HorizScroll.SetPosition(40);
  EXPECT_EQ(Shown().Left(), -40);
  viewer.Click100Button.Click();
  EXPECT_EQ(viewer.MyTrackBar.Position(), 15);
  EXPECT_EQ(Shown().Width(), 1024);
  EXPECT_EQ(Shown().Height(), 768);

  // A wide picture a little wider than the page: 4 pixels a step (810 / 200
  // is nearest 4); zoomed out it fits and its bar goes, the picture back at
  // the page's edge.
  AddPattern(810, 200);
  EXPECT_TRUE(viewer.HorizScroll.Visible());
  EXPECT_FALSE(viewer.VertScroll.Visible());
  viewer.HorizScroll.SetPosition(10);
  EXPECT_EQ(Shown().Left(), -10);
  viewer.MyTrackBar.SetPosition(1);
  EXPECT_EQ(Shown().Width(), 810 - 14 * 4);
  EXPECT_FALSE(viewer.HorizScroll.Visible());
  EXPECT_EQ(Shown().Left(), 0);
  // Back on the first tab its own zoom and bars return.
  PickTab(0);
  EXPECT_EQ(viewer.MyTrackBar.Position(), 15);
  EXPECT_TRUE(viewer.HorizScroll.Visible());
  EXPECT_EQ(Shown().Width(), 1024);
}

TEST_F(ScreenFormTest, ClosingTheMiddleTabKeepsTheLaterTabsStateAndPicture) {
  AddPattern(300, 200, "first");
  AddPattern(320, 240, "middle");
  AddPattern(1500, 1100, "third");
  viewer.MyTrackBar.SetPosition(25);
  viewer.HorizScroll.SetPosition(120);
  viewer.VertScroll.SetPosition(30);
  const TTabViewState kept = viewer.TabViewState[2];
  ui::Image* third = viewer.TabImages[2];
  const int keptWidth = third->Width();
  PickTab(1);
  EXPECT_EQ(viewer.CurrentTab, 1);
  EXPECT_EQ(viewer.MyTrackBar.Position(), 15);
  EXPECT_FALSE(viewer.HorizScroll.Visible());
  viewer.Close1.Click();
  ASSERT_EQ(viewer.TabCount, 2);
  EXPECT_EQ(viewer.CurrentTab, 0);
  EXPECT_EQ(viewer.ScreenPageControl.Page(1)->Caption(), "third");
  ASSERT_EQ(viewer.TabImages[1], third);
  EXPECT_EQ(viewer.TabImages[2], nullptr);
  PickTab(1);
  EXPECT_EQ(viewer.TabViewState[1].Zoom, kept.Zoom);
  EXPECT_EQ(viewer.TabViewState[1].ScrollX, kept.ScrollX);
  EXPECT_EQ(viewer.TabViewState[1].ScrollY, kept.ScrollY);
  EXPECT_EQ(viewer.MyTrackBar.Position(), 25);
  EXPECT_TRUE(viewer.HorizScroll.Visible());
  EXPECT_EQ(viewer.HorizScroll.Position(), 120);
  EXPECT_EQ(viewer.VertScroll.Position(), 30);
  EXPECT_EQ(third->Width(), keptWidth);
  EXPECT_EQ(third->Left(), -120);
  EXPECT_EQ(third->GetPicture().Width(), 1500);
  // Closing the first tab when it is current keeps index 0.
  PickTab(0);
  viewer.Close1.Click();
  EXPECT_EQ(viewer.CurrentTab, 0);
  EXPECT_EQ(viewer.TabImages[0], third);
  viewer.Close1.Click();
  EXPECT_EQ(viewer.TabCount, 0);
  EXPECT_FALSE(viewer.HorizScroll.Visible());
  EXPECT_EQ(Panel(1), "");
  // Closing with nothing open does nothing.
  viewer.Close1Click(viewer);
  EXPECT_EQ(viewer.TabCount, 0);
}

TEST_F(ScreenFormTest, TwentyOneTabsAtMostAndNamesStayUniqueAfterTheCounterWraps) {
  for (int i = 0; i < TScreenForm::kMaxTabs; ++i) AddPattern(20, 20);
  EXPECT_EQ(viewer.TabCount, 21);
  EXPECT_FALSE(viewer.AddPictureTab(ui::Picture(test::PatternBitmap(20, 20)), "x", 7));
  viewer.Desktop1.Click();
  EXPECT_EQ(viewer.TabCount, 21);
  EXPECT_EQ(viewer.ScreenPageControl.PageCount(), 21);
  ASSERT_EQ(prompts.messages.size(), 2u);
  EXPECT_NE(prompts.messages[0].text.find("21"), std::string::npos);

  viewer.Closeall1.Click();
  AddPattern(10, 10);  // number 21
  viewer.NameCounter = 255;
  AddPattern(10, 10);  // 255, then the counter wraps to 0
  viewer.NameCounter = 21;
  AddPattern(10, 10);  // 21 is open: 22
  viewer.NameCounter = 255;
  AddPattern(10, 10);  // 255 is open, 0 is free
  EXPECT_EQ(viewer.TabImages[1]->Name(), "MyImage255");
  EXPECT_EQ(viewer.TabImages[2]->Name(), "MyImage22");
  EXPECT_EQ(viewer.TabImages[3]->Name(), "MyImage0");
}

TEST_F(ScreenFormTest, CommandsWithoutATabDoNothing) {
  viewer.Saveas1.Click();
  viewer.Copy1.Click();
  viewer.CopySelection1.Click();
  viewer.Crop1.Click();
  viewer.Print1.Click();
  viewer.Close1.Click();
  viewer.MyTrackBar.SetPosition(30);
  EXPECT_TRUE(prompts.saveCalls.empty());
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_FALSE(crop.Visible());
  EXPECT_EQ(viewer.TabCount, 0);
}

TEST_F(ScreenFormTest, SaveAsWritesTheFormatTheNameSaysOrRefuses) {
  AddPattern(64, 48);
  const std::string bmpBase = dir.path() + "\\shot";
  prompts.AnswerSave(bmpBase, 4);
  viewer.Saveas1.Click();
  ASSERT_EQ(prompts.saveCalls.size(), 1u);
  EXPECT_TRUE(prompts.saveCalls[0].overwritePrompt);
  EXPECT_EQ(prompts.saveCalls[0].filter, TScreenForm::PictureFilter());
  Image32 back = DecodeBmp(ReadFileBytes(bmpBase + ".bmp"));
  EXPECT_EQ(back.width, 64);
  EXPECT_EQ(back.at(10, 20), test::PatternAt(10, 20));
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->Caption(), "shot.bmp");

  prompts.AnswerSave(dir.path() + "\\photo", 1);
  viewer.Saveas1.Click();
  Image32 jpeg = DecodeJpegFile(dir.path() + "\\photo.jpg");
  EXPECT_EQ(jpeg.width, 64);
  EXPECT_EQ(jpeg.height, 48);
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->Caption(), "photo.jpg");
  prompts.AnswerSave(dir.path() + "\\third", 3);
  viewer.Saveas1.Click();
  EXPECT_EQ(ReadJpegInfo(dir.path() + "\\third.jpeg").width, 64);

  // Extensions count in either case.
  prompts.AnswerSave(dir.path() + "\\LOUD.JPG", 4);
  viewer.Saveas1.Click();
  EXPECT_EQ(ReadJpegInfo(dir.path() + "\\LOUD.JPG").width, 64);
  prompts.AnswerSave(dir.path() + "\\Plan.Bmp", 1);
  viewer.Saveas1.Click();
  EXPECT_EQ(DecodeBmp(ReadFileBytes(dir.path() + "\\Plan.Bmp")).width, 64);
  EXPECT_TRUE(prompts.messages.empty());
  // A name of a format the viewer does not write: a message, and no file
  // whose content would contradict its name.
  prompts.AnswerSave(dir.path() + "\\Shot.PNG", 5);
  viewer.Saveas1.Click();
  EXPECT_EQ(ReadPictureBitmap(dir.path() + "\\Shot.PNG", 0).Width(), 64);
  for (const char* name : {"Scan.Tiff", "archive.tar", "photo.gif"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.path() + "\\" + name;
    const size_t shown = prompts.messages.size();
    prompts.AnswerSave(path, 4);
    viewer.Saveas1.Click();
    ASSERT_EQ(prompts.messages.size(), shown + 1);
    EXPECT_NE(prompts.messages.back().text.find(".bmp"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(viewer.ScreenPageControl.Page(0)->Caption(), "Shot.PNG");
    EXPECT_THROW(viewer.SavePictureFile(path), ui::Error);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  EXPECT_NE(prompts.messages[0].text.find("Scan.Tiff"), std::string::npos);

  // A failed write keeps the caption and tells the user.
  prompts.AnswerSave(dir.path() + "\\no\\such\\folder\\x.bmp", 4);
  ui::Guarded([&] { viewer.Saveas1Click(viewer); });
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->Caption(), "Shot.PNG");
  // Cancelled: nothing happens.
  viewer.Saveas1.Click();
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->Caption(), "Shot.PNG");
}

TEST_F(ScreenFormTest, EveryKindOpensAndSavesAsAPngThatReadsBackEqual) {
  for (const char* name : {"png8-palette.png", "png32-alpha.png", "png16.png", "gif-animated.gif",
                           "tiff-two-pages.tiff"}) {
    SCOPED_TRACE(name);
    prompts.AnswerOpen({std::string(WC_TEST_PICTURES) + "\\" + name});
    viewer.Open1.Click();
    EXPECT_EQ(viewer.ScreenPageControl.Page(viewer.CurrentTab)->Caption(), name);
    const ui::Bitmap* shown = Shown().GetPicture().AsBitmap();
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->Width(), 48);
    const std::string saved = dir.path() + "\\" + name + ".png";
    prompts.AnswerSave(saved, 5);
    viewer.Saveas1.Click();
    EXPECT_EQ(ReadPictureBitmap(saved, 0).ToImage().pixels, shown->ToImage().pixels);
  }
  EXPECT_NE(prompts.openCalls.back().filter.find("*.png;*.gif;*.tif;*.tiff"), std::string::npos);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScreenFormTest, OpenShowsTheFileNameABrokenFileLeavesNoTab) {
  const std::string jpg = dir.path() + "\\holiday.jpg";
  EncodeJpegFile(jpg, test::PatternBitmap(90, 60).ToImage(), 95);
  prompts.AnswerOpen({jpg});
  viewer.Open1.Click();
  ASSERT_EQ(viewer.TabCount, 1);
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->Caption(), "holiday.jpg");
  EXPECT_EQ(viewer.ScreenPageControl.Page(0)->ImageIndex, 0);
  EXPECT_EQ(Panel(1), "Width: 90 pixels");
  EXPECT_EQ(Panel(0), "Height: 60 pixels");

  const std::string bmp = dir.path() + "\\plan.bmp";
  WriteBmpFile(bmp, test::PatternBitmap(33, 22).ToImage(), 24);
  prompts.AnswerOpen({bmp});
  viewer.Open1.Click();
  ASSERT_EQ(viewer.TabCount, 2);
  EXPECT_EQ(Shown().GetPicture().Width(), 33);
  EXPECT_EQ(viewer.ScreenPageControl.Page(1)->Caption(), "plan.bmp");

  const std::string broken = dir.path() + "\\broken.jpg";
  {
    std::vector<uint8_t> bytes = ReadFileBytes(jpg);
    bytes.resize(bytes.size() / 3);
    WriteFileBytes(broken, bytes);
  }
  prompts.AnswerOpen({broken});
  bool threw = false;
  try {
    viewer.Open1Click(viewer);
  } catch (const ui::Error&) {
    threw = true;
  }
  EXPECT_TRUE(threw);
  EXPECT_EQ(viewer.TabCount, 2);
  EXPECT_EQ(viewer.ScreenPageControl.PageCount(), 2);
  EXPECT_EQ(viewer.CurrentTab, 1);
  EXPECT_FALSE(ui::ResolveComponentPath(app, "ScreenForm.MyImage2"));
  // The next picture still gets the next name.
  prompts.AnswerOpen({bmp});
  viewer.Open1.Click();
  EXPECT_EQ(viewer.TabImages[2]->Name(), "MyImage2");

  // An 8-bit palette bitmap as paint programs save it: three colours used,
  // rows stored bottom-up.
  const std::string palette = dir.path() + "\\palette.bmp";
  {
    std::vector<uint8_t> b(14 + 40 + 3 * 4 + 2 * 4, 0);
    auto put32 = [&](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(10, 14 + 40 + 12);
    put32(14, 40), put32(18, 3), put32(22, 2);
    b[26] = 1, b[28] = 8;
    put32(46, 3);
    const uint8_t entries[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};  // red, green, blue as B, G, R, 0
    const uint8_t rows[] = {2, 1, 0, 0, 0, 1, 2, 0};
    std::copy(std::begin(entries), std::end(entries), b.begin() + 54);
    std::copy(std::begin(rows), std::end(rows), b.begin() + 66);
    WriteFileBytes(palette, b);
  }
  prompts.AnswerOpen({palette});
  viewer.Open1.Click();
  ASSERT_EQ(viewer.TabCount, 4);
  EXPECT_EQ(viewer.ScreenPageControl.Page(3)->Caption(), "palette.bmp");
  EXPECT_EQ(Panel(1), "Width: 3 pixels");
  const ui::Bitmap* opened = Shown().GetPicture().AsBitmap();
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->ToImage().pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF, 0x00FF00, 0xFF0000}));
}

TEST_F(ScreenFormTest, CropKeepsTheDraggedPartAndCopySelectionPutsItOnTheClipboard) {
  AddPattern(400, 300);
  viewer.MyTrackBar.SetPosition(22);
  auto drag = [](ui::Form& f) {
    auto& window = static_cast<TSelectionForm&>(f);
    HWND image = window.MyImage.Handle();
    test::Mouse(image, WM_LBUTTONDOWN, MK_LBUTTON, 10, 20);
    test::Mouse(image, WM_MOUSEMOVE, MK_LBUTTON, 70, 60);
    test::Mouse(image, WM_LBUTTONUP, 0, 70, 60);
    window.Button1.Click();
  };
  test::WhenShown(app, "SelectionForm", drag);
  viewer.Crop1.Click();
  EXPECT_EQ(viewer.SelectionMode, 1);
  EXPECT_EQ(viewer.SelectionAccepted, 1);
  const ui::Bitmap* cropped = Shown().GetPicture().AsBitmap();
  ASSERT_TRUE(cropped);
  EXPECT_EQ(cropped->Width(), 60);
  EXPECT_EQ(cropped->Height(), 40);
  EXPECT_EQ(test::DifferingPixels(*cropped, [](int x, int y) { return test::PatternAt(10 + x, 20 + y); }), 0);
  EXPECT_EQ(Shown().Width(), 60);
  EXPECT_EQ(viewer.MyTrackBar.Position(), 15);
  EXPECT_EQ(Panel(1), "Width: 60 pixels");

  // A cancelled crop changes nothing.
  test::WhenShown(app, "SelectionForm", [](ui::Form& f) { static_cast<TSelectionForm&>(f).Button2.Click(); });
  viewer.Crop1.Click();
  EXPECT_EQ(viewer.SelectionAccepted, 0);
  EXPECT_EQ(Shown().GetPicture().Width(), 60);

  test::PutClipboardText("before");
  auto part = [](ui::Form& f) {
    auto& window = static_cast<TSelectionForm&>(f);
    HWND image = window.MyImage.Handle();
    test::Mouse(image, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    test::Mouse(image, WM_MOUSEMOVE, MK_LBUTTON, 25, 15);
    test::Mouse(image, WM_LBUTTONUP, 0, 25, 15);
    window.Button1.Click();
  };
  test::WhenShown(app, "SelectionForm", part);
  viewer.CopySelection1.Click();
  EXPECT_EQ(viewer.SelectionMode, 2);
  ui::Bitmap clip = test::ClipboardBitmap();
  ASSERT_EQ(clip.Width(), 20);
  ASSERT_EQ(clip.Height(), 10);
  EXPECT_EQ(test::DifferingPixels(clip, [](int x, int y) { return test::PatternAt(15 + x, 25 + y); }), 0);
  // The tab itself is untouched by a copy.
  EXPECT_EQ(Shown().GetPicture().Width(), 60);

  viewer.Copy1.Click();
  ui::Bitmap whole = test::ClipboardBitmap();
  EXPECT_EQ(whole.Width(), 60);
  EXPECT_EQ(test::DifferingPixels(whole, [](int x, int y) { return test::PatternAt(10 + x, 20 + y); }), 0);
}

}  // namespace
}  // namespace wc
