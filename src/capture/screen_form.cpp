#include "capture/screen_form.h"

#include <algorithm>
#include <cmath>

#include "common/picture_formats.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

std::string TScreenForm::PictureFilter() {
  const std::string jpeg = Say(texts::kJpegFilter);
  return Say(texts::kViewerAllFilter) + "|*.jpg;*.jpeg;*.bmp;*.png|" + jpeg + " (*.jpg)|*.jpg|" + jpeg +
         " (*.jpeg)|*.jpeg|" + Say(texts::kBitmapFilter) + " (*.bmp)|*.bmp|" + Say(texts::kPngFilter) + " (*.png)|*.png";
}

std::string TScreenForm::OpenFilter() {
  return Say(texts::kAllPicturesFilter) + "|" + ExtensionPattern(PictureExtensions()) + "|" + Say(texts::kJpegFilter) +
         " (*.jpg;*.jpeg)|*.jpg;*.jpeg|" + Say(texts::kBitmapFilter) + " (*.bmp)|*.bmp|" + Say(texts::kPngFilter) +
         " (*.png)|*.png|" + Say(texts::kGifFilter) + " (*.gif)|*.gif|" + Say(texts::kTiffFilter) +
         " (*.tif;*.tiff)|*.tif;*.tiff";
}

namespace {

constexpr int kClientWidth = 790;
constexpr int kClientHeight = 488;  // the menu bar takes the rest of 534
constexpr int kToolbarHeight = 49;
constexpr int kStatusHeight = 19;
constexpr int kScrollThickness = 17;

const ui::LayoutItem kLayout[] = {
    {"ScreenToolbar", "", 0, 0, kClientWidth, kToolbarHeight, ""},
    {"OpenButton", "ScreenToolbar", 2, 4, 41, 41, ""},
    {"CloseButton", "ScreenToolbar", 43, 4, 41, 41, "", ui::lfDisabled},
    {"CloseAllButton", "ScreenToolbar", 84, 4, 41, 41, "", ui::lfDisabled},
    {"SaveAsButton", "ScreenToolbar", 125, 4, 41, 41, "", ui::lfDisabled},
    {"PrintButton", "ScreenToolbar", 174, 4, 41, 41, ""},
    {"CopyButton", "ScreenToolbar", 223, 4, 41, 41, "", ui::lfDisabled},
    {"CropButton", "ScreenToolbar", 264, 4, 41, 41, "", ui::lfDisabled},
    {"CaptureDesktopButton", "ScreenToolbar", 313, 4, 41, 41, ""},
    {"CaptureSelectionButton", "ScreenToolbar", 354, 4, 41, 41, ""},
    {"CaptureWindowButton", "ScreenToolbar", 395, 4, 41, 41, ""},
    {"CaptureObjectButton", "ScreenToolbar", 436, 4, 41, 41, ""},
    {"MyTrackBar", "ScreenToolbar", 485, 8, 150, 33, ""},
    {"Click100Button", "ScreenToolbar", 637, 4, 41, 41, "", ui::lfDisabled},
    {"ExitButton", "ScreenToolbar", 686, 4, 41, 41, ""},
    {"ScreenPageControl", "", 0, kToolbarHeight, kClientWidth, kClientHeight - kToolbarHeight - kStatusHeight, ""},
    {"VertScroll", "", kClientWidth - kScrollThickness, kToolbarHeight, kScrollThickness, 100, "", ui::lfHidden},
    {"HorizScroll", "", 0, kClientHeight - kStatusHeight - kScrollThickness, 100, kScrollThickness, "", ui::lfHidden},
    {"ScreenStatusBar", "", 0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight, ""},
};

// What each control runs.
const ui::Binding<TScreenForm> kBindings[] = {
    {"Open1", ui::Event::Click, &TScreenForm::Open1Click},
    {"Saveas1", ui::Event::Click, &TScreenForm::Saveas1Click},
    {"Close1", ui::Event::Click, &TScreenForm::Close1Click},
    {"Closeall1", ui::Event::Click, &TScreenForm::Closeall1Click},
    {"Print1", ui::Event::Click, &TScreenForm::Print1Click},
    {"PrintSetup1", ui::Event::Click, &TScreenForm::PrintSetup1Click},
    {"Exit1", ui::Event::Click, &TScreenForm::Exit1Click},
    {"Copy1", ui::Event::Click, &TScreenForm::Copy1Click},
    {"CopySelection1", ui::Event::Click, &TScreenForm::CopySelection1Click},
    {"Crop1", ui::Event::Click, &TScreenForm::Crop1Click},
    {"Desktop1", ui::Event::Click, &TScreenForm::Desktop1Click},
    {"Selection1", ui::Event::Click, &TScreenForm::Selection1Click},
    {"Window1", ui::Event::Click, &TScreenForm::Window1Click},
    {"Object1", ui::Event::Click, &TScreenForm::Object1Click},
    {"Minimize1", ui::Event::Click, &TScreenForm::Minimize1Click},
    {"Automatic1", ui::Event::Click, &TScreenForm::Automatic1Click},
    {"Delay1", ui::Event::Click, &TScreenForm::Delay1Click},
    {"OpenButton", ui::Event::Click, &TScreenForm::Open1Click},
    {"CloseButton", ui::Event::Click, &TScreenForm::Close1Click},
    {"CloseAllButton", ui::Event::Click, &TScreenForm::Closeall1Click},
    {"SaveAsButton", ui::Event::Click, &TScreenForm::Saveas1Click},
    {"PrintButton", ui::Event::Click, &TScreenForm::Print1Click},
    {"CopyButton", ui::Event::Click, &TScreenForm::Copy1Click},
    {"CropButton", ui::Event::Click, &TScreenForm::Crop1Click},
    {"CaptureDesktopButton", ui::Event::Click, &TScreenForm::Desktop1Click},
    {"CaptureSelectionButton", ui::Event::Click, &TScreenForm::Selection1Click},
    {"CaptureWindowButton", ui::Event::Click, &TScreenForm::Window1Click},
    {"CaptureObjectButton", ui::Event::Click, &TScreenForm::Object1Click},
    {"ExitButton", ui::Event::Click, &TScreenForm::Exit1Click},
    {"Click100Button", ui::Event::Click, &TScreenForm::Click100ButtonClick},
    {"MyTrackBar", ui::Event::Change, &TScreenForm::MyTrackBarChange},
    {"HorizScroll", ui::Event::Change, &TScreenForm::HorizScrollChange},
    {"VertScroll", ui::Event::Change, &TScreenForm::VertScrollChange},
    {"ScreenPageControl", ui::Event::Change, &TScreenForm::ScreenPageControlChange},
    {"", ui::Event::Show, &TScreenForm::FormShow},
    {"", ui::Event::Resize, &TScreenForm::FormResize},
};

// ImageList5: the tabs' pictures (0 opened file, 7 to 10 the capture kinds)
// and the tool buttons' glyphs.
const char* const kImages[12] = {
    "IC_VIEW_OPEN",  "IC_VIEW_CLOSE",    "IC_VIEW_CLOSE_ALL", "IC_VIEW_SAVE",  "IC_VIEW_PRINT",  "IC_VIEW_COPY",
    "IC_VIEW_CROP",  "IC_CAP_DESKTOP",   "IC_CAP_SELECTION",  "IC_CAP_WINDOW", "IC_CAP_OBJECT",  "IC_VIEW_EXIT",
};

}  // namespace

std::string FileNameOnly(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

ZoomSize ZoomStep(int W, int H, int oldPos, int newPos) {
  if (W <= 0 || H <= 0) return {W, H};
  // nearbyint rounds halves to the even neighbour in the default mode.
  const double k1 = std::nearbyint(double(W) / double(H));
  const double k2 = k1 * std::atan(double(H) / double(W));
  const int steps = newPos - oldPos;
  // A picture is never zoomed below one pixel: it could not come back.
  const int width = std::max(1, W + int(std::nearbyint(steps * k1)));
  const int height = std::max(1, H + int(std::nearbyint(steps * k2)));
  return {width, height};
}

ZoomSize PrintFit(int W, int H, int PW, int PH, int percent) {
  if (W <= 0 || H <= 0 || PW <= 0 || PH <= 0) return {0, 0};
  int ow, oh;
  if (double(W) / double(H) > double(PW) / double(PH)) {
    ow = PW;
    oh = MulDiv(H, PW, W);
  } else {
    ow = MulDiv(W, PH, H);
    oh = PH;
  }
  return {int(std::nearbyint(ow * double(percent) / 100.0)), int(std::nearbyint(oh * double(percent) / 100.0))};
}

TScreenForm::TScreenForm(ui::Application& app) : Form(app, "ScreenForm") {
  CreateWindowFrom({.caption = app.Title + " - Screen Capture",
                    .clientWidth = kClientWidth,
                    // The menu bar comes later and takes its height from this.
                    .clientHeight = kClientHeight + GetSystemMetrics(SM_CYMENU),
                    .border = ui::BorderStyle::Sizeable,
                    .icons = ui::biSystemMenu | ui::biMaximize});
  for (const char* name : kImages) ImageList5.AddResource(name);
  for (ui::MenuItem* top : {&File1, &Edit1, &Capture1, &Options1}) MainMenu1.Add(*top);
  Open1.SetShortCutText("Ctrl+O");
  Saveas1.SetShortCutText("Ctrl+S");
  Copy1.SetShortCutText("Ctrl+C");
  Minimize1.SetChecked(true);
  SetMenu(&MainMenu1);

  struct Glyph {
    ui::SpeedButton* button;
    const char* icon;
  };
  for (const Glyph& g : {Glyph{&OpenButton, "IC_VIEW_OPEN"}, {&CloseButton, "IC_VIEW_CLOSE"},
                         {&CloseAllButton, "IC_VIEW_CLOSE_ALL"}, {&SaveAsButton, "IC_VIEW_SAVE"},
                         {&PrintButton, "IC_VIEW_PRINT"}, {&CopyButton, "IC_VIEW_COPY"},
                         {&CropButton, "IC_VIEW_CROP"}, {&CaptureDesktopButton, "IC_CAP_DESKTOP"},
                         {&CaptureSelectionButton, "IC_CAP_SELECTION"}, {&CaptureWindowButton, "IC_CAP_WINDOW"},
                         {&CaptureObjectButton, "IC_CAP_OBJECT"}, {&Click100Button, "IC_VIEW_ZOOM100"},
                         {&ExitButton, "IC_VIEW_EXIT"}}) {
    g.button->SetIcon(g.icon, 24);
  }
  MyTrackBar.Min = 0;
  MyTrackBar.Max = 50;
  MyTrackBar.SetPosition(15);
  ScreenStatusBar.SetPanels({150, 150, 50});
  ScreenPageControl.FocusTabs = false;
  ScreenPageControl.SetImages(&ImageList5);
  BuildLayout(kLayout);

  ui::Bind(*this, kBindings);
  OnShortCut = [this](UINT key) {
    if (key == 'O') Open1.Click();
    else if (key == 'S') Saveas1.Click();
    else if (key == 'C') Copy1.Click();
    else return false;
    return true;
  };
  FormCreate();
}

TScreenForm::~TScreenForm() {
  // The pictures' windows go before the pages that hold them.
  images_.clear();
  sheets_.clear();
}

void TScreenForm::FormCreate() {
  TabCount = 0;
  NameCounter = 0;
  CurrentTab = -1;
  SetCaption(Say(texts::kViewerTitle, {App().Title}));
}

void TScreenForm::TextsReplaced() { SetCaption(Say(texts::kViewerTitle, {App().Title})); }

void TScreenForm::FormShow(ui::Component&) { BringToFront(); }

void TScreenForm::FormResize(ui::Component&) {
  LayoutClient();
  if (TabCount > 0) SetupScrollBars();
}

void TScreenForm::LayoutClient() {
  if (!ScreenPageControl.Handle()) return;
  const int w = ClientWidth(), h = ClientHeight();
  ScreenToolbar.SetBounds(0, 0, w, kToolbarHeight);
  ScreenStatusBar.SetBounds(0, h - kStatusHeight, w, kStatusHeight);
  const int right = w - (VertScroll.Visible() ? kScrollThickness : 0);
  const int bottom = h - kStatusHeight - (HorizScroll.Visible() ? kScrollThickness : 0);
  ScreenPageControl.SetBounds(0, kToolbarHeight, std::max(0, right), std::max(0, bottom - kToolbarHeight));
  VertScroll.SetBounds(right, kToolbarHeight, kScrollThickness, std::max(0, bottom - kToolbarHeight));
  HorizScroll.SetBounds(0, bottom, std::max(0, right), kScrollThickness);
}

void TScreenForm::ShowScrollBar(ui::ScrollBar& bar, bool on) {
  if (bar.Visible() == on) return;
  bar.SetVisible(on);
  LayoutClient();
}

void TScreenForm::Desktop1Click(ui::Component&) { CaptureIntoTab(1); }
void TScreenForm::Selection1Click(ui::Component&) { CaptureIntoTab(2); }
void TScreenForm::Window1Click(ui::Component&) { CaptureIntoTab(3); }
void TScreenForm::Object1Click(ui::Component&) { CaptureIntoTab(4); }

bool TScreenForm::RefuseWhenFull() {
  if (TabCount < kMaxTabs) return false;
  App().prompts().Message(Handle(), Say(texts::kViewerFull), App().Title, MB_OK | MB_ICONINFORMATION);
  return true;
}

void TScreenForm::CaptureIntoTab(int kind) {
  if (RefuseWhenFull()) return;
  std::unique_ptr<ui::Bitmap> shot;
  switch (kind) {
    case 1: shot = ScreenGrabber1.CaptureDesktop(); break;
    case 2: shot = ScreenGrabber1.CaptureArea(); break;
    case 3: shot = ScreenGrabber1.CaptureActiveWindow(); break;
    case 4: shot = ScreenGrabber1.CaptureObject(); break;
    default: return;
  }
  // A cancelled capture, or an area dragged the wrong way (nothing in it).
  if (!shot || shot->Empty()) {
    BringToFront();
    return;
  }
  const int number = FreeNumber();
  AddPictureTab(ui::Picture(std::move(*shot)), Say(texts::kImageTab, {std::to_string(number)}), 6 + kind);
  BringToFront();
}

int TScreenForm::FreeNumber() {
  // After the counter wraps, numbers of tabs still open are passed over.
  for (int tries = 0; tries < 256; ++tries) {
    const int n = NameCounter;
    if (std::find(numbers_.begin(), numbers_.end(), n) == numbers_.end()) return n;
    ++NameCounter;
  }
  return NameCounter;
}

bool TScreenForm::AddPictureTab(ui::Picture picture, const std::string& caption, int imageIndex) {
  if (RefuseWhenFull()) return false;
  const int number = FreeNumber();
  ShowSize(picture.Width(), picture.Height());
  auto sheet = std::make_unique<ui::TabSheet>(this, "MyTabSheet" + std::to_string(number));
  sheet->SetCaption(caption);
  sheet->ImageIndex = imageIndex;
  ScreenPageControl.AddPage(*sheet);
  CurrentTab = TabCount;
  auto image = std::make_unique<ui::Image>(this, "MyImage" + std::to_string(number));
  image->AutoSize = true;
  image->OnMouseMove = [this](ui::Component& s, ui::ShiftState sh, int x, int y) { MyImageMouseMove(s, sh, x, y); };
  image->CreateIn(*this, sheet.get(), RECT{0, 0, 1, 1}, "");
  image->SetPicture(std::move(picture));
  TabImages[size_t(CurrentTab)] = image.get();
  TabViewState[size_t(CurrentTab)] = TTabViewState{};
  sheets_.push_back(std::move(sheet));
  images_.push_back(std::move(image));
  numbers_.push_back(number);
  ScreenPageControl.SetActivePageIndex(CurrentTab);
  ++TabCount;
  ++NameCounter;
  ScreenStatusBar.SetPanelText(2, "");
  SetupScrollBars();
  TabViewState[size_t(CurrentTab)].Zoom = 15;
  MyTrackBar.SetPosition(15);
  EnableTabCommands();
  return true;
}

void TScreenForm::ShowSize(int width, int height) {
  ScreenStatusBar.SetPanelText(0, Say(texts::kPictureHeight, {std::to_string(height)}));
  ScreenStatusBar.SetPanelText(1, Say(texts::kPictureWidth, {std::to_string(width)}));
}

void TScreenForm::ShowSizeOf(const ui::Image& image) { ShowSize(image.Width(), image.Height()); }

void TScreenForm::EnableTabCommands() {
  const bool any = TabCount != 0;
  for (ui::Control* c : std::initializer_list<ui::Control*>{&CloseButton, &CloseAllButton, &SaveAsButton,
                                                             &CopyButton, &CropButton, &MyTrackBar, &Click100Button}) {
    c->SetEnabled(any);
  }
}

void TScreenForm::Minimize1Click(ui::Component&) {
  Minimize1.SetChecked(!Minimize1.Checked());
  ScreenGrabber1.Minimize = Minimize1.Checked();
}

void TScreenForm::Automatic1Click(ui::Component&) {
  Automatic1.SetChecked(!Automatic1.Checked());
  ScreenGrabber1.Auto = Automatic1.Checked();
}

void TScreenForm::Exit1Click(ui::Component&) { Close(); }

}  // namespace wc
