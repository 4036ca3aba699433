// The window layer under Wine: message dispatch to typed handlers, the
// error boundary, layout tables, timers, modal windows and the close protocol.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "gui_test.h"
#include "ui/monitors.h"
#include "ui/controls.h"
#include "ui/error.h"
#include "ui/form.h"
#include "ui/graphics.h"
#include "ui/timer.h"
#include "ui/window_hook.h"

namespace {

using wc::test::GuiTest;

class TestForm : public ui::Form {
 public:
  explicit TestForm(ui::Application& app, const char* name = "TestForm") : Form(app, name) {
    CreateWindowFrom({.caption = "Test", .clientWidth = 400, .clientHeight = 300});
    static const ui::LayoutItem layout[] = {
        {"Group", "", 10, 10, 200, 120, "Group"},
        {"Inner", "Group", 8, 20, 80, 25, "Inner"},
        {"Note", "Group", 8, 60, 150, 16, "Note"},
        {"Ok", "", 300, 260, 80, 25, "OK"},
        {"Check", "", 220, 10, 150, 20, "Check"},
        {"List", "", 220, 40, 150, 100},
        {"Combo", "", 220, 150, 150, 21},
        {"Spin", "", 220, 180, 80, 21},
        {"Hidden", "", 10, 200, 80, 25, "Hidden", ui::lfHidden},
    };
    BuildLayout(layout);
    Ok.ModalResult = ui::mrOk;
  }
  ui::GroupBox Group{this, "Group"};
  ui::Button Inner{this, "Inner"};
  ui::Label Note{this, "Note"};
  ui::Button Ok{this, "Ok"};
  ui::CheckBox Check{this, "Check"};
  ui::ListBox List{this, "List"};
  ui::ComboBox Combo{this, "Combo"};
  ui::SpinEdit Spin{this, "Spin"};
  ui::Button Hidden{this, "Hidden"};
};

class WindowTest : public GuiTest {};

// A monitor removed since the window was last placed: a centred window left
// there comes back onto the screen where the notification area is when it
// is next shown; one already there stays where the user put it.
TEST_F(WindowTest, ACentredWindowOffEveryMonitorComesBackWhenShown) {
  TestForm form(app);
  const RECT work = ui::WorkAreaNear(ui::NotificationArea());
  SetWindowPos(form.Handle(), nullptr, work.right + 3000, work.bottom + 2000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  form.Show();
  RECT r{};
  GetWindowRect(form.Handle(), &r);
  EXPECT_GE(r.left, work.left);
  EXPECT_GE(r.top, work.top);
  EXPECT_LE(r.right, work.right);
  EXPECT_LE(r.bottom, work.bottom);
  form.Hide();
  SetWindowPos(form.Handle(), nullptr, work.left + 7, work.top + 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  form.Show();
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.left, work.left + 7);
  EXPECT_EQ(r.top, work.top + 9);
  form.Hide();
}

TEST_F(WindowTest, ClicksReachTheTypedHandlerOfTheirControl) {
  TestForm form(app);
  form.Show();
  ui::Component* okSender = nullptr;
  int inner = 0;
  form.Ok.OnClick = [&](ui::Component& s) { okSender = &s; };
  form.Inner.OnClick = [&](ui::Component&) { ++inner; };
  SendMessageA(form.Ok.Handle(), BM_CLICK, 0, 0);
  SendMessageA(form.Inner.Handle(), BM_CLICK, 0, 0);  // inside a group box
  EXPECT_EQ(okSender, &form.Ok);
  EXPECT_EQ(inner, 1);
}

TEST_F(WindowTest, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
  TestForm form(app);
  form.Show();
  int after = 0;
  form.Ok.OnClick = [&](ui::Component&) {
    throw std::runtime_error("Cannot create file \"x\". Access denied");
    ++after;  // never reached: the rest of the command is abandoned
  };
  SendMessageA(form.Ok.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "Cannot create file \"x\". Access denied");
  EXPECT_EQ(prompts.messages[0].caption, app.Title);
  EXPECT_EQ(prompts.messages[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
  EXPECT_EQ(after, 0);

  bool ran = false;
  app.Post([&] { ran = true; });
  EXPECT_TRUE(PumpUntil([&] { return ran; }));
  form.Ok.OnClick = [&](ui::Component&) { ++after; };
  SendMessageA(form.Ok.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(after, 1);
}

TEST_F(WindowTest, PostedWorkThatThrowsIsShownToo) {
  app.Post([] { throw ui::Error("posted failure"); });
  EXPECT_TRUE(PumpUntil([&] { return !prompts.messages.empty(); }));
  EXPECT_EQ(prompts.messages.at(0).text, "posted failure");
}

TEST_F(WindowTest, LayoutPlacesControlsInsideTheirContainers) {
  TestForm form(app);
  EXPECT_EQ(GetParent(form.Inner.Handle()), form.Group.Handle());
  EXPECT_EQ(GetParent(form.Ok.Handle()), form.Handle());
  RECT r;
  GetWindowRect(form.Inner.Handle(), &r);
  MapWindowPoints(nullptr, form.Group.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 8);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 80);
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 300);
  EXPECT_FALSE(form.Hidden.Visible());
  EXPECT_FALSE(IsWindowVisible(form.Hidden.Handle()));
}

TEST_F(WindowTest, ALayoutNamingAMissingControlIsRefused) {
  class Broken : public ui::Form {
   public:
    explicit Broken(ui::Application& app) : Form(app, "Broken") {
      CreateWindowFrom({.caption = "Broken", .clientWidth = 100, .clientHeight = 100});
      static const ui::LayoutItem layout[] = {{"Nope", "", 0, 0, 10, 10}};
      BuildLayout(layout);
    }
  };
  EXPECT_THROW(Broken b(app), ui::Error);
}

TEST_F(WindowTest, DisablingAContainerDisablesWhatItHolds) {
  TestForm form(app);
  form.Group.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(form.Inner.Handle()));
  EXPECT_TRUE(form.Inner.Enabled());  // its own state is kept
  form.Inner.SetEnabled(false);
  form.Group.SetEnabled(true);
  EXPECT_FALSE(IsWindowEnabled(form.Inner.Handle()));
  form.Inner.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(form.Inner.Handle()));
}

// What a speed button draws, read back from a bitmap it painted into.
std::vector<uint32_t> PaintedPixels(ui::Control& control) {
  RECT rc;
  GetClientRect(control.Handle(), &rc);
  ui::Bitmap canvas(rc.right, rc.bottom);
  ui::MemoryDC dc(CreateCompatibleDC(nullptr));
  ui::SelectGuard keep(dc.get(), canvas.Handle());
  SendMessageA(control.Handle(), WM_PRINTCLIENT, WPARAM(dc.get()), PRF_CLIENT);
  GdiFlush();
  return std::vector<uint32_t>(canvas.Bits(), canvas.Bits() + size_t(rc.right) * size_t(rc.bottom));
}

TEST_F(WindowTest, ADisabledSpeedButtonShowsItsPictureInGreys) {
  TestForm form(app);
  ui::SpeedButton save(&form, "Save");
  static const ui::LayoutItem layout[] = {{"Save", "", 10, 150, 41, 41}};
  form.BuildLayout(layout);
  save.SetIcon("IC_VIEW_SAVE", 24);
  ASSERT_TRUE(save.Icon());
  const uint32_t face = GetSysColor(COLOR_BTNFACE);
  const uint32_t facePixel = wc::MakePixel(GetRValue(face), GetGValue(face), GetBValue(face));
  auto coloured = [](uint32_t p) { return wc::PixelRed(p) != wc::PixelGreen(p) || wc::PixelGreen(p) != wc::PixelBlue(p); };
  auto drawn = [&](uint32_t p) { return p != facePixel; };

  const auto enabled = PaintedPixels(save);
  EXPECT_TRUE(std::any_of(enabled.begin(), enabled.end(), coloured)) << "the enabled picture has its colours";
  save.SetEnabled(false);
  const auto disabled = PaintedPixels(save);
  EXPECT_GT(std::count_if(disabled.begin(), disabled.end(), drawn), 50) << "the picture is still there";
  EXPECT_FALSE(std::any_of(disabled.begin(), disabled.end(), [&](uint32_t p) { return coloured(p) && drawn(p); }))
      << "no colour but the face's own";
  // Faded: no pixel darker than halfway between black and the face.
  const int faceGrey = (GetRValue(face) * 30 + GetGValue(face) * 59 + GetBValue(face) * 11) / 100;
  for (uint32_t p : disabled) ASSERT_GE(int(wc::PixelRed(p)), faceGrey / 2 - 1);
}

TEST_F(WindowTest, AListScrollsSidewaysExactlyWhenARowIsWiderThanTheBox) {
  TestForm form(app);
  form.Show();
  auto& list = form.List;
  RECT client;
  GetClientRect(list.Handle(), &client);
  auto range = [&] { return int(SendMessageA(list.Handle(), LB_GETHORIZONTALEXTENT, 0, 0)); };
  auto scrollBar = [&] { return (GetWindowLongA(list.Handle(), GWL_STYLE) & WS_HSCROLL) != 0; };

  list.SetItems({"Dunes", "Hills"});
  EXPECT_LE(range(), client.right) << "short rows need no sideways scrolling";
  EXPECT_FALSE(scrollBar());

  // A long path, added one row at a time and in a group among short ones.
  const std::string path = "C:\\Users\\Someone\\Pictures\\Holidays 2026\\Mountains\\Sunrise over the valley.jpg";
  list.AddItem(path);
  const int one = range();
  EXPECT_GT(one, client.right);
  EXPECT_TRUE(scrollBar()) << "the box offers a scroll bar for the long row";
  list.AddItems({"a", path + " (copy)", "b"});
  EXPECT_GT(range(), one) << "the wider row widens the range";
  const int two = range();
  list.AddItems(std::vector<std::string>(200, "short"));
  EXPECT_EQ(range(), two) << "narrower rows leave it";

  list.Clear();
  EXPECT_EQ(range(), 0);
  list.InsertItem(0, path);
  EXPECT_EQ(range(), one);
  list.DeleteItem(0);
  EXPECT_EQ(range(), 0) << "an empty list scrolls nowhere";
}

TEST_F(WindowTest, CheckBoxRunsItsClickWhenTheStateChanges) {
  TestForm form(app);
  form.Show();
  int clicks = 0;
  form.Check.OnClick = [&](ui::Component&) { ++clicks; };
  form.Check.SetChecked(true);
  form.Check.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  SendMessageA(form.Check.Handle(), BM_CLICK, 0, 0);  // the user unticks it
  EXPECT_FALSE(form.Check.Checked());
  EXPECT_EQ(clicks, 2);
}

TEST_F(WindowTest, ListAndComboKeepTheirRowsAndSelection) {
  TestForm form(app);
  form.List.SetItems({"a", "b", "c"});
  form.List.SetItemIndex(1);
  form.List.Exchange(0, 2);
  EXPECT_EQ(form.List.Items(), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(form.List.ItemIndex(), 1);
  EXPECT_THROW(form.List.Item(3), ui::Error);
  form.List.SetItemIndex(7);
  EXPECT_EQ(form.List.ItemIndex(), -1);

  int changes = 0;
  form.Combo.OnChange = [&](ui::Component&) { ++changes; };
  form.Combo.SetItems({"seconds", "minutes"});
  form.Combo.SetItemIndex(1);
  EXPECT_EQ(form.Combo.Text(), "minutes");
  form.Combo.SetItems({"secondes", "minutes"});  // a new list loses the selection
  EXPECT_EQ(form.Combo.ItemIndex(), -1);
  EXPECT_EQ(changes, 0);  // only the user's choice is a change
}

int ScrollMax(HWND list) {
  SCROLLINFO si{sizeof si, SIF_RANGE};
  return GetScrollInfo(list, SB_VERT, &si) ? si.nMax : -1;
}

// Fills in quick succession are drawn a little later; the last one must still
// be drawn, and rows changed meanwhile must all be there.
TEST_F(WindowTest, AListFilledInQuickStepsIsDrawnWithAllItsRows) {
  TestForm form(app);
  form.Show();
  auto fill = [&](int from, int to) {
    form.List.BeginUpdate();
    for (int i = from; i < to; ++i) form.List.AddItem("row " + std::to_string(i));
    form.List.EndUpdate();
  };
  fill(0, 50);
  fill(50, 100);
  form.List.BeginUpdate();  // nested updates while a redraw may be pending
  fill(100, 150);
  form.List.SetItemIndex(120);
  form.List.EndUpdate();
  EXPECT_EQ(form.List.Count(), 150);
  EXPECT_EQ(form.List.Item(149), "row 149");
  EXPECT_TRUE(PumpUntil([&] { return ScrollMax(form.List.Handle()) == 149; }, std::chrono::seconds(2)));
  EXPECT_EQ(form.List.ItemIndex(), 120);
  // A later single change is drawn as well.
  Sleep(300);
  fill(150, 151);
  EXPECT_TRUE(PumpUntil([&] { return ScrollMax(form.List.Handle()) == 150; }, std::chrono::seconds(2)));
}

// Our procedure sits in a chain with others that subclass the same control.
LRESULT CALLBACK CountingProc(HWND h, UINT msg, WPARAM w, LPARAM l);
WNDPROC countedPrevious = nullptr;
int countedClicks = 0;
LRESULT CALLBACK CountingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == BM_CLICK) ++countedClicks;
  return CallWindowProcA(countedPrevious, h, msg, w, l);
}

TEST_F(WindowTest, ControlsSubclassedAgainStillReachTheirHandlers) {
  TestForm form(app);
  int clicks = 0;
  form.Ok.OnClick = [&](ui::Component&) { ++clicks; };
  HWND ok = form.Ok.Handle();
  countedClicks = 0;
  countedPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(ok, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
  SendMessageA(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(countedClicks, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ui::Window::FromHandle(ok), static_cast<ui::Window*>(&form.Ok));
  SetWindowLongPtrA(ok, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countedPrevious));
  SendMessageA(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(countedClicks, 1);
  EXPECT_EQ(clicks, 2);

  // Windows made elsewhere have no object.
  HWND plain = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, form.Handle(), nullptr, nullptr, nullptr);
  EXPECT_EQ(ui::Window::FromHandle(plain), nullptr);
  EXPECT_EQ(ui::Window::FromHandle(GetDesktopWindow()), nullptr);
  DestroyWindow(plain);
}

TEST_F(WindowTest, SpinEditReadsTextThatIsNoNumberAsZeroAndKeepsItsLimits) {
  TestForm form(app);
  int changes = 0;
  form.Spin.OnChange = [&](ui::Component&) { ++changes; };
  form.Spin.SetValue(42);
  EXPECT_EQ(form.Spin.Value(), 42);
  EXPECT_GE(changes, 1);
  form.Spin.SetText("12x");
  EXPECT_EQ(form.Spin.Value(), 0);
  form.Spin.SetValue(-5);
  EXPECT_EQ(form.Spin.Value(), -5);  // no limits: negative values stay
  form.Spin.SetLimits(0, 10);
  EXPECT_EQ(form.Spin.Value(), 0);
  form.Spin.SetValue(99);
  EXPECT_EQ(form.Spin.Value(), 10);
  // The up arrow steps by one within the limits.
  form.Spin.SetValue(9);
  NMUPDOWN nm{};
  nm.hdr.hwndFrom = FindWindowExA(form.Spin.Handle(), nullptr, UPDOWN_CLASSA, nullptr);
  nm.hdr.code = UDN_DELTAPOS;
  nm.iDelta = 1;
  SendMessageA(form.Spin.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  SendMessageA(form.Spin.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(form.Spin.Value(), 10);
}

TEST_F(WindowTest, PropertyPathsReachRealControls) {
  TestForm form(app);
  auto r = ui::ResolvePropertyPath(app, "testform.OK.Caption");
  ASSERT_TRUE(r);
  r.property->setText("Fine");
  char text[32] = {};
  GetWindowTextA(form.Ok.Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Fine");
  auto hint = ui::ResolvePropertyPath(app, "TestForm.Ok.Hint");
  ASSERT_TRUE(hint);
  hint.property->setText("Closes the window");
  EXPECT_EQ(form.Ok.Hint(), "Closes the window");
}

TEST_F(WindowTest, TimersTickThroughTheMessageLoop) {
  ui::Component owner(nullptr, "Owner");
  ui::Timer timer(&owner, "Timer1", 20, false);
  int ticks = 0;
  timer.OnTimer = [&](ui::Component&) { ++ticks; };
  EXPECT_FALSE(timer.Running());
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer.SetInterval(0);  // 0 never fires
  EXPECT_FALSE(timer.Running());
  int before = ticks;
  PumpFor(std::chrono::milliseconds(100));
  EXPECT_EQ(ticks, before);
}

TEST_F(WindowTest, AModalWindowReturnsItsResultAndFreesTheOthers) {
  TestForm main(app, "MainTest");
  TestForm dialog(app, "Dialog");
  main.Show();
  bool mainDisabled = false;
  app.Post([&] {
    mainDisabled = !IsWindowEnabled(main.Handle());
    SendMessageA(dialog.Ok.Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(main.Handle()));
  EXPECT_FALSE(dialog.Visible());

  app.Post([&] { PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
}

TEST_F(WindowTest, ClosingTheMainWindowEndsTheProgramOthersOnlyHide) {
  TestForm main(app, "MainTest");
  TestForm other(app, "Other");
  ASSERT_EQ(app.MainForm(), &main);
  other.Show();
  SendMessageA(other.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(app.Terminated());

  bool refuse = true;
  main.OnCloseQuery = [&](ui::Component&, bool& can) { can = !refuse; };
  SendMessageA(main.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(app.Terminated());
  refuse = false;
  SendMessageA(main.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(WindowTest, MinimizingHidesTheWindowsAndTellsTheHooks) {
  TestForm main(app, "MainTest");
  main.Show();
  std::vector<WPARAM> sizes;
  int id = app.HookMainWindow([&](UINT msg, WPARAM w, LPARAM, LRESULT&) {
    if (msg == WM_SIZE) sizes.push_back(w);
    return false;
  });
  SendMessageA(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(app.Minimized());
  EXPECT_FALSE(IsWindowVisible(main.Handle()));
  EXPECT_TRUE(main.Visible());  // still meant to be shown
  app.Restore();
  EXPECT_TRUE(IsWindowVisible(main.Handle()));
  EXPECT_EQ(sizes, (std::vector<WPARAM>{SIZE_MINIMIZED, SIZE_RESTORED}));
  app.UnhookMainWindow(id);
}

TEST_F(WindowTest, TheObjectForgetsItsWindowWhenTheWindowGoes) {
  TestForm form(app);
  HWND h = form.Ok.Handle();
  ASSERT_TRUE(IsWindow(h));
  EXPECT_EQ(ui::Window::FromHandle(h), static_cast<ui::Window*>(&form.Ok));
  DestroyWindow(h);
  EXPECT_FALSE(form.Ok.HandleAllocated());
  EXPECT_EQ(ui::Window::FromHandle(h), nullptr);
}

}  // namespace

namespace {

// Records what it sees; keeps the messages it is told to.
struct Recorder : ui::MessageHook {
  Recorder(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
  bool HookMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    if (msg == WM_USER + 1) log.push_back(name);
    if (msg == WM_USER + 1 && fails) throw std::runtime_error(name + " failed");
    if (msg == WM_USER + 1 && keeps) {
      result = 42;
      return true;
    }
    return false;
  }
  void HookedWindowDestroyed() override { log.push_back(name + " gone"); }
  std::string name;
  std::vector<std::string>& log;
  bool keeps = false;
  bool fails = false;
};

TEST_F(WindowTest, HooksSeeMessagesNewestFirstAndTheWindowGoesOnWorking) {
  TestForm form(app);
  HWND list = form.List.Handle();
  std::vector<std::string> log;
  int userMessages = 0;
  struct Counter : ui::MessageHook {
    int& n;
    explicit Counter(int& n) : n(n) {}
    bool HookMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
      if (msg == WM_USER + 1) ++n;
      return false;
    }
  } bottom(userMessages);
  bottom.Hook(list);
  {
    Recorder first("first", log), second("second", log);
    first.Hook(list);
    second.Hook(list);
    second.Hook(list);  // once only
    EXPECT_EQ(SendMessageA(list, WM_USER + 1, 0, 0), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(userMessages, 1);

    // A hook that keeps a message answers for the window; one that fails is
    // reported and the message goes on.
    log.clear();
    first.keeps = true;
    second.fails = true;
    EXPECT_EQ(SendMessageA(list, WM_USER + 1, 0, 0), 42);
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(prompts.MessageTexts(), std::vector<std::string>{"second failed"});
    EXPECT_EQ(userMessages, 1);
  }  // both gone: their procedure passes everything on

  form.List.AddItem("still a list box");
  EXPECT_EQ(form.List.Count(), 1);
  EXPECT_EQ(SendMessageA(list, WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(userMessages, 2);

  // Something else replaces the procedure on top of ours: taking our hook off
  // keeps that chain whole.
  static WNDPROC below = nullptr;
  static int foreign = 0;
  below = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(list, GWLP_WNDPROC));
  SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_USER + 1) ++foreign;
                      return CallWindowProcA(below, h, m, w, l);
                    }));
  bottom.Unhook();
  SendMessageA(list, WM_USER + 1, 0, 0);
  EXPECT_EQ(foreign, 1);
  EXPECT_EQ(userMessages, 2);
  EXPECT_EQ(form.List.Count(), 1);

  // A hooked window that is destroyed tells its hooks.
  Recorder last("last", log);
  log.clear();
  last.Hook(form.Note.Handle());
  form.Note.DestroyHandle();
  EXPECT_EQ(log, (std::vector<std::string>{"last gone"}));
  EXPECT_EQ(last.HookedWindow(), nullptr);
}

}  // namespace
