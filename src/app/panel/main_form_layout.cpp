// Where the control panel's controls sit, and what they show before any
// setting is read. Positions are pixels inside each control's container.
#include "app/panel/main_form.h"

#include "ui/graphics.h"
#include "ui/handle.h"

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
  ComboBox1.SetItems({"Tile", "Center", "Stretch", "Custom Position"});
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
}

}  // namespace wc
