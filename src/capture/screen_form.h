#pragma once
// The capture viewer: every capture and every opened picture in a tab of its
// own, with zoom, scrolling, crop, copy, save and print.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "capture/screen_grabber.h"
#include "ui/bars.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/graphics.h"
#include "ui/image_list.h"
#include "ui/menu.h"
#include "ui/page_control.h"

namespace wc {

// What the viewer remembers of each tab while another one is shown.
struct TTabViewState {
  int ScrollX = 0;
  int ScrollY = 0;
  int Zoom = 15;
  int ScrollXMax = 0;
  int ScrollYMax = 0;
};

// The width and height a zoom step gives a picture shown at W x H when the
// track bar goes from `oldPos` to `newPos`: k1 pixels of width and k1 times
// atan(H / W) pixels of height per step, halves rounded to even.
struct ZoomSize {
  int width;
  int height;
};
ZoomSize ZoomStep(int W, int H, int oldPos, int newPos);

// The size a W x H picture takes on a PW x PH page: as large as fits, its
// proportions kept, then scaled by `percent`.
ZoomSize PrintFit(int W, int H, int PW, int PH, int percent);

// "C:\a\b.jpg" -> "b.jpg"; the whole text when it holds no backslash.
std::string FileNameOnly(const std::string& path);

class TScreenForm : public ui::Form {
 public:
  explicit TScreenForm(ui::Application& app);
  ~TScreenForm() override;

  static constexpr int kMaxTabs = 21;
  // Where a tab's picture came from, as the index of its picture in ImageList5.
  static constexpr int kOpenedFileImage = 0;

  // The four capture commands, also run from the tray menu and the capture
  // hotkey.
  void Desktop1Click(ui::Component& sender);
  void Selection1Click(ui::Component& sender);
  void Window1Click(ui::Component& sender);
  void Object1Click(ui::Component& sender);
  // kind: 1 desktop, 2 area, 3 active window, 4 object.
  void CaptureIntoTab(int kind);
  // Makes a tab for a picture (the viewer keeps it); false when all tabs
  // are taken (the user is told).
  bool AddPictureTab(ui::Picture picture, const std::string& caption, int imageIndex);

  void Open1Click(ui::Component& sender);
  void Saveas1Click(ui::Component& sender);
  void Close1Click(ui::Component& sender);
  void Closeall1Click(ui::Component& sender);
  void Print1Click(ui::Component& sender);
  void PrintSetup1Click(ui::Component& sender);
  void Exit1Click(ui::Component& sender);
  void Copy1Click(ui::Component& sender);
  void CopySelection1Click(ui::Component& sender);
  void Crop1Click(ui::Component& sender);
  void Minimize1Click(ui::Component& sender);
  void Automatic1Click(ui::Component& sender);
  void Delay1Click(ui::Component& sender);
  void Click100ButtonClick(ui::Component& sender);
  void MyTrackBarChange(ui::Component& sender);
  void HorizScrollChange(ui::Component& sender);
  void VertScrollChange(ui::Component& sender);
  void ScreenPageControlChange(ui::Component& sender);
  void MyImageMouseMove(ui::Component& sender, ui::ShiftState shift, int x, int y);
  void FormShow(ui::Component& sender);
  void FormResize(ui::Component& sender);

  // Opens a picture file of any kind the program reads into a new tab;
  // throws ui::Error when it cannot be read.
  void OpenPictureFile(const std::string& path);
  // Writes the current tab's picture: JPEG for ".jpg"/".jpeg", a Windows
  // bitmap for ".bmp", PNG for ".png" (in either case). Throws ui::Error on
  // failure, and for any other name, which gets no file.
  void SavePictureFile(const std::string& path);
  // Prints the picture at `percent` of the size that fits the page, at the
  // page's top-left corner, on the printer chosen in the set-up dialog (the
  // default printer until then).
  void PrintPicture(const ui::Image& image, int percent);
  void PrintPicture(const ui::Picture& picture, int percent);

  void SetupScrollBars();
  void EnableTabCommands();

  static constexpr int kJpegQuality = 90;
  // The save dialog's kinds, and the open dialog's (every picture read).
  static std::string PictureFilter();
  static std::string OpenFilter();
  // The title in the language now in use.
  void TextsReplaced() override;

  TScreenGrabber ScreenGrabber1{this, "ScreenGrabber1"};

  uint8_t TabCount = 0;
  uint8_t NameCounter = 0;
  int CurrentTab = -1;
  std::array<ui::Image*, kMaxTabs> TabImages{};
  std::array<TTabViewState, kMaxTabs> TabViewState{};
  uint8_t SelectionMode = 0;
  int SelectionAccepted = 0;

  ui::MainMenu MainMenu1{this, "MainMenu1"};
  ui::MenuItem File1{this, "File1", nullptr, "File"};
  ui::MenuItem Open1{this, "Open1", &File1, "Open"};
  ui::MenuItem Saveas1{this, "Saveas1", &File1, "Save As..."};
  ui::MenuItem Close1{this, "Close1", &File1, "Close"};
  ui::MenuItem Closeall1{this, "Closeall1", &File1, "Close All"};
  ui::MenuItem N1{this, "N1", &File1, "-"};
  ui::MenuItem Print1{this, "Print1", &File1, "Print"};
  ui::MenuItem PrintSetup1{this, "PrintSetup1", &File1, "Print Setup"};
  ui::MenuItem N2{this, "N2", &File1, "-"};
  ui::MenuItem Exit1{this, "Exit1", &File1, "Exit"};
  ui::MenuItem Edit1{this, "Edit1", nullptr, "Edit"};
  ui::MenuItem Copy1{this, "Copy1", &Edit1, "Copy"};
  ui::MenuItem CopySelection1{this, "CopySelection1", &Edit1, "Copy Selection"};
  ui::MenuItem N3{this, "N3", &Edit1, "-"};
  ui::MenuItem Crop1{this, "Crop1", &Edit1, "Crop"};
  ui::MenuItem Capture1{this, "Capture1", nullptr, "Capture"};
  ui::MenuItem Desktop1{this, "Desktop1", &Capture1, "Desktop"};
  ui::MenuItem Selection1{this, "Selection1", &Capture1, "Selection"};
  ui::MenuItem Window1{this, "Window1", &Capture1, "Window"};
  ui::MenuItem Object1{this, "Object1", &Capture1, "Object"};
  ui::MenuItem Options1{this, "Options1", nullptr, "Options"};
  ui::MenuItem Minimize1{this, "Minimize1", &Options1, "Minimize"};
  ui::MenuItem Automatic1{this, "Automatic1", &Options1, "Automatic"};
  ui::MenuItem Delay1{this, "Delay1", &Options1, "Delay..."};

  ui::ImageList ImageList5{this, "ImageList5"};
  ui::Panel ScreenToolbar{this, "ScreenToolbar"};
  ui::SpeedButton OpenButton{this, "OpenButton"};
  ui::SpeedButton CloseButton{this, "CloseButton"};
  ui::SpeedButton CloseAllButton{this, "CloseAllButton"};
  ui::SpeedButton SaveAsButton{this, "SaveAsButton"};
  ui::SpeedButton PrintButton{this, "PrintButton"};
  ui::SpeedButton CopyButton{this, "CopyButton"};
  ui::SpeedButton CropButton{this, "CropButton"};
  ui::SpeedButton CaptureDesktopButton{this, "CaptureDesktopButton"};
  ui::SpeedButton CaptureSelectionButton{this, "CaptureSelectionButton"};
  ui::SpeedButton CaptureWindowButton{this, "CaptureWindowButton"};
  ui::SpeedButton CaptureObjectButton{this, "CaptureObjectButton"};
  ui::TrackBar MyTrackBar{this, "MyTrackBar"};
  ui::SpeedButton Click100Button{this, "Click100Button"};
  ui::SpeedButton ExitButton{this, "ExitButton"};
  ui::PageControl ScreenPageControl{this, "ScreenPageControl"};
  ui::ScrollBar VertScroll{this, "VertScroll", true};
  ui::ScrollBar HorizScroll{this, "HorizScroll", false};
  ui::StatusBar ScreenStatusBar{this, "ScreenStatusBar"};

 private:
  void FormCreate();
  // Places the page control and the scroll bars shown in the client area.
  void LayoutClient();
  void ShowScrollBar(ui::ScrollBar& bar, bool on);
  // Shows each scroll bar with the current tab's stored range and position
  // when the page is smaller than the picture that way, else hides it.
  void RestoreScrollBars();
  void ShowSizeOf(const ui::Image& image);
  void ShowSize(int width, int height);
  bool RefuseWhenFull();
  // The next number no open tab's name carries.
  int FreeNumber();
  bool HasTab() const { return TabCount > 0 && CurrentTab >= 0 && CurrentTab < TabCount; }
  // Shows the crop window on the current picture; the selection when the
  // user saved one.
  std::unique_ptr<ui::Bitmap> AskSelection(uint8_t mode);
  void RemoveTab(int index);

  std::vector<std::unique_ptr<ui::TabSheet>> sheets_;
  std::vector<std::unique_ptr<ui::Image>> images_;
  std::vector<int> numbers_;  // the number in each open tab's names
};

}  // namespace wc
