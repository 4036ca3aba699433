// The tray icon under Wine: the notify record and what the shell makes of
// it, the shell's mouse notifications turned into events, the menu, the
// animation, the shell restart, and hiding the main window into the tray.
//
// The shell's notifications are sent to the handler window the way the
// shell sends them: wParam the icon's identity, lParam the mouse message.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gui_test.h"
#include "test_icons.h"
#include "tray/tray_icon.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menu.h"

namespace {

using namespace std::chrono_literals;
using wc::TNotifyIconData;
using wc::TTrayIcon;
using wc::test::MakeSolidIcon;
using wc::test::ReadIcon;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

class OwnerForm : public ui::Form {
 public:
  explicit OwnerForm(ui::Application& app) : Form(app, "TestForm") {
    CreateWindowFrom({.caption = "Tray owner", .clientWidth = 200, .clientHeight = 100,
                      .icons = ui::biSystemMenu | ui::biMinimize});
    PopupMenu1.Add(Item1);
    PopupMenu1.Add(Item2);
    for (COLORREF c : {kRed, kGreen, kBlue}) ImageList1.Add(MakeSolidIcon(c).get());
  }
  ui::ImageList ImageList1{this, "ImageList1"};
  ui::PopupMenu PopupMenu1{this, "PopupMenu1"};
  ui::MenuItem Item1{this, "Item1", nullptr, "First"};
  ui::MenuItem Item2{this, "Item2", nullptr, "Second"};
  TTrayIcon TrayIcon1{this, "TrayIcon1"};
};

struct ShellCall {
  DWORD message;
  TNotifyIconData data;
  bool result;
  COLORREF colour;  // centre of the icon sent, read while it existed
};

// Asks the shell about an icon through the system's own record: only an icon
// it knows under this window and id can be modified.
bool ShellKnows(HWND window, UINT id) {
  NOTIFYICONDATAA n{};
  n.cbSize = NOTIFYICONDATAA_V2_SIZE;
  n.hWnd = window;
  n.uID = id;
  n.uFlags = NIF_TIP;
  std::strcpy(n.szTip, "?");
  return Shell_NotifyIconA(NIM_MODIFY, &n) != FALSE;
}

class TrayIconTest : public wc::test::GuiTest {
 protected:
  // Sees every shell call of the icon and passes it on to the shell.
  void Record(TTrayIcon& icon) {
    icon.ShellNotify = [this](DWORD message, const TNotifyIconData& data) {
      bool r = TTrayIcon::CallShell(message, data);
      shell.push_back({message, data, r, ReadIcon(data.Icon()).centre});
      return r;
    };
  }
  std::vector<ShellCall> CallsOf(DWORD message) const {
    std::vector<ShellCall> out;
    for (const ShellCall& c : shell) {
      if (c.message == message) out.push_back(c);
    }
    return out;
  }
  // Every event of the icon, in order.
  void Log(TTrayIcon& icon) {
    auto button = [](ui::MouseButton b) {
      return b == ui::MouseButton::Left ? "L" : b == ui::MouseButton::Right ? "R" : "M";
    };
    icon.OnClick = [this](ui::Component&) { log.push_back("click"); };
    icon.OnMouseDown = [this, button](ui::Component&, ui::MouseButton b, ui::ShiftState s, int x, int y) {
      log.push_back(std::string("down ") + button(b));
      lastShift = s;
      lastPoint = {x, y};
    };
    icon.OnMouseUp = [this, button](ui::Component&, ui::MouseButton b, ui::ShiftState s, int, int) {
      log.push_back(std::string("up ") + button(b));
      lastShift = s;
    };
    icon.OnMouseMove = [this](ui::Component&, ui::ShiftState s, int x, int y) {
      log.push_back("move");
      lastShift = s;
      lastPoint = {x, y};
    };
    icon.OnMouseEnter = [this](ui::Component&) { log.push_back("enter"); };
    icon.OnMouseExit = [this](ui::Component&) { log.push_back("exit"); };
    icon.OnBalloonHintShow = [this](ui::Component&) { log.push_back("balloon show"); };
    icon.OnBalloonHintHide = [this](ui::Component&) { log.push_back("balloon hide"); };
    icon.OnBalloonHintTimeout = [this](ui::Component&) { log.push_back("balloon timeout"); };
    icon.OnBalloonHintClick = [this](ui::Component&) { log.push_back("balloon click"); };
  }
  // The menu logs its opening and is closed from the message loop it runs.
  void CloseMenuWhenOpen(ui::PopupMenu& menu) {
    menu.OnPopup = [this, &menu](ui::Component&) {
      log.push_back("popup");
      popupFor = menu.PopupComponent;
      app.Post([] { EndMenu(); });
    };
  }
  static void Send(TTrayIcon& icon, UINT mouseMessage) {
    SendMessageA(icon.CallbackWindow(), wc::TrayCallbackMessage, icon.Identity(), mouseMessage);
  }
  using Events = std::vector<std::string>;

  std::vector<ShellCall> shell;
  Events log;
  ui::ShiftState lastShift = 0;
  POINT lastPoint{};
  ui::Component* popupFor = nullptr;
};

// ---- the record and the shell -------------------------------------------------

TEST_F(TrayIconTest, TheRecordHasThe488ByteAnsiLayoutAndItsFixedFields) {
  EXPECT_EQ(sizeof(TNotifyIconData), 488u);
  EXPECT_EQ(offsetof(TNotifyIconData, hWnd), 4u);
  EXPECT_EQ(offsetof(TNotifyIconData, uID), 8u);
  EXPECT_EQ(offsetof(TNotifyIconData, hIcon), 20u);
  EXPECT_EQ(offsetof(TNotifyIconData, szTip), 24u);
  EXPECT_EQ(offsetof(TNotifyIconData, dwState), 152u);
  EXPECT_EQ(offsetof(TNotifyIconData, szInfo), 160u);
  EXPECT_EQ(offsetof(TNotifyIconData, uVersion), 416u);
  EXPECT_EQ(offsetof(TNotifyIconData, szInfoTitle), 420u);
  EXPECT_EQ(offsetof(TNotifyIconData, dwInfoFlags), 484u);

  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  const TNotifyIconData& d = icon.IconData();
  EXPECT_EQ(d.cbSize, 488u);
  EXPECT_EQ(d.uFlags, 7u);
  EXPECT_EQ(d.uCallbackMessage, 0x800u);
  EXPECT_EQ(d.uID, UINT(reinterpret_cast<uintptr_t>(&icon)));
  ASSERT_NE(wc::TTrayIconHandler::Instance(), nullptr);
  EXPECT_EQ(icon.CallbackWindow(), wc::TTrayIconHandler::Instance()->Handle());
  EXPECT_TRUE(IsWindow(icon.CallbackWindow()));
  // Nothing else is set: the component never shows a balloon.
  const char* bytes = reinterpret_cast<const char*>(&d);
  for (size_t i = offsetof(TNotifyIconData, hIcon); i < sizeof d; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;

  // A second tray icon shares the window and has an identity of its own.
  TTrayIcon other(&form, "Other");
  EXPECT_EQ(other.CallbackWindow(), icon.CallbackWindow());
  EXPECT_NE(other.Identity(), icon.Identity());
}

TEST_F(TrayIconTest, TheShellTakesTheIconOfAFormAndDropsItAtDestruction) {
  auto form = std::make_unique<OwnerForm>(app);
  TTrayIcon& icon = form->TrayIcon1;
  Record(icon);
  icon.SetIcon(form->ImageList1.Image(0));
  icon.SetHint("Wallpapers");
  icon.SetIconVisible(true);
  EXPECT_TRUE(CallsOf(NIM_ADD).empty());  // not before the layout is loaded
  icon.Loaded();
  auto adds = CallsOf(NIM_ADD);
  ASSERT_EQ(adds.size(), 1u);
  EXPECT_TRUE(adds[0].result);
  EXPECT_EQ(adds[0].data.cbSize, 488u);
  EXPECT_STREQ(adds[0].data.szTip, "Wallpapers");
  EXPECT_EQ(adds[0].colour, kRed);
  // The shell filed it under the handler window and the icon's identity.
  EXPECT_TRUE(ShellKnows(icon.CallbackWindow(), icon.Identity()));

  HWND window = icon.CallbackWindow();
  UINT id = icon.Identity();
  form.reset();
  ASSERT_FALSE(shell.empty());
  EXPECT_EQ(shell.back().message, DWORD(NIM_DELETE));
  EXPECT_TRUE(shell.back().result);
  EXPECT_FALSE(ShellKnows(window, id));
}

TEST_F(TrayIconTest, TheHintIsCutTo127CharactersAndSentEmptyWhenNotShown) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  Record(icon);
  icon.SetIconVisible(true);
  icon.Loaded();
  std::string hint(200, 'h');
  for (size_t i = 0; i < hint.size(); ++i) hint[i] = char('a' + i % 26);
  icon.SetHint(hint);
  ASSERT_EQ(shell.back().message, DWORD(NIM_MODIFY));
  EXPECT_TRUE(shell.back().result);
  EXPECT_EQ(std::string(shell.back().data.szTip), hint.substr(0, 127));

  icon.SetShowHint(false);
  const char* tip = shell.back().data.szTip;
  EXPECT_TRUE(std::all_of(tip, tip + 128, [](char c) { return c == 0; }));
  icon.SetShowHint(true);
  EXPECT_EQ(std::strlen(shell.back().data.szTip), 127u);
  icon.SetHint("");
  tip = shell.back().data.szTip;
  EXPECT_TRUE(std::all_of(tip, tip + 128, [](char c) { return c == 0; }));
}

TEST_F(TrayIconTest, PropertiesStartAsDocumentedAndAreReachableByName) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  auto get = [&](const char* name) {
    auto r = ui::ResolvePropertyPath(app, std::string("TestForm.TrayIcon1.") + name);
    return r ? r.property->getText() : std::string("<missing>");
  };
  EXPECT_EQ(get("DesignPreview"), "False");
  EXPECT_EQ(get("CycleIcons"), "False");
  EXPECT_EQ(get("CycleInterval"), "0");
  EXPECT_EQ(get("Enabled"), "True");
  EXPECT_EQ(get("Hint"), "");
  EXPECT_EQ(get("ShowHint"), "True");
  EXPECT_EQ(get("IconVisible"), "False");
  EXPECT_EQ(get("IconIndex"), "0");
  EXPECT_EQ(get("LeftPopup"), "False");
  EXPECT_EQ(get("WantEnterExitEvents"), "False");
  EXPECT_EQ(get("MinimizeToTray"), "False");
  EXPECT_EQ(icon.ShellVersionMode(), wc::svmClassic);
  EXPECT_EQ(icon.IconList(), nullptr);
  EXPECT_EQ(icon.Icon(), nullptr);

  Record(icon);
  ui::ResolvePropertyPath(app, "TestForm.TrayIcon1.Hint").property->setText("By name");
  EXPECT_EQ(icon.Hint(), "By name");
  EXPECT_STREQ(shell.back().data.szTip, "By name");
  ui::ResolvePropertyPath(app, "TestForm.TrayIcon1.CycleInterval").property->setInteger(-5);
  EXPECT_EQ(icon.CycleInterval(), 0u);
}

// ---- mouse notifications ------------------------------------------------------

TEST_F(TrayIconTest, WithoutDoubleClickHandlerAClickComesBeforeTheReleaseOtherButtonsOnlyPressAndRelease) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.Loaded();
  Log(icon);
  ASSERT_TRUE(SetCursorPos(123, 234));
  Send(icon, WM_LBUTTONDOWN);
  EXPECT_EQ(lastShift, ui::ShiftState(ui::ssLeft));
  EXPECT_EQ(lastPoint.x, 123);
  EXPECT_EQ(lastPoint.y, 234);
  Send(icon, WM_LBUTTONUP);
  EXPECT_EQ(log, (Events{"down L", "click", "up L"}));
  EXPECT_FALSE(icon.ClickPending());

  // A release without a press is no click.
  log.clear();
  Send(icon, WM_LBUTTONUP);
  EXPECT_EQ(log, (Events{"up L"}));

  log.clear();
  Send(icon, WM_MBUTTONDOWN);
  EXPECT_EQ(lastShift, ui::ShiftState(ui::ssMiddle));
  Send(icon, WM_MBUTTONUP);
  EXPECT_EQ(log, (Events{"down M", "up M"}));
}

TEST_F(TrayIconTest, ADoubleClickWithoutHandlerGivesOneClickAndOneDoubleClick) {
  class Counting : public TTrayIcon {
   public:
    using TTrayIcon::TTrayIcon;
    int doubles = 0;
   protected:
    void DoDblClick() override {
      ++doubles;
      TTrayIcon::DoDblClick();
    }
  };
  OwnerForm form(app);
  Counting icon(&form, "Counting");
  icon.Loaded();
  int clicks = 0;
  icon.OnClick = [&](ui::Component&) { ++clicks; };
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(icon, m);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(icon.doubles, 1);
  EXPECT_TRUE(icon.DoubleClickSeen());
  PumpFor(50ms);
  EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIconTest, WithADoubleClickHandlerAClickWaitsAndADoubleClickIsNoClick) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.Loaded();
  int clicks = 0, doubles = 0;
  icon.OnClick = [&](ui::Component&) { ++clicks; };
  icon.OnDblClick = [&](ui::Component&) { ++doubles; };

  auto start = std::chrono::steady_clock::now();
  Send(icon, WM_LBUTTONDOWN);
  Send(icon, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(icon.ClickPending());
  EXPECT_TRUE(icon.ClickDelayRunning());
  ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }, 5s));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(GetDoubleClickTime()) - 20ms);
  EXPECT_FALSE(icon.ClickDelayRunning());

  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(icon, m);
  EXPECT_EQ(doubles, 1);
  ASSERT_TRUE(PumpUntil([&] { return !icon.ClickDelayRunning(); }, 5s));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(icon.DoubleClickSeen());  // the delay has passed: the next click counts again
}

TEST_F(TrayIconTest, ADoubleClickRunsTheMenusDefaultItemUnlessTheMenuIsOnTheLeft) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.Loaded();
  icon.PopupMenu = &form.PopupMenu1;
  int first = 0, second = 0;
  form.Item1.OnClick = [&](ui::Component&) { ++first; };
  form.Item2.OnClick = [&](ui::Component&) { ++second; };
  Send(icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(first + second, 0);  // no default item
  form.Item2.SetDefault(true);
  Send(icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(second, 1);
  form.PopupMenu1.AutoPopup = false;
  Send(icon, WM_LBUTTONDBLCLK);
  form.PopupMenu1.AutoPopup = true;
  icon.LeftPopup = true;
  Send(icon, WM_LBUTTONDBLCLK);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(first, 0);
}

TEST_F(TrayIconTest, ARightPressReportsTheMouseBeforeTheMenuOpensAtThePointer) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.Loaded();
  Log(icon);
  CloseMenuWhenOpen(form.PopupMenu1);
  // Without a menu there is nothing to open.
  Send(icon, WM_RBUTTONDOWN);
  EXPECT_EQ(log, (Events{"down R"}));
  EXPECT_EQ(lastShift, ui::ShiftState(ui::ssRight));

  icon.PopupMenu = &form.PopupMenu1;
  log.clear();
  Send(icon, WM_RBUTTONDOWN);
  Send(icon, WM_RBUTTONUP);
  EXPECT_EQ(log, (Events{"down R", "popup", "up R"}));
  EXPECT_EQ(popupFor, &icon);
  // The owner gets a message afterwards, so the menu closes properly.
  MSG m;
  EXPECT_TRUE(PeekMessageA(&m, form.Handle(), WM_NULL, WM_NULL, PM_REMOVE));

  // A left press opens it only with LeftPopup; a menu that does not pop up
  // by itself never opens.
  log.clear();
  Send(icon, WM_LBUTTONDOWN);
  icon.LeftPopup = true;
  Send(icon, WM_LBUTTONDOWN);
  form.PopupMenu1.AutoPopup = false;
  Send(icon, WM_RBUTTONDOWN);
  EXPECT_EQ(log, (Events{"down L", "down L", "popup", "down R"}));
}

TEST_F(TrayIconTest, DisabledItIgnoresTheMouseAndOpensNoMenuButReportsBalloons) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.Loaded();
  Log(icon);
  CloseMenuWhenOpen(form.PopupMenu1);
  icon.PopupMenu = &form.PopupMenu1;
  icon.LeftPopup = true;
  icon.SetWantEnterExitEvents(true);
  icon.SetEnabled(false);
  for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                 WM_MBUTTONDOWN, WM_MBUTTONUP}) {
    Send(icon, m);
  }
  EXPECT_TRUE(log.empty());
  for (UINT m : {0x402u, 0x403u, 0x404u, 0x405u}) Send(icon, m);
  EXPECT_EQ(log, (Events{"balloon show", "balloon hide", "balloon timeout", "balloon click"}));

  icon.SetEnabled(true);
  log.clear();
  Send(icon, WM_LBUTTONDOWN);
  EXPECT_EQ(log, (Events{"down L", "popup"}));
}

TEST_F(TrayIconTest, TheVersion3ShellReportsTheRightButtonThroughItsOwnMessages) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  Record(icon);
  icon.Loaded();
  ASSERT_FALSE(CallsOf(NIM_SETVERSION).empty());
  EXPECT_EQ(CallsOf(NIM_SETVERSION).back().data.uVersion, 0u);
  Log(icon);
  Send(icon, WM_CONTEXTMENU);
  Send(icon, 0x400);
  Send(icon, 0x401);
  EXPECT_TRUE(log.empty());  // the classic shell sends button messages instead

  icon.SetShellVersionMode(wc::svmVersion3);
  auto versions = CallsOf(NIM_SETVERSION);
  EXPECT_EQ(versions.back().data.uVersion, 3u);
  EXPECT_EQ(icon.IconData().uVersion, 3u);
  Send(icon, WM_RBUTTONUP);
  EXPECT_TRUE(log.empty());
  for (UINT m : {UINT(WM_CONTEXTMENU), 0x400u, 0x401u}) Send(icon, m);
  EXPECT_EQ(log, (Events{"up R", "up R", "up R"}));
}

TEST_F(TrayIconTest, ThePointerEntersOnceAndLeavesWhenItMovesAway) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.SetWantEnterExitEvents(true);
  EXPECT_FALSE(icon.ExitPollRunning());  // not before the layout is loaded
  icon.Loaded();
  EXPECT_TRUE(icon.ExitPollRunning());
  Log(icon);
  ASSERT_TRUE(SetCursorPos(100, 110));
  Send(icon, WM_MOUSEMOVE);
  Send(icon, WM_MOUSEMOVE);
  EXPECT_EQ(log, (Events{"enter", "move", "move"}));
  EXPECT_EQ(lastShift, 0u);
  EXPECT_EQ(icon.LastTrayPoint().x, 100);
  EXPECT_EQ(icon.LastTrayPoint().y, 110);
  PumpFor(60ms);
  EXPECT_EQ(log.size(), 3u);  // still where the icon saw it

  ASSERT_TRUE(SetCursorPos(100, 111));  // one pixel down is already away
  ASSERT_TRUE(PumpUntil([&] { return log.size() == 4; }, 2s));
  EXPECT_EQ(log.back(), "exit");
  PumpFor(60ms);
  EXPECT_EQ(log.size(), 4u);

  // Coming back is an enter again; without the option there are none.
  Send(icon, WM_MOUSEMOVE);
  EXPECT_EQ(log[4], "enter");
  icon.SetWantEnterExitEvents(false);
  EXPECT_FALSE(icon.ExitPollRunning());
  ASSERT_TRUE(SetCursorPos(100, 110));
  log.clear();
  Send(icon, WM_MOUSEMOVE);
  PumpFor(60ms);
  EXPECT_EQ(log, (Events{"move"}));
}

TEST_F(TrayIconTest, TheSharedWindowIgnoresStrangersAndRefusesToClose) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.Loaded();
  Log(icon);
  HWND window = icon.CallbackWindow();
  SendMessageA(window, wc::TrayCallbackMessage, icon.Identity() + 1, WM_LBUTTONDOWN);
  SendMessageA(window, wc::TrayCallbackMessage, 0, WM_LBUTTONDOWN);
  if (sizeof(WPARAM) > 4) {
    SendMessageA(window, wc::TrayCallbackMessage, WPARAM(icon.Identity()) | (WPARAM(1) << 32), WM_LBUTTONDOWN);
  }
  Send(icon, 0x7777);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 1);
  EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_TRUE(IsWindow(window));
  Send(icon, WM_LBUTTONDOWN);
  EXPECT_EQ(log, (Events{"down L"}));
}

// ---- animation --------------------------------------------------------------

TEST_F(TrayIconTest, CyclingThreeImagesShowsThemInTurnOneStepPerInterval) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  Record(icon);
  icon.SetIconList(&form.ImageList1);
  icon.SetCycleInterval(30);
  icon.SetCycleIcons(true);
  std::vector<int> next;
  icon.OnCycle = [&](ui::Component&, int n) { next.push_back(n); };
  EXPECT_FALSE(icon.CycleRunning());  // not before the layout is loaded
  shell.clear();
  auto start = std::chrono::steady_clock::now();
  icon.Loaded();
  ASSERT_TRUE(PumpUntil([&] { return next.size() >= 4; }));
  auto elapsed = std::chrono::steady_clock::now() - start;
  icon.SetCycleIcons(false);

  EXPECT_EQ(std::vector<int>(next.begin(), next.begin() + 4), (std::vector<int>{1, 2, 0, 1}));
  EXPECT_GE(elapsed, 100ms);  // four ticks of 30 ms
  std::vector<COLORREF> shown;
  for (const ShellCall& c : CallsOf(NIM_MODIFY)) {
    if (shown.empty() || shown.back() != c.colour) shown.push_back(c.colour);
  }
  ASSERT_GE(shown.size(), 5u);
  EXPECT_EQ(std::vector<COLORREF>(shown.begin(), shown.begin() + 5),
            (std::vector<COLORREF>{kRed, kGreen, kBlue, kRed, kGreen}));
}

TEST_F(TrayIconTest, ZeroIntervalPausesTheAnimationWithoutSwitchingItOff) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  icon.SetIconList(&form.ImageList1);
  icon.SetCycleInterval(30);
  icon.SetCycleIcons(true);
  icon.Loaded();
  int steps = 0;
  icon.OnCycle = [&](ui::Component&, int) { ++steps; };
  ASSERT_TRUE(PumpUntil([&] { return steps >= 1; }));

  icon.SetCycleInterval(0);
  EXPECT_TRUE(icon.CycleIcons());
  EXPECT_EQ(icon.IconIndex(), 0);  // restarts from the first image
  EXPECT_EQ(ReadIcon(icon.Icon()).centre, kRed);
  int before = steps;
  PumpFor(150ms);
  EXPECT_EQ(steps, before);

  icon.SetCycleInterval(30);
  ASSERT_TRUE(PumpUntil([&] { return steps >= before + 2; }));

  // Switched off, the image shown stays.
  icon.SetCycleIcons(false);
  int index = icon.IconIndex();
  COLORREF colour = ReadIcon(icon.Icon()).centre;
  before = steps;
  PumpFor(100ms);
  EXPECT_EQ(steps, before);
  EXPECT_EQ(icon.IconIndex(), index);
  EXPECT_EQ(ReadIcon(icon.Icon()).centre, colour);
}

TEST_F(TrayIconTest, IconIndexIsLimitedByTheListAndShowsItsImage) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  Record(icon);
  icon.SetIconVisible(true);
  icon.Loaded();
  icon.SetIconIndex(2);
  EXPECT_EQ(icon.IconIndex(), 0);  // no list
  icon.SetIconList(&form.ImageList1);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_EQ(shell.back().colour, kRed);
  icon.SetIconIndex(1);
  EXPECT_EQ(shell.back().colour, kGreen);
  EXPECT_TRUE(shell.back().result);  // the shell has the icon: the change reaches it
  icon.SetIconIndex(7);
  EXPECT_EQ(icon.IconIndex(), 2);
  EXPECT_EQ(shell.back().colour, kBlue);
  EXPECT_EQ(ReadIcon(icon.Icon()).centre, kBlue);

  // An image list without images is not guarded: no image, no crash.
  ui::ImageList empty(&form, "Empty");
  icon.SetIconList(&empty);
  EXPECT_EQ(icon.IconIndex(), -1);
  EXPECT_EQ(icon.Icon(), nullptr);
  EXPECT_EQ(shell.back().data.hIcon, 0u);
  icon.SetCycleInterval(10);
  icon.SetCycleIcons(true);
  PumpFor(50ms);
  icon.SetIconList(nullptr);
}

// ---- the shell restarts ---------------------------------------------------------

TEST_F(TrayIconTest, ARestartedShellGetsAVisibleIconBackButNotAHiddenOne) {
  const UINT taskbarCreated = TTrayIcon::TaskbarCreatedMessage();
  ASSERT_NE(taskbarCreated, 0u);
  EXPECT_EQ(taskbarCreated, RegisterWindowMessageA("TaskbarCreated"));

  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  Record(icon);
  icon.SetIconList(&form.ImageList1);
  icon.SetHint("Tip");
  icon.SetIconVisible(true);
  icon.Loaded();
  icon.SetIconIndex(1);
  shell.clear();
  // Wine never broadcasts it: the test plays the shell.
  PostMessageA(app.UtilityWindow(), taskbarCreated, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !CallsOf(NIM_ADD).empty(); }, 2s));
  ShellCall add = CallsOf(NIM_ADD).front();
  EXPECT_STREQ(add.data.szTip, "Tip");
  EXPECT_EQ(add.colour, kGreen);

  icon.SetIconVisible(false);
  shell.clear();
  PostMessageA(app.UtilityWindow(), taskbarCreated, 0, 0);
  bool seen = false;
  app.Post([&] { seen = true; });  // queued behind the broadcast
  ASSERT_TRUE(PumpUntil([&] { return seen; }));
  EXPECT_TRUE(CallsOf(NIM_ADD).empty());
  EXPECT_FALSE(icon.IconVisible());
}

// ---- the main window ----------------------------------------------------------

TEST_F(TrayIconTest, MinimizingTheProgramHidesTheMainWindowIntoTheTray) {
  OwnerForm form(app);
  ASSERT_EQ(app.MainForm(), &form);
  TTrayIcon& icon = form.TrayIcon1;
  Record(icon);
  icon.MinimizeToTray = true;
  icon.Loaded();
  form.Show();
  ASSERT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(CallsOf(NIM_ADD).empty());

  app.Minimize();
  EXPECT_FALSE(form.Visible());  // hidden for good, not only while minimised
  EXPECT_FALSE(IsWindowVisible(form.Handle()));  // and its taskbar button with it
  EXPECT_FALSE(IsWindowVisible(app.UtilityWindow()));
  EXPECT_TRUE(icon.IconVisible());
  ASSERT_EQ(CallsOf(NIM_ADD).size(), 1u);
  EXPECT_TRUE(CallsOf(NIM_ADD)[0].result);

  app.Restore();
  EXPECT_FALSE(IsWindowVisible(form.Handle()));  // it stays in the tray

  // A restore command to the application's window brings it back.
  app.Minimize();
  SendMessageA(app.UtilityWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(app.Minimized());
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST_F(TrayIconTest, WithoutMinimizeToTrayTheProgramMinimizesNormally) {
  OwnerForm form(app);
  TTrayIcon& icon = form.TrayIcon1;
  Record(icon);
  icon.Loaded();
  form.Show();
  app.Minimize();
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(icon.IconVisible());
  app.Restore();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  EXPECT_TRUE(CallsOf(NIM_ADD).empty());
}

TEST_F(TrayIconTest, AMinimizeHandlerTakesTheMinimizeCommandOverTheOwnerWindow) {
  OwnerForm form(app);
  LONG_PTR original = GetWindowLongPtrA(form.Handle(), GWLP_WNDPROC);
  auto icon = std::make_unique<TTrayIcon>(&form, "Minimizer");
  Record(*icon);
  icon->MinimizeToTray = true;
  int told = 0;
  icon->OnMinimizeToTray = [&](ui::Component&) { ++told; };
  icon->Loaded();
  EXPECT_NE(GetWindowLongPtrA(form.Handle(), GWLP_WNDPROC), original);
  form.Show();

  EXPECT_EQ(SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(told, 1);
  EXPECT_FALSE(app.Minimized());  // the window's own minimising never ran
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(icon->IconVisible());

  // Without the handler the command goes on to the window, and the
  // application's minimising hides it.
  form.Show();
  icon->OnMinimizeToTray = nullptr;
  SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(app.Minimized());
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(told, 1);

  // The window works as before while hooked, and gets its procedure back.
  form.SetCaption("Still mine");
  char caption[32] = {};
  GetWindowTextA(form.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Still mine");
  icon.reset();
  EXPECT_EQ(GetWindowLongPtrA(form.Handle(), GWLP_WNDPROC), original);
  SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);  // nothing left that points at the tray icon
}

TEST_F(TrayIconTest, TheStartupHandlerCanKeepTheMainWindowHidden) {
  OwnerForm form(app);
  form.Show();
  TTrayIcon& icon = form.TrayIcon1;
  int asked = 0;
  icon.OnStartup = [&](ui::Component& sender, bool& show) {
    ++asked;
    EXPECT_EQ(&sender, &icon);
    EXPECT_TRUE(show);
    show = false;
  };
  icon.Loaded();
  icon.Loaded();  // once only
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(app.ShowMainForm);
  EXPECT_FALSE(form.Visible());

  // A tray icon whose owner is no window does not ask.
  ui::Component plain(nullptr, "Plain");
  TTrayIcon loose(&plain, "Loose");
  loose.OnStartup = icon.OnStartup;
  loose.Loaded();
  EXPECT_EQ(asked, 1);
}

}  // namespace
