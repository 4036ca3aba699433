// Where the control panel's controls sit, what they show before any setting
// is read, and what each of them runs. Positions are pixels inside each
// control's container.
#include "app/panel/main_form.h"

#include "ui/binding.h"
#include "ui/graphics.h"
#include "ui/handle.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {

namespace {

using ui::lfDisabled;
using ui::lfHidden;

const ui::LayoutItem kLayout[] = {
    {"MainImage", "", 0, 0, 600, 65},
    {"Image1", "", 0, 0, 600, 65, "", lfHidden},
    {"Panel1", "", 0, 65, 600, 45},
    {"BitBtn1", "Panel1", 4, 4, 130, 37, "Set Wallpaper"},
    {"BitBtn2", "Panel1", 138, 4, 138, 37, "Clear Wallpaper"},
    {"BitBtn4", "Panel1", 280, 4, 136, 37, "Screen Capture"},
    {"BitBtn5", "Panel1", 420, 4, 96, 37, "Settings"},
    {"BitBtn6", "Panel1", 520, 4, 76, 37, "Help"},

    {"GroupBox5", "", 8, 114, 305, 97, "Functioning mode"},
    {"modeautomatic", "GroupBox5", 10, 15, 287, 17, "Automatic use of your wallpapers' folder"},
    {"modemanual", "GroupBox5", 10, 33, 287, 17, "Manual (manage the playlist) "},
    {"Label2", "GroupBox5", 10, 58, 80, 14, "Location"},
    {"browse", "GroupBox5", 146, 53, 73, 23, "Browse"},
    {"reload", "GroupBox5", 224, 53, 73, 23, "Reload"},
    {"automaticlocation", "GroupBox5", 10, 78, 287, 14, ""},
    {"aux", "GroupBox5", 110, 58, 20, 14, "aux", lfHidden},

    {"GroupBox1", "", 8, 215, 305, 221, "Playlist management"},
    {"MainListBox", "GroupBox1", 8, 18, 256, 162},
    {"MainBitBtn1", "GroupBox1", 270, 18, 27, 27},
    {"MainBitBtn2", "GroupBox1", 270, 50, 27, 27},
    {"MainBitBtn3", "GroupBox1", 270, 82, 27, 27},
    {"MainBitBtn4", "GroupBox1", 270, 121, 27, 27},
    {"MainBitBtn5", "GroupBox1", 270, 153, 27, 27},
    {"MainNew", "GroupBox1", 8, 187, 68, 25, "New"},
    {"MainAppend", "GroupBox1", 80, 187, 68, 25, "Append"},
    {"MainLoad", "GroupBox1", 152, 187, 68, 25, "Load"},
    {"MainSave", "GroupBox1", 224, 187, 73, 25, "Save"},

    {"GroupBox3", "", 8, 440, 305, 91, "Wallpaper Control"},
    {"CheckBox1", "GroupBox3", 10, 15, 285, 17, "Change wallpaper on startup"},
    {"CheckBox2", "GroupBox3", 10, 32, 285, 17, "Shuffle wallpapers"},
    {"CheckBox3", "GroupBox3", 10, 53, 80, 17, "Use timer"},
    {"MainTime", "GroupBox3", 92, 51, 80, 21},
    {"MainComboBox", "GroupBox3", 178, 51, 117, 21},
    {"IntervalNote", "GroupBox3", 10, 73, 287, 14, "", lfHidden},

    {"GroupBox2", "", 320, 114, 273, 225, " Wallpaper Information "},
    {"MainLocationLabel", "GroupBox2", 10, 19, 80, 14, "Location"},
    {"locationval", "GroupBox2", 10, 35, 255, 14, ":"},
    {"MainTypeLabel", "GroupBox2", 10, 55, 80, 14, "Type"},
    {"typeval", "GroupBox2", 92, 55, 173, 14, ":"},
    {"MainSizeLabel", "GroupBox2", 10, 73, 80, 14, "Size"},
    {"sizeval", "GroupBox2", 92, 73, 173, 14, ":"},
    {"MainPropertiesLabel", "GroupBox2", 10, 91, 80, 14, "Properties"},
    {"propertiesval", "GroupBox2", 92, 91, 173, 14, ":"},
    {"MainCreationLavel", "GroupBox2", 10, 109, 80, 14, "Creation Date"},
    {"creationval", "GroupBox2", 92, 109, 173, 14, ":"},
    // Three sets share the lower part: style (pictures), size (movies),
    // and the Active Desktop notice (HTML pages).
    {"MainWallpaperStyleLabel", "GroupBox2", 10, 139, 96, 14, "Wallpaper Style"},
    {"ComboBox1", "GroupBox2", 108, 135, 157, 21},
    {"Label3", "GroupBox2", 10, 171, 56, 14, "Origin X: "},
    {"SpinEdit1", "GroupBox2", 68, 167, 62, 21},
    {"Label4", "GroupBox2", 142, 171, 56, 14, "Origin Y: "},
    {"SpinEdit2", "GroupBox2", 200, 167, 62, 21},
    {"MovieDimensionLabel", "GroupBox2", 10, 139, 255, 14, "Movie Dimension:", lfHidden},
    {"moviewidthlabel", "GroupBox2", 10, 171, 56, 14, "Width:", lfHidden},
    {"moviewidthspin", "GroupBox2", 68, 167, 62, 21, "", lfHidden},
    {"Movieheightlabel", "GroupBox2", 142, 171, 56, 14, "Height:", lfHidden},
    {"movieheightspin", "GroupBox2", 200, 167, 62, 21, "", lfHidden},
    {"lunglabel", "GroupBox2", 10, 133, 255, 42,
     "To enable this feature please enable Active Desktop from your display properties", lfHidden},
    {"htmlpreviewbutton", "GroupBox2", 10, 182, 160, 25, "Preview in active Browser", lfHidden},

    {"GroupBox4", "", 320, 346, 274, 153, "Wallpaper Preview"},
    {"MainPreview", "GroupBox4", 20, 21, 141, 118},
    {"Bevel1", "GroupBox4", 16, 17, 150, 126},
    {"MainChPreview", "GroupBox4", 176, 17, 92, 30, "Enable Preview"},
    {"MainPrint", "GroupBox4", 176, 53, 75, 25, "Print"},
    {"ColorBox1", "GroupBox4", 176, 118, 75, 25, "&Background", lfHidden},

    {"Button1", "", 520, 506, 75, 25, "OK"},
};

// What each control, menu item and timer runs.
const ui::Binding<TMainForm> kBindings[] = {
    // The window and its timers.
    {"", ui::Event::Show, &TMainForm::FormShow},
    {"", ui::Event::Hide, &TMainForm::FormHide},
    {"timer_start", ui::Event::Timer, &TMainForm::timer_startTimer},
    {"timer_forautomatic", ui::Event::Timer, &TMainForm::timer_forautomaticTimer},
    {"Timer1", ui::Event::Timer, &TMainForm::Timer1Timer},

    // The buttons and fields of the panel.
    {"Button1", ui::Event::Click, &TMainForm::Button1Click},
    {"BitBtn1", ui::Event::Click, &TMainForm::BitBtn1Click},
    {"BitBtn2", ui::Event::Click, &TMainForm::BitBtn2Click},
    {"modeautomatic", ui::Event::Click, &TMainForm::modeautomaticClick},
    {"modemanual", ui::Event::Click, &TMainForm::modemanualClick},
    {"browse", ui::Event::Click, &TMainForm::browseClick},
    {"reload", ui::Event::Click, &TMainForm::reloadClick},
    {"MainNew", ui::Event::Click, &TMainForm::MainNewClick},
    {"MainLoad", ui::Event::Click, &TMainForm::MainLoadClick},
    {"MainAppend", ui::Event::Click, &TMainForm::MainAppendClick},
    {"MainSave", ui::Event::Click, &TMainForm::MainSaveClick},
    {"MainListBox", ui::Event::Click, &TMainForm::MainListBoxClick},
    {"MainListBox", ui::Event::DblClick, &TMainForm::MainListBoxDblClick},
    {"MainChPreview", ui::Event::Click, &TMainForm::MainChPreviewClick},
    {"htmlpreviewbutton", ui::Event::Click, &TMainForm::htmlpreviewbuttonClick},
    {"MainPrint", ui::Event::Click, &TMainForm::MainPrintClick},
    {"CheckBox3", ui::Event::Click, &TMainForm::CheckBox3Click},
    {"MainTime", ui::Event::Change, &TMainForm::MainTimeChange},
    {"MainComboBox", ui::Event::Change, &TMainForm::MainComboBoxChange},
    {"ColorBox1", ui::Event::Click, &TMainForm::ColorBox1Click},
    {"BitBtn4", ui::Event::Click, &TMainForm::BitBtn4Click},
    {"BitBtn5", ui::Event::Click, &TMainForm::BitBtn5Click},
    {"BitBtn6", ui::Event::Click, &TMainForm::BitBtn6Click},
    {"MainBitBtn1", ui::Event::Click, &TMainForm::MainBitBtn1Click},
    {"MainBitBtn2", ui::Event::Click, &TMainForm::MainBitBtn2Click},
    {"MainBitBtn3", ui::Event::Click, &TMainForm::MainBitBtn3Click},
    {"MainBitBtn4", ui::Event::Click, &TMainForm::MainBitBtn4Click},
    {"MainBitBtn5", ui::Event::Click, &TMainForm::MainBitBtn5Click},

    // The tray icon and its menu.
    {"TrayIcon1", ui::Event::Click, &TMainForm::TrayIcon1Click},
    {"DrapenixControlPanel1", ui::Event::Click, &TMainForm::DrapenixControlPanel1Click},
    {"Settings1", ui::Event::Click, &TMainForm::Settings1Click},
    {"Desktop1", ui::Event::Click, &TMainForm::Desktop1Click},
    {"SelectedArea1", ui::Event::Click, &TMainForm::SelectedArea1Click},
    {"ActiveWindow1", ui::Event::Click, &TMainForm::ActiveWindow1Click},
    {"SelectedObject1", ui::Event::Click, &TMainForm::SelectedObject1Click},
    {"PreviousWallpaper1", ui::Event::Click, &TMainForm::PreviousWallpaper1Click},
    {"NextWallpape1", ui::Event::Click, &TMainForm::NextWallpape1Click},
    {"Reload1", ui::Event::Click, &TMainForm::Reload1Click},
    {"ClearWallpaper1", ui::Event::Click, &TMainForm::ClearWallpaper1Click},
    {"ShowDisplayProperties1", ui::Event::Click, &TMainForm::ShowDisplayProperties1Click},
    {"LaunchWindowsScreenSaver1", ui::Event::Click, &TMainForm::LaunchWindowsScreenSaver1Click},
    {"HideDesktopIcons1", ui::Event::Click, &TMainForm::HideDesktopIcons1Click},
    {"Help1", ui::Event::Click, &TMainForm::Help1Click},
    {"AboutDrapenix1", ui::Event::Click, &TMainForm::AboutDrapenix1Click},
    {"OtherVantorelUtilites1", ui::Event::Click, &TMainForm::OtherVantorelUtilites1Click},
    {"Donate1", ui::Event::Click, &TMainForm::Donate1Click},
    {"ExitDrapenix1", ui::Event::Click, &TMainForm::ExitDrapenix1Click},

    // The playlist menus (Add1, Add2).
    {"ShowFullPath1", ui::Event::Click, &TMainForm::ShowFullPath1Click},
    {"ScanDiskforWallpapers1", ui::Event::Click, &TMainForm::ScanDiskforWallpapers1Click},
    {"ScanDiskForWallpapers2", ui::Event::Click, &TMainForm::ScanDiskForWallpapers2Click},
    {"Addwallpapers1", ui::Event::Click, &TMainForm::Addwallpapers1Click},
    {"Addfromfolder1", ui::Event::Click, &TMainForm::Addfromfolder1Click},
    {"AddHTMLandMovieWallpapers1", ui::Event::Click, &TMainForm::AddHTMLandMovieWallpapers1Click},
    {"SetasWallpaper1", ui::Event::Click, &TMainForm::SetasWallpaper1Click},
    {"AddFromFile1", ui::Event::Click, &TMainForm::AddFromFile1Click},
    {"AddFromFolder2", ui::Event::Click, &TMainForm::AddFromFolder2Click},
    {"AddHTMLWallpaper1", ui::Event::Click, &TMainForm::AddHTMLWallpaper1Click},
    {"EmptyWallpaperList1", ui::Event::Click, &TMainForm::EmptyWallpaperList1Click},
    {"SortWallpaperList1", ui::Event::Click, &TMainForm::SortWallpaperList1Click},
    {"RandomiseWallpaperList1", ui::Event::Click, &TMainForm::RandomiseWallpaperList1Click},
    {"CopyFiles1", ui::Event::Click, &TMainForm::CopyFiles1Click},
    {"MoveFiles1", ui::Event::Click, &TMainForm::MoveFiles1Click},
    {"MoveFiles2", ui::Event::Click, &TMainForm::CopyFiles1Click},  // told apart by the sender
    {"RenameFiles1", ui::Event::Click, &TMainForm::RenameFiles1Click},
    {"FindCurrentSelection1", ui::Event::Click, &TMainForm::FindCurrentSelection1Click},
    {"SellectAll1", ui::Event::Click, &TMainForm::SellectAll1Click},
    {"RemoveBadGraphics1", ui::Event::Click, &TMainForm::RemoveBadGraphics1Click},

    // The language component, around each translation.
    {"Language1", ui::Event::BeforeTranslation, &TMainForm::Language1BeforeTranslation},
    {"Language1", ui::Event::AfterTranslation, &TMainForm::Language1AfterTranslation},
};

}  // namespace

void TMainForm::BuildControls() {
  // The banner lives in the hidden Image1; the visible one takes it at creation.
  Image1.SetPicture(ui::Picture::FromResource("BMP_BANNER"));
  MainImage.Stretch = true;
  MainPreview.Stretch = true;
  // A long folder name keeps its end in sight.
  automaticlocation.SetPathEllipsis(true);
  BuildLayout(kLayout);

  BitBtn1.SetIcon("IC_SET_WALLPAPER", 24);
  BitBtn2.SetIcon("IC_CLEAR_WALLPAPER", 24);
  BitBtn4.SetIcon("IC_CAPTURE", 24);
  BitBtn5.SetIcon("IC_SETTINGS", 24);
  BitBtn6.SetIcon("IC_HELP", 24);
  MainBitBtn1.SetIcon("IC_LIST_UP", 16);
  MainBitBtn2.SetIcon("IC_LIST_DOWN", 16);
  MainBitBtn3.SetIcon("IC_LIST_REMOVE", 16);
  MainBitBtn4.SetIcon("IC_LIST_ADD", 16);
  MainBitBtn5.SetIcon("IC_LIST_MENU", 16);

  MainListBox.SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
  CheckBox1.SetChecked(true);
  MainChPreview.SetChecked(true);
  MainComboBox.SetItems({"seconds", "minutes", "hours", "days"});
  MainComboBox.SetItemIndex(0);
  std::vector<std::string> styles;
  for (const WallpaperStyleRow& row : WallpaperStyles()) styles.push_back(row.caption);
  ComboBox1.SetItems(styles);
  ComboBox1.SetItemIndex(2);
  MainTime.SetValue(0);
  SpinEdit1.SetValue(0);
  SpinEdit2.SetValue(0);
  moviewidthspin.SetValue(800);
  movieheightspin.SetValue(600);
  lunglabel.SetWordWrap(true);
  lunglabel.SetTextColor(RGB(255, 0, 0));
  IntervalNote.SetTextColor(RGB(192, 0, 0));
  ColorBox1.SetBevel(ui::BevelKind::Raised);
  Button1.SetDefault(true);

  for (ui::MenuItem* item : {&Addwallpapers1, &Addfromfolder1, &AddHTMLandMovieWallpapers1, &ScanDiskforWallpapers1,
                             &Download1}) {
    Add1.Add(*item);
  }
  Download1.SetEnabled(false);
  for (ui::MenuItem* item : {&SetasWallpaper1, &N6, &AddFromFile1, &AddFromFolder2, &AddHTMLWallpaper1,
                             &ScanDiskForWallpapers2, &Download2, &N7, &EmptyWallpaperList1, &SortWallpaperList1,
                             &RandomiseWallpaperList1, &ShowFullPath1, &N8, &CopyFiles1, &MoveFiles1, &MoveFiles2,
                             &RenameFiles1, &N9, &FindCurrentSelection1, &SellectAll1, &InvertSelection1, &N10,
                             &RemoveBadGraphics1}) {
    Add2.Add(*item);
  }
  Download2.SetEnabled(false);

  for (ui::MenuItem* item :
       {&DrapenixControlPanel1, &Settings1, &N1, &ScreenCapture1, &N2, &PreviousWallpaper1, &NextWallpape1, &Reload1,
        &ClearWallpaper1, &ClearWallpaperPosition1, &N3, &ShowDisplayProperties1, &LaunchWindowsScreenSaver1,
        &HideDesktopIcons1, &N4, &Help1, &AboutDrapenix1, &N11, &OtherVantorelUtilites1, &Donate1, &N5,
        &ExitDrapenix1}) {
    PopupMenu1.Add(*item);
  }
  AutoFit1.SetEnabled(false);
  DrapenixControlPanel1.SetIcon(ui::kProgramIcon);
  ScreenCapture1.SetIcon("IC_CAPTURE");
  OtherVantorelUtilites1.SetIcon("IC_UTILITIES");
  Donate1.SetIcon("IC_DONATE");

  for (const char* name : {"IC_TRAY_DAY", "IC_TRAY_DUSK", "IC_TRAY_NIGHT"}) ImageList1.AddResource(name);
  TrayIcon1.SetIconList(&ImageList1);
  TrayIcon1.SetCycleInterval(5000);
  TrayIcon1.SetIconIndex(0);
  TrayIcon1.PopupMenu = &PopupMenu1;
  TrayIcon1.MinimizeToTray = true;
  TrayIcon1.SetIconVisible(true);
  SellectAll1.SetEnabled(false);
  InvertSelection1.SetEnabled(false);

  ui::Bind(*this, kBindings);
  // The tray menu's style commands, one to a style of the table.
  for (const WallpaperStyleRow& row : WallpaperStyles()) {
    ui::BindingSlot(*this, row.menuItem, ui::Event::Click) = [this, style = row.style](ui::Component&) {
      ApplyStyle(style);
    };
  }
  FitToolbar();
}

void TMainForm::FitToolbar() {
  // The row of buttons under the banner: each gets the room its caption
  // needs in the language now in use, and what is left is shared evenly, so
  // a long word in one language takes room from a short one beside it.
  ui::SpeedButton* const buttons[] = {&BitBtn1, &BitBtn2, &BitBtn4, &BitBtn5, &BitBtn6};
  constexpr int kLeft = 4, kGap = 4, kRight = 596;
  const int room = kRight - kLeft - kGap * int(std::size(buttons) - 1);
  int needed = 0;
  for (const ui::SpeedButton* b : buttons) needed += b->NeededWidth();
  const int spare = room - needed;
  int x = kLeft;
  for (size_t i = 0; i < std::size(buttons); ++i) {
    // The spare room in equal parts, the last button taking the rest; when
    // there is none, in proportion to what each needs.
    const bool last = i + 1 == std::size(buttons);
    int width = spare >= 0 ? buttons[i]->NeededWidth() + spare / int(std::size(buttons))
                           : buttons[i]->NeededWidth() * room / needed;
    if (last) width = kRight - x;
    buttons[i]->SetBounds(x, 4, width, 37);
    x += width + kGap;
  }
}

}  // namespace wc
