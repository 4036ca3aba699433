// The control panel's tray icon and tray menu, its speed buttons and the
// small desktop commands, with every window of the program built as the
// program entry builds them.
//
// The shell's notifications are posted to the tray icon's handler window the
// way the shell posts them (wParam the icon's identity, lParam the mouse
// message) and run from the message loop. Menus are read from the live popup
// while it is on screen.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "capture/screen_form.h"
#include "common/bmp.h"
#include "common/image32.h"
#include "common/ini_file.h"
#include "common/paths.h"
#include "dialogs/about_form.h"
#include "gui_test.h"
#include "program_files.h"
#include "settings/settings_form.h"

namespace wc {
namespace {

using namespace std::chrono_literals;
using test::ReadTextFile;
using test::WriteTextFile;

using test::DesktopValue;

// Top-level windows of this process that the taskbar gives a button: shown,
// no tool window, and unowned or asking for a button.
std::vector<HWND> TaskbarWindows() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(h)) return TRUE;
        LONG_PTR ex = GetWindowLongPtrA(h, GWL_EXSTYLE);
        if (ex & WS_EX_TOOLWINDOW) return TRUE;
        if (GetWindow(h, GW_OWNER) == nullptr || (ex & WS_EX_APPWINDOW)) reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// One row of a native menu as the user sees it.
struct MenuRow {
  std::string caption;  // "-" for a separator
  bool disabled = false;
  bool checked = false;
  bool icon = false;
  std::vector<MenuRow> sub;
  bool operator==(const MenuRow&) const = default;
};
std::ostream& operator<<(std::ostream& o, const MenuRow& r) {
  o << '"' << r.caption << '"' << (r.disabled ? " disabled" : "") << (r.checked ? " checked" : "")
    << (r.icon ? " icon" : "");
  if (!r.sub.empty()) {
    o << " {";
    for (const MenuRow& s : r.sub) o << s << "; ";
    o << "}";
  }
  return o;
}

std::vector<MenuRow> ReadMenu(HMENU menu) {
  std::vector<MenuRow> rows;
  int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_BITMAP;
    GetMenuItemInfoA(menu, UINT(i), TRUE, &mi);
    MenuRow row;
    if (mi.fType & MFT_SEPARATOR) {
      row.caption = "-";
    } else {
      char text[256] = {};
      GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
      row.caption = text;
    }
    row.disabled = (mi.fState & MFS_DISABLED) != 0;
    row.checked = (mi.fState & MFS_CHECKED) != 0;
    row.icon = mi.hbmpItem != nullptr;
    if (mi.hSubMenu) row.sub = ReadMenu(mi.hSubMenu);
    rows.push_back(std::move(row));
  }
  return rows;
}

MenuRow Item(std::string caption, bool icon = false) { return {std::move(caption), false, false, icon, {}}; }
MenuRow Separator() { return Item("-"); }

class PanelTrayTest : public test::GuiTest {
 protected:
  PanelTrayTest() {
    CreateProgramWindows(app);
    panel = ui::Application::FindForm<TMainForm>("MainForm");
  }
  ~PanelTrayTest() override {
    if (standIn) DestroyWindow(standIn);
  }
  // The start-up sequence runs two seconds after creation; tests run it now,
  // without the start-up change.
  void StartUp() {
    panel->StartupTimerTick(panel->StartupTimer);
    panel->FolderReaderTimer.SetEnabled(false);
  }
  std::string Bmp(const std::string& name, uint32_t colour) {
    std::string path = dir.file(name);
    WriteFileBytes(path, EncodeBmp(MakeImage(8, 6, colour), 24));
    return path;
  }
  void Load(const std::vector<std::string>& paths) {
    panel->AddFilesToPlaylist(paths);
    panel->MainListBox.Clear();
    panel->FillPlaylistBox(false);
  }
  static std::string PlaylistText(const std::vector<std::string>& paths) {
    std::string text;
    for (const auto& p : paths) text += p + "\r\n" + DisplayName(p) + "\r\n";
    return text;
  }
  std::string DefPlayList() const { return ExeFolder() + "DefPlayList.qvl"; }

  // Posts what the shell posts for a mouse message over the icon, then runs
  // the message loop.
  void Shell(std::initializer_list<UINT> mouseMessages) {
    for (UINT m : mouseMessages) {
      PostMessageA(panel->Tray.CallbackWindow(), TrayCallbackMessage, panel->Tray.Identity(), m);
    }
    Pump();
  }
  // A right click on the icon. While the menu is on screen `whileOpen` sees
  // its window and handle; then `keys` are pressed in it, or (none given) it
  // is closed.
  std::optional<ui::NotifyEvent> panelPrepares_;
  void RightClick(const std::function<void(HWND, HMENU)>& whileOpen, std::vector<WPARAM> keys = {}) {
    menuWindow = nullptr;
    bool ran = false;
    // The panel's own preparation of the menu first, as without the test.
    if (!panelPrepares_) panelPrepares_ = panel->TrayMenu.OnPopup;
    panel->TrayMenu.OnPopup = [&](ui::Component& sender) {
      if (*panelPrepares_) (*panelPrepares_)(sender);
      app.Post([&] {
        ran = true;
        HWND w = FindWindowA("#32768", nullptr);
        HMENU h = w ? reinterpret_cast<HMENU>(SendMessageA(w, MN_GETHMENU, 0, 0)) : nullptr;
        menuWindow = w;
        if (w && IsWindowVisible(w)) whileOpen(w, h);
        if (keys.empty() || !w) {
          EndMenu();
          return;
        }
        for (WPARAM k : keys) {
          PostMessageA(w, WM_KEYDOWN, k, 0);
          PostMessageA(w, WM_KEYUP, k, 0xC0000000);
        }
      });
    };
    SetCursorPos(300, 300);
    Shell({WM_RBUTTONDOWN, WM_RBUTTONUP});
    panel->TrayMenu.OnPopup = nullptr;
    ASSERT_TRUE(ran) << "the menu did not open";
    ASSERT_NE(menuWindow, nullptr) << "no menu window while the menu was open";
  }
  std::vector<MenuRow> ShownMenu() {
    std::vector<MenuRow> rows;
    RightClick([&](HWND, HMENU h) {
      if (h) rows = ReadMenu(h);
    });
    return rows;
  }
  // A top-level window as the desktop's own, which Wine does not have.
  HWND MakeProgramManager() {
    standIn = CreateWindowExA(0, "STATIC", "Program Manager", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    return standIn;
  }
  static void ClickButton(HWND button) {
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }

  TMainForm* panel = nullptr;
  HWND menuWindow = nullptr;
  HWND standIn = nullptr;
};

// Asks the shell whether it has an icon under this window and id.
bool ShellKnows(HWND window, UINT id) {
  NOTIFYICONDATAA n{};
  n.cbSize = NOTIFYICONDATAA_V2_SIZE;
  n.hWnd = window;
  n.uID = id;
  n.uFlags = NIF_TIP;
  lstrcpyA(n.szTip, "?");
  return Shell_NotifyIconA(NIM_MODIFY, &n) != FALSE;
}

// ---- the icon ------------------------------------------------------------------

TEST_F(PanelTrayTest, TheIconShowsTheFirstOfThreeImagesWithTheTitleAsTip) {
  ASSERT_NE(panel, nullptr);
  TTrayIcon& icon = panel->Tray;
  EXPECT_EQ(panel->TrayIconFrames.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(panel->TrayIconFrames.Image(i), &ii)) << "image " << i;
    BITMAP bm{};
    GetObjectA(ii.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 16);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
  }
  EXPECT_EQ(icon.IconList(), &panel->TrayIconFrames);
  EXPECT_EQ(icon.CycleInterval(), 5000u);
  EXPECT_FALSE(icon.CycleIcons());  // the settings' option switches it
  EXPECT_TRUE(icon.IconVisible());
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_NE(icon.Icon(), nullptr);
  EXPECT_EQ(icon.PopupMenu, &panel->TrayMenu);
  EXPECT_TRUE(icon.MinimizeToTray);
  EXPECT_TRUE(icon.IsLoaded());
  EXPECT_EQ(icon.Hint(), "Pellimox Free Wallpaper Changer");
  EXPECT_STREQ(icon.IconData().szTip, "Pellimox Free Wallpaper Changer");
  EXPECT_NE(icon.IconData().hIcon, 0u);
  // It is in the tray from the moment the panel is made, before the start-up.
  EXPECT_TRUE(ShellKnows(icon.CallbackWindow(), icon.Identity()));
}

TEST_F(PanelTrayTest, TheStartUpAndTheProgramEntrySwitchTheIconOn) {
  TTrayIcon& icon = panel->Tray;
  icon.SetEnabled(false);
  panel->ProgramStarted();
  EXPECT_TRUE(icon.Enabled());
  icon.SetEnabled(false);
  StartUp();
  EXPECT_TRUE(icon.Enabled());
}

// ---- the menu ------------------------------------------------------------------

TEST_F(PanelTrayTest, ARightClickOpensTheTrayMenuWithEveryItemInOrder) {
  std::vector<MenuRow> rows = ShownMenu();
  MenuRow capture = Item("Screen Capture", true);
  capture.sub = {Item("Desktop"), Item("Selected Area"), Item("Active Window"), Item("Selected Object")};
  MenuRow positions = Item("Clear Wallpaper Position");
  MenuRow autoFit = Item("Auto fit");
  autoFit.disabled = true;
  positions.sub = {Item("Center"), Item("Tile"), Item("Fit to screen"), Item("Custom Position"),
                   Item("Fill"),   Item("Fit"),  Item("Span"),          autoFit};
  const std::vector<MenuRow> expected = {
      Item("Pellimox Free Wallpaper Changer Control Panel", true),
      Item("Settings..."),
      Separator(),
      capture,
      Separator(),
      Item("Previous Wallpaper"),
      Item("Next Wallpaper"),
      Item("Reload"),
      Item("Pause changes"),
      Item("Add to favourites"),
      Item("Never show again"),
      Item("Clear Wallpaper"),
      positions,
      Separator(),
      Item("Show Display Properties"),
      Item("Launch Windows Screen Saver"),
      Item("Hide Desktop Icons"),
      Separator(),
      Item("Help"),
      Item("About Pellimox Free Wallpaper Changer..."),
      Separator(),
      Item("Other Pellimox Freeware and Shareware", true),
      Item(panel->DonateItem.Caption(), true),
      Separator(),
      Item("Exit Pellimox Free Wallpaper Changer"),
  };
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << "row " << i;
  EXPECT_FALSE(panel->DonateItem.Caption().empty());
  EXPECT_EQ(panel->TrayMenu.PopupComponent, &panel->Tray);
  EXPECT_FALSE(IsWindow(menuWindow) && IsWindowVisible(menuWindow));  // closed again
}

// ---- a left click ----------------------------------------------------------------

TEST_F(PanelTrayTest, ALeftClickAppliesTheNextRowAndWrapsToTheFirst) {
  StartUp();
  std::string a = Bmp("a.bmp", 0xFF0000), b = Bmp("b.bmp", 0x00FF00), c = Bmp("c.bmp", 0x0000FF);
  Load({a, b, c});
  ASSERT_FALSE(panel->ShuffleCheck.Checked());
  panel->CurrentIndex = 2;
  panel->MainListBox.SetItemIndex(2);
  Shell({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  EXPECT_EQ(panel->CurrentIndex, 0);
  EXPECT_EQ(panel->MainListBox.ItemIndex(), 0);
  EXPECT_EQ(DesktopValue("Wallpaper"), a);
  EXPECT_EQ(IniFile(ExeFolder() + "settings.ini").ReadInteger("Last Wallpaper Index", "Value", -1), 0);

  // A double click reports its first click only: one step.
  Shell({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
  EXPECT_EQ(panel->CurrentIndex, 1);
  EXPECT_EQ(DesktopValue("Wallpaper"), b);
  // The right button changes nothing.
  RightClick([](HWND, HMENU) {});
  EXPECT_EQ(panel->CurrentIndex, 1);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PanelTrayTest, ALeftClickOnAnEmptyPlaylistDoesNothing) {
  StartUp();
  std::string before = DesktopValue("Wallpaper");
  Shell({WM_LBUTTONDOWN, WM_LBUTTONUP});
  EXPECT_EQ(panel->CurrentIndex, 0);
  EXPECT_EQ(DesktopValue("Wallpaper"), before);
  EXPECT_TRUE(prompts.messages.empty());
}

// ---- desktop commands --------------------------------------------------------------

TEST_F(PanelTrayTest, HideDesktopIconsTwiceHidesAndShowsTheDesktopAndEndsUnchecked) {
  HWND desktop = MakeProgramManager();
  ASSERT_NE(desktop, nullptr);
  ASSERT_EQ(FindWindowA(nullptr, "Program Manager"), desktop);
  StartUp();
  EXPECT_FALSE(panel->HideDesktopIconsItem.Checked());
  panel->HideDesktopIconsItem.Click();
  EXPECT_FALSE(IsWindowVisible(desktop));
  EXPECT_TRUE(panel->HideDesktopIconsItem.Checked());
  std::vector<MenuRow> rows = ShownMenu();
  ASSERT_EQ(rows.size(), 25u);
  EXPECT_EQ(rows[16].caption, "Hide Desktop Icons");
  EXPECT_TRUE(rows[16].checked);
  panel->HideDesktopIconsItem.Click();
  EXPECT_TRUE(IsWindowVisible(desktop));
  EXPECT_FALSE(panel->HideDesktopIconsItem.Checked());

  // Without the window only the check mark changes.
  DestroyWindow(standIn);
  standIn = nullptr;
  panel->HideDesktopIconsItem.Click();
  EXPECT_TRUE(panel->HideDesktopIconsItem.Checked());
  panel->HideDesktopIconsItem.Click();
  EXPECT_FALSE(panel->HideDesktopIconsItem.Checked());
}

TEST_F(PanelTrayTest, ShellItemsOpenTheirFilesAndAddressesAndStartNothingElse) {
  StartUp();
  prompts.shellCalls.clear();
  using Call = test::ScriptedPrompts::ShellCall;
  auto last = [&]() -> Call { return prompts.shellCalls.empty() ? Call{} : prompts.shellCalls.back(); };

  panel->DisplayPropertiesItem.Click();
  ASSERT_EQ(prompts.shellCalls.size(), 1u);
  EXPECT_EQ(last().owner, panel->Handle());
  EXPECT_EQ(last().verb, "open");
  EXPECT_EQ(last().file, "rundll32.exe");
  EXPECT_EQ(last().parameters, "shell32.dll,Control_RunDLL desk.cpl");
  EXPECT_EQ(last().folder, "");
  EXPECT_EQ(last().show, SW_SHOW);

  // The tray's help follows the working folder; the panel's button looks
  // beside the program.
  panel->HelpItem.Click();
  ASSERT_EQ(prompts.shellCalls.size(), 2u);
  EXPECT_EQ(last().owner, nullptr);
  EXPECT_EQ(last().verb, "open");
  EXPECT_EQ(last().file, "help.chm");
  EXPECT_EQ(last().parameters, "");
  EXPECT_EQ(last().show, SW_SHOWNORMAL);
  ClickButton(panel->HelpButton.Handle());
  ASSERT_EQ(prompts.shellCalls.size(), 3u);
  EXPECT_EQ(last().owner, nullptr);
  EXPECT_EQ(last().file, ExeFolder() + "help.chm");
  EXPECT_EQ(last().show, SW_SHOWNORMAL);

  panel->OtherProgramsItem.Click();
  ASSERT_EQ(prompts.shellCalls.size(), 4u);
  EXPECT_EQ(last().owner, nullptr);
  EXPECT_EQ(last().verb, "open");
  EXPECT_EQ(last().file, panel->SiteUrl);
  EXPECT_EQ(panel->SiteUrl.rfind("https://", 0), 0u);
  EXPECT_EQ(last().show, SW_SHOWNORMAL);

  // Nothing gives the donation entry an address: it opens nothing.
  EXPECT_EQ(panel->DonateUrl, "");
  panel->DonateItem.Click();
  EXPECT_EQ(prompts.shellCalls.size(), 4u);

  // The screen saver is switched on for this logon, through no program.
  BOOL saved = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saved, 0);
  SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
  panel->ScreenSaverItem.Click();
  BOOL active = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, saved, nullptr, 0);
  EXPECT_TRUE(active);
  EXPECT_EQ(prompts.shellCalls.size(), 4u);
  EXPECT_TRUE(prompts.messages.empty());
}

// ---- windows opened from the tray and the buttons --------------------------------------

TEST_F(PanelTrayTest, TheTrayOpensWindowsModelessTheSettingsButtonModal) {
  StartUp();
  auto* settings = ui::Application::FindForm<TSettings>("Settings");
  auto* viewer = ui::Application::FindForm<TScreenForm>("ScreenForm");
  auto* about = ui::Application::FindForm<TAboutForm>("AboutForm");
  ASSERT_TRUE(settings && viewer && about);

  panel->SettingsItem.Click();
  EXPECT_TRUE(IsWindowVisible(settings->Handle()));
  EXPECT_TRUE(IsWindowEnabled(panel->Handle()));
  settings->Hide();
  panel->AboutItem.Click();
  EXPECT_TRUE(IsWindowVisible(about->Handle()));
  about->Hide();
  // The captures run for real: quick, off the clipboard, and the picking
  // overlays left with Esc as soon as they show.
  viewer->ScreenGrabber1.Delay = 0;
  viewer->ScreenGrabber1.Auto = false;
  for (ui::MenuItem* item : {&panel->CaptureDesktopItem, &panel->CaptureAreaItem, &panel->CaptureWindowItem, &panel->CaptureObjectItem}) {
    for (const char* overlay : {"CaptureRectForm", "CaptureObjectForm"}) {
      app.Post([overlay] {
        if (auto* f = ui::Application::FindForm<ui::Form>(overlay)) PostMessageA(f->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
      });
    }
    item->Click();
    EXPECT_TRUE(IsWindowVisible(viewer->Handle())) << item->Name();
    viewer->Hide();
  }
  ClickButton(panel->ScreenCaptureButton.Handle());
  EXPECT_TRUE(IsWindowVisible(viewer->Handle()));
  viewer->Hide();

  // The panel's "Settings" keeps the other windows waiting until it closes.
  panel->Show();
  bool panelEnabled = true, settingsShown = false;
  app.Post([&] {
    panelEnabled = IsWindowEnabled(panel->Handle()) != FALSE;
    settingsShown = IsWindowVisible(settings->Handle()) != FALSE;
    settings->Close();
  });
  ClickButton(panel->SettingsButton.Handle());
  EXPECT_TRUE(settingsShown);
  EXPECT_FALSE(panelEnabled);
  EXPECT_FALSE(IsWindowVisible(settings->Handle()));
  EXPECT_TRUE(IsWindowEnabled(panel->Handle()));
}

TEST_F(PanelTrayTest, TheSpeedButtonsCarryTheirCaptionsAndSetWallpaperAppliesTheSelection) {
  StartUp();
  EXPECT_EQ(panel->SetWallpaperButton.Caption(), "Set Wallpaper");
  EXPECT_EQ(panel->ClearWallpaperButton.Caption(), "Clear Wallpaper");
  EXPECT_EQ(panel->ScreenCaptureButton.Caption(), "Screen Capture");
  EXPECT_EQ(panel->SettingsButton.Caption(), "Settings");
  EXPECT_EQ(panel->HelpButton.Caption(), "Help");
  for (ui::Control* b : {&panel->SetWallpaperButton, &panel->ClearWallpaperButton, &panel->ScreenCaptureButton, &panel->SettingsButton, &panel->HelpButton}) {
    EXPECT_EQ(GetParent(b->Handle()), panel->ButtonBar.Handle()) << b->Name();
  }
  std::string a = Bmp("a.bmp", 0x102030), b = Bmp("b.bmp", 0x405060);
  Load({a, b});
  panel->CurrentIndex = 0;
  panel->MainListBox.SetItemIndex(1);
  ClickButton(panel->SetWallpaperButton.Handle());
  EXPECT_EQ(panel->CurrentIndex, 1);
  EXPECT_EQ(DesktopValue("Wallpaper"), b);
  ClickButton(panel->ClearWallpaperButton.Handle());
  EXPECT_EQ(DesktopValue("Wallpaper"), "");
  EXPECT_EQ(panel->CurrentIndex, 1);
}

TEST_F(PanelTrayTest, HintsAreSwitchedForTheListedControlsOnly) {
  StartUp();
  ui::Control* listed[] = {&panel->MoveUpButton, &panel->MoveDownButton, &panel->RemoveEntryButton, &panel->AddEntriesButton,
                           &panel->PlaylistMenuButton, &panel->MainNew,     &panel->MainAppend,  &panel->MainLoad,
                           &panel->MainSave,    &panel->MainPrint,   &panel->MainPreview, &panel->BackgroundSwatch,
                           &panel->StyleBox,   &panel->MainChPreview};
  // Controls off the list keep what they have, either way.
  panel->SetWallpaperButton.SetShowHint(true);
  panel->MainListBox.SetShowHint(false);
  panel->SetHintsShown(true);
  for (ui::Control* c : listed) EXPECT_TRUE(c->ShowHint()) << c->Name();
  panel->SetHintsShown(false);
  for (ui::Control* c : listed) EXPECT_FALSE(c->ShowHint()) << c->Name();
  EXPECT_TRUE(panel->SetWallpaperButton.ShowHint());
  panel->SetHintsShown(true);
  EXPECT_FALSE(panel->MainListBox.ShowHint());

  // Every name on the list is a control of the program's windows, and the
  // switch reaches it.
  for (const char* path : TMainForm::HintedControls()) {
    auto* control = dynamic_cast<ui::Control*>(ui::ResolveComponentPath(app, path));
    if (!control) {
      ADD_FAILURE() << path << " names no control";
      continue;
    }
    panel->SetHintsShown(false);
    EXPECT_FALSE(control->ShowHint()) << path;
    panel->SetHintsShown(true);
    EXPECT_TRUE(control->ShowHint()) << path;
  }
}

// ---- minimising, restoring and exiting ---------------------------------------------------

TEST_F(PanelTrayTest, MinimizingHidesThePanelAndItsButtonTheTrayMenuBringsItBack) {
  StartUp();
  panel->Show();
  ASSERT_EQ(TaskbarWindows(), std::vector<HWND>{panel->Handle()});
  EXPECT_FALSE(panel->CloseMeansExit);

  SendMessageA(panel->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  EXPECT_FALSE(IsWindowVisible(panel->Handle()));
  EXPECT_TRUE(TaskbarWindows().empty()) << "a window of the program is still on the taskbar";
  EXPECT_TRUE(panel->Tray.IconVisible());
  EXPECT_TRUE(ShellKnows(panel->Tray.CallbackWindow(), panel->Tray.Identity()));
  EXPECT_TRUE(panel->CloseMeansExit);  // closing now ends the program
  EXPECT_FALSE(app.Terminated());

  // The menu's first item, chosen with the keyboard.
  RightClick([](HWND, HMENU) {}, {VK_DOWN, VK_RETURN});
  Pump();
  EXPECT_TRUE(IsWindowVisible(panel->Handle()));
  EXPECT_FALSE(app.Minimized());
  EXPECT_EQ(TaskbarWindows(), std::vector<HWND>{panel->Handle()});
  EXPECT_FALSE(panel->CloseMeansExit);
  EXPECT_EQ(panel->Caption(), "Pellimox Free Wallpaper Changer - Control Panel");
}

TEST_F(PanelTrayTest, ExitFromTheTrayMenuEndsTheProgramAndWritesTheCurrentPlaylist) {
  std::string a = Bmp("a.bmp", 0x111111);
  WriteTextFile(DefPlayList(), PlaylistText({a}));
  StartUp();
  std::string b = Bmp("b.bmp", 0x222222);
  panel->AddFilesToPlaylist({b});
  panel->Show();  // even from the shown panel, Exit ends
  ASSERT_FALSE(panel->CloseMeansExit);

  // The menu's last item, chosen with the keyboard.
  RightClick([](HWND, HMENU) {}, {VK_UP, VK_RETURN});
  Pump();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(ReadTextFile(DefPlayList()), PlaylistText({a, b}));
  EXPECT_EQ(test::IniSections(ExeFolder() + "settings.ini").size(), 15u);
  EXPECT_EQ(panel->Playlist, nullptr);
}

}  // namespace
}  // namespace wc
