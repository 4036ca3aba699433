// Where the control panel's controls sit, what they show before any setting
// is read, and what each of them runs. Positions are pixels inside each
// control's container.
#include "app/panel/main_form.h"
#include "playlist/history.h"

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
    {"timer_start", ui::Event::Timer, &TMainForm::StartupTimerTick},
    {"timer_forautomatic", ui::Event::Timer, &TMainForm::FolderReaderTimerTick},
    {"Timer1", ui::Event::Timer, &TMainForm::RotationTimerTick},
    {"RelayoutTimer", ui::Event::Timer, &TMainForm::RelayoutTimerTick},

    // The buttons and fields of the panel.
    {"Button1", ui::Event::Click, &TMainForm::OkButtonClick},
    {"BitBtn1", ui::Event::Click, &TMainForm::SetWallpaperButtonClick},
    {"BitBtn2", ui::Event::Click, &TMainForm::ClearWallpaperButtonClick},
    {"modeautomatic", ui::Event::Click, &TMainForm::AutomaticModeRadioClick},
    {"modemanual", ui::Event::Click, &TMainForm::ManualModeRadioClick},
    {"browse", ui::Event::Click, &TMainForm::BrowseFolderButtonClick},
    {"reload", ui::Event::Click, &TMainForm::ReloadFolderButtonClick},
    {"MainNew", ui::Event::Click, &TMainForm::MainNewClick},
    {"MainLoad", ui::Event::Click, &TMainForm::MainLoadClick},
    {"MainAppend", ui::Event::Click, &TMainForm::MainAppendClick},
    {"MainSave", ui::Event::Click, &TMainForm::MainSaveClick},
    {"MainListBox", ui::Event::Click, &TMainForm::MainListBoxClick},
    {"MainListBox", ui::Event::DblClick, &TMainForm::PlaylistRowDoubleClick},
    {"MainChPreview", ui::Event::Click, &TMainForm::MainChPreviewClick},
    {"htmlpreviewbutton", ui::Event::Click, &TMainForm::PagePreviewButtonClick},
    {"MainPrint", ui::Event::Click, &TMainForm::MainPrintClick},
    {"CheckBox3", ui::Event::Click, &TMainForm::UseTimerCheckClick},
    {"MainTime", ui::Event::Change, &TMainForm::IntervalValueEditChange},
    {"MainComboBox", ui::Event::Change, &TMainForm::IntervalUnitBoxChange},
    {"ColorBox1", ui::Event::Click, &TMainForm::BackgroundSwatchClick},
    {"BitBtn4", ui::Event::Click, &TMainForm::ScreenCaptureButtonClick},
    {"BitBtn5", ui::Event::Click, &TMainForm::SettingsButtonClick},
    {"BitBtn6", ui::Event::Click, &TMainForm::HelpButtonClick},
    {"MainBitBtn1", ui::Event::Click, &TMainForm::MoveUpButtonClick},
    {"MainBitBtn2", ui::Event::Click, &TMainForm::MoveDownButtonClick},
    {"MainBitBtn3", ui::Event::Click, &TMainForm::RemoveEntryButtonClick},
    {"MainBitBtn4", ui::Event::Click, &TMainForm::AddEntriesButtonClick},
    {"MainBitBtn5", ui::Event::Click, &TMainForm::PlaylistMenuButtonClick},

    // The tray icon and its menu.
    {"TrayIcon1", ui::Event::Click, &TMainForm::TrayClick},
    {"DrapenixControlPanel1", ui::Event::Click, &TMainForm::ControlPanelItemClick},
    {"Settings1", ui::Event::Click, &TMainForm::SettingsItemClick},
    {"Desktop1", ui::Event::Click, &TMainForm::CaptureDesktopItemClick},
    {"SelectedArea1", ui::Event::Click, &TMainForm::CaptureAreaItemClick},
    {"ActiveWindow1", ui::Event::Click, &TMainForm::CaptureWindowItemClick},
    {"SelectedObject1", ui::Event::Click, &TMainForm::CaptureObjectItemClick},
    {"PreviousWallpaper1", ui::Event::Click, &TMainForm::PreviousWallpaperItemClick},
    {"NextWallpape1", ui::Event::Click, &TMainForm::NextWallpaperItemClick},
    {"PopupMenu1", ui::Event::Popup, &TMainForm::TrayMenuPopup},
    {"Reload1", ui::Event::Click, &TMainForm::ReloadItemClick},
    {"ClearWallpaper1", ui::Event::Click, &TMainForm::ClearWallpaperItemClick},
    {"ShowDisplayProperties1", ui::Event::Click, &TMainForm::DisplayPropertiesItemClick},
    {"LaunchWindowsScreenSaver1", ui::Event::Click, &TMainForm::ScreenSaverItemClick},
    {"HideDesktopIcons1", ui::Event::Click, &TMainForm::HideDesktopIconsItemClick},
    {"Help1", ui::Event::Click, &TMainForm::HelpItemClick},
    {"AboutDrapenix1", ui::Event::Click, &TMainForm::AboutItemClick},
    {"OtherVantorelUtilites1", ui::Event::Click, &TMainForm::OtherProgramsItemClick},
    {"Donate1", ui::Event::Click, &TMainForm::DonateItemClick},
    {"ExitDrapenix1", ui::Event::Click, &TMainForm::ExitItemClick},

    // The playlist menus (AddMenu, PlaylistMenu).
    {"ShowFullPath1", ui::Event::Click, &TMainForm::ShowFullPathItemClick},
    {"PauseChanges1", ui::Event::Click, &TMainForm::PauseChangesItemClick},
    {"AddToFavourites1", ui::Event::Click, &TMainForm::AddToFavouritesItemClick},
    {"AddToFavourites2", ui::Event::Click, &TMainForm::AddToFavouritesItemClick},
    {"NeverShowAgain1", ui::Event::Click, &TMainForm::NeverShowAgainItemClick},
    {"NeverShowAgain2", ui::Event::Click, &TMainForm::ListNeverShowAgainItemClick},
    {"ShowAgain1", ui::Event::Click, &TMainForm::ShowAgainItemClick},
    {"Add2", ui::Event::Popup, &TMainForm::PlaylistMenuPopup},
    {"ScanDiskforWallpapers1", ui::Event::Click, &TMainForm::ScanDiskItemClick},
    {"ScanDiskForWallpapers2", ui::Event::Click, &TMainForm::ListScanDiskItemClick},
    {"Addwallpapers1", ui::Event::Click, &TMainForm::AddFilesItemClick},
    {"Addfromfolder1", ui::Event::Click, &TMainForm::AddFolderItemClick},
    {"AddHTMLandMovieWallpapers1", ui::Event::Click, &TMainForm::AddPagesItemClick},
    {"SetasWallpaper1", ui::Event::Click, &TMainForm::SetAsWallpaperItemClick},
    {"AddFromFile1", ui::Event::Click, &TMainForm::ListAddFilesItemClick},
    {"AddFromFolder2", ui::Event::Click, &TMainForm::ListAddFolderItemClick},
    {"AddHTMLWallpaper1", ui::Event::Click, &TMainForm::ListAddPagesItemClick},
    {"EmptyWallpaperList1", ui::Event::Click, &TMainForm::EmptyListItemClick},
    {"SortWallpaperList1", ui::Event::Click, &TMainForm::SortListItemClick},
    {"RandomiseWallpaperList1", ui::Event::Click, &TMainForm::RandomiseListItemClick},
    {"CopyFiles1", ui::Event::Click, &TMainForm::CopyFilesItemClick},
    {"MoveFiles1", ui::Event::Click, &TMainForm::DeleteFilesItemClick},
    {"MoveFiles2", ui::Event::Click, &TMainForm::CopyFilesItemClick},  // told apart by the sender
    {"RenameFiles1", ui::Event::Click, &TMainForm::RenameFilesItemClick},
    {"FindCurrentSelection1", ui::Event::Click, &TMainForm::FindCurrentItemClick},
    {"SellectAll1", ui::Event::Click, &TMainForm::SelectAllItemClick},
    {"RemoveBadGraphics1", ui::Event::Click, &TMainForm::RemoveBadGraphicsItemClick},

    // The language component, around each translation.
    {"Language1", ui::Event::BeforeTranslation, &TMainForm::TranslatorBeforeTranslation},
    {"Language1", ui::Event::AfterTranslation, &TMainForm::TranslatorAfterTranslation},
};

}  // namespace

void TMainForm::BuildControls() {
  // The banner lives in the hidden BannerImage; the visible one takes it at creation.
  BannerImage.SetPicture(ui::Picture::FromResource("BMP_BANNER"));
  MainImage.Stretch = true;
  MainPreview.Stretch = true;
  // A long folder name keeps its end in sight.
  AutomaticFolderLabel.SetPathEllipsis(true);
  // The rows of files never to be shown again are drawn dimmed.
  MainListBox.SetDimmedRows([this](int row) { return IsExcludedRow(row); });
  BuildLayout(kLayout);

  SetWallpaperButton.SetIcon("IC_SET_WALLPAPER", 24);
  ClearWallpaperButton.SetIcon("IC_CLEAR_WALLPAPER", 24);
  ScreenCaptureButton.SetIcon("IC_CAPTURE", 24);
  SettingsButton.SetIcon("IC_SETTINGS", 24);
  HelpButton.SetIcon("IC_HELP", 24);
  MoveUpButton.SetIcon("IC_LIST_UP", 16);
  MoveDownButton.SetIcon("IC_LIST_DOWN", 16);
  RemoveEntryButton.SetIcon("IC_LIST_REMOVE", 16);
  AddEntriesButton.SetIcon("IC_LIST_ADD", 16);
  PlaylistMenuButton.SetIcon("IC_LIST_MENU", 16);

  MainListBox.SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
  ChangeAtStartupCheck.SetChecked(true);
  MainChPreview.SetChecked(true);
  IntervalUnitBox.SetItems({"seconds", "minutes", "hours", "days"});
  IntervalUnitBox.SetItemIndex(0);
  std::vector<std::string> styles;
  for (const WallpaperStyleRow& row : WallpaperStyles()) styles.push_back(row.caption);
  StyleBox.SetItems(styles);
  StyleBox.SetItemIndex(2);
  IntervalValueEdit.SetValue(0);
  OriginXEdit.SetValue(0);
  OriginYEdit.SetValue(0);
  MovieWidthEdit.SetValue(800);
  MovieHeightEdit.SetValue(600);
  ActiveDesktopNote.SetWordWrap(true);
  ActiveDesktopNote.SetTextColor(RGB(255, 0, 0));
  IntervalNote.SetTextColor(RGB(192, 0, 0));
  BackgroundSwatch.SetBevel(ui::BevelKind::Raised);
  OkButton.SetDefault(true);

  for (ui::MenuItem* item : {&AddFilesItem, &AddFolderItem, &AddPagesItem, &ScanDiskItem,
                             &DownloadItem}) {
    AddMenu.Add(*item);
  }
  DownloadItem.SetEnabled(false);
  for (ui::MenuItem* item : {&SetAsWallpaperItem, &ListAddToFavouritesItem, &ListNeverShowAgainItem, &ShowAgainItem, &N6, &ListAddFilesItem, &ListAddFolderItem, &ListAddPagesItem,
                             &ListScanDiskItem, &ListDownloadItem, &N7, &EmptyListItem, &SortListItem,
                             &RandomiseListItem, &ShowFullPathItem, &N8, &CopyFilesItem, &DeleteFilesItem, &MoveFilesItem,
                             &RenameFilesItem, &N9, &FindCurrentItem, &SelectAllItem, &InvertSelectionItem, &N10,
                             &RemoveBadGraphicsItem}) {
    PlaylistMenu.Add(*item);
  }
  ListDownloadItem.SetEnabled(false);
  ShowAgainItem.SetVisible(false);

  for (ui::MenuItem* item :
       {&ControlPanelItem, &SettingsItem, &N1, &ScreenCaptureMenu, &N2, &PreviousWallpaperItem, &NextWallpaperItem, &NextOnMonitorMenu, &ReloadItem, &RecentMenu, &PauseChangesItem, &AddToFavouritesItem, &NeverShowAgainItem,
        &ClearWallpaperItem, &StyleMenu, &N3, &DisplayPropertiesItem, &ScreenSaverItem,
        &HideDesktopIconsItem, &N4, &HelpItem, &AboutItem, &N11, &OtherProgramsItem, &DonateItem, &N5,
        &ExitItem}) {
    TrayMenu.Add(*item);
  }
  AutoFitItem.SetEnabled(false);
  ControlPanelItem.SetIcon(ui::kProgramIcon);
  ScreenCaptureMenu.SetIcon("IC_CAPTURE");
  OtherProgramsItem.SetIcon("IC_UTILITIES");
  DonateItem.SetIcon("IC_DONATE");

  for (const char* name : {"IC_TRAY_DAY", "IC_TRAY_DUSK", "IC_TRAY_NIGHT"}) TrayIconFrames.AddResource(name);
  Tray.SetIconList(&TrayIconFrames);
  Tray.SetCycleInterval(5000);
  Tray.SetIconIndex(0);
  Tray.PopupMenu = &TrayMenu;
  Tray.MinimizeToTray = true;
  Tray.SetIconVisible(true);
  SelectAllItem.SetEnabled(false);
  InvertSelectionItem.SetEnabled(false);

  for (size_t k = 0; k < kMonitorItems; ++k) {
    NextOnMonitorItems.push_back(
        std::make_unique<ui::MenuItem>(this, "NextOnMonitor" + std::to_string(k + 1), &NextOnMonitorMenu, ""));
    NextOnMonitorItems.back()->OnClick = [this, k](ui::Component&) { NextWallpaperOnMonitor(k); };
  }
  for (size_t k = 0; k < kRecentItems; ++k) {
    RecentItems.push_back(std::make_unique<ui::MenuItem>(this, "Recent" + std::to_string(k + 1), &RecentMenu, ""));
    RecentItems.back()->OnClick = [this, k](ui::Component&) { RecentItemClick(k); };
  }
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
  ui::SpeedButton* const buttons[] = {&SetWallpaperButton, &ClearWallpaperButton, &ScreenCaptureButton, &SettingsButton, &HelpButton};
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
