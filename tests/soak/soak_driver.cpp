// A random user for the real program under Wine: starts WallpaperChanger.exe
// beside generated material and, for the given minutes, does at random (but
// the same for the same seed) what a user does with it: its tray menu and
// control panel, the playlist menus, the settings, the scan dialog, file
// operations, captures and the viewer, languages, the one-second timer,
// closing and restarting it, and now and then a hard kill in the middle of
// work. After every step it checks the invariants of soak_watch.h and that
// the program answers; the first broken one ends the run with the step and
// the seed.
//
//   soak_driver <root folder> <minutes> <seed> [<last step>]
//
// Exit code 0: no invariant broken; 1: one was (the reason is printed); 2:
// the run could not be set up.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "program_runner.h"
#include "soak_data.h"
#include "soak_watch.h"
#include "user_input.h"

namespace wc::soak {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::FindChild;
using test::Key;
using test::LeftClick;
using test::OpenMenuOf;
using test::WaitFor;

// A step that broke an invariant.
struct Broken : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void Sleep(std::chrono::milliseconds t) { std::this_thread::sleep_for(t); }

// Messages to the program never block the driver: a hung program is a
// finding, not a reason to hang too.
LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0, bool* answered = nullptr) {
  DWORD_PTR r = 0;
  const bool ok = SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG | SMTO_NORMAL, 2000, &r) != 0;
  if (answered) *answered = ok;
  return ok ? LRESULT(r) : 0;
}

// The direct child of `parent` whose top-left corner sits at (x, y) of the
// parent's client area: layout tables place controls in 96-DPI pixels, and
// the soak's screen is at 96 DPI, so this finds a control whatever the
// language of its caption.
HWND At(HWND parent, int x, int y, const char* cls = nullptr) {
  if (!parent) return nullptr;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (r.left != x || r.top != y) continue;
    if (cls) {
      char name[64] = "";
      GetClassNameA(c, name, sizeof name);
      if (lstrcmpiA(name, cls) != 0) continue;
    }
    return c;
  }
  return nullptr;
}

std::string Title(HWND w) {
  char t[512] = "";
  GetWindowTextA(w, t, sizeof t);
  return t;
}

std::string Class(HWND w) {
  char t[64] = "";
  GetClassNameA(w, t, sizeof t);
  return t;
}

// Follows a chain of positions from a window down to a control.
HWND Path(HWND from, std::initializer_list<POINT> chain) {
  for (const POINT& p : chain) from = At(from, p.x, p.y);
  return from;
}

// A click as the control hears it. Push buttons and check boxes take
// BM_CLICK; the program's flat tool buttons know nothing but the mouse, so
// they are given its button going down and up at their middle, where a user
// clicks (a real click could land on a window lying over them).
void Click(HWND control) {
  if (!control) return;
  if (Class(control) == "Button") {
    PostMessageA(control, BM_CLICK, 0, 0);
    return;
  }
  RECT r{};
  GetClientRect(control, &r);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control, WM_LBUTTONUP, 0, at);
}

// As a combo box tells its window of a new choice.
void Choose(HWND combo, int index) {
  if (!combo) return;
  Ask(combo, CB_SETCURSEL, WPARAM(index));
  PostMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(combo));
}

void KeyCombo(std::initializer_list<WORD> held, WORD key) {
  std::vector<INPUT> in;
  for (WORD k : held) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    in.push_back(i);
  }
  INPUT k{};
  k.type = INPUT_KEYBOARD;
  k.ki.wVk = key;
  in.push_back(k);
  k.ki.dwFlags = KEYEVENTF_KEYUP;
  in.push_back(k);
  for (auto it = held.end(); it != held.begin();) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *--it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
  Sleep(100ms);
}

void Drag(POINT from, POINT to) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  auto input = [&](DWORD flags, POINT at) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((at.x * 65535LL + (w - 1) / 2) / std::max(1, w - 1));
    in.mi.dy = LONG((at.y * 65535LL + (h - 1) / 2) / std::max(1, h - 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
  };
  SetCursorPos(from.x, from.y);
  input(MOUSEEVENTF_LEFTDOWN, from);
  for (int i = 1; i <= 8; ++i) {
    input(0, POINT{from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8});
    Sleep(25ms);
  }
  input(MOUSEEVENTF_LEFTUP, to);
  Sleep(200ms);
}

class Soak {
 public:
  Soak(std::string root, int minutes, uint64_t seed, int lastStep)
      : at_(root), minutes_(minutes), seed_(seed), lastStep_(lastStep), rng_(seed), dataRng_(seed ^ 0xDA7A) {}

  int Run();

 private:
  // --- the program
  void Start();
  void Attach();
  bool Running() const { return runner_ && runner_->Running(); }
  HWND Main() const { return main_; }
  HWND ListBox() const { return Path(main_, {{8, 215}, {8, 18}}); }
  long ListCount() const { return long(Ask(ListBox(), LB_GETCOUNT)); }
  std::string Row(int i) const;
  bool Manual() const;
  std::vector<HWND> Forms() const;
  HWND Viewer() const;
  HWND FormWithChildAt(int x, int y, const char* cls = nullptr) const;
  HWND Dialog() const;
  bool ShowPanel();
  std::string DescribeWindows() const;

  // --- steps
  void Step();
  void TrayClick();
  void TrayMenu(int item, int sub = -1);
  void PanelButton();
  void PanelFields();
  void ListRowAction();
  // `row`, when not -1, is the row the command is meant for: the menu is
  // left unchosen when the rotation selected another one first.
  void PlaylistMenu(int item, int row = -1);
  void AddMenu(int item);
  void SettingsDialog();
  void ScanDialog();
  void Capture();
  void ViewerWork();
  void PressHotkey();
  void TimerOneSecond();
  void ExitAndRestart();
  void KillMidWork();
  void FileOperation();

  // --- after each step
  void Settle();
  void HandleDialog(HWND dialog);
  void Check();
  void Fail(const std::string& what);
  void Log(const std::string& what);

  Layout at_;
  int minutes_;
  uint64_t seed_;
  int lastStep_;
  Rng rng_;
  Rng dataRng_;
  Material material_;
  std::unique_ptr<test::ProgramRunner> runner_;
  ui::KernelHandle process_;
  DWORD pid_ = 0;
  HWND main_ = nullptr;
  HWND taskbar_ = nullptr;
  RECT icon_{};
  int step_ = 0;
  std::string action_;
  std::deque<std::string> recent_;
  Clock::time_point begin_ = Clock::now();
  // What the next file dialog is for: a path to open or save, or "" to cancel.
  std::string fileIntent_;
  bool expectRunning_ = false;
  // The files as last seen whole.
  std::string playlistBytes_;
  std::vector<std::string> sections_;
  Snapshot guard_, pictures_;
  LeakWatch leaks_;
  // What this life of the program has made once: the windows whose GDI
  // objects and memory it keeps for the rest of its life (the panel, the
  // viewer, the capture overlay, the system's file dialog). The leak watch
  // counts from when all four have been made.
  bool madePanel_ = false, madeViewer_ = false, madeOverlay_ = false, madeFileDialog_ = false;
  int restarts_ = 0, kills_ = 0, saves_ = 0;
  std::vector<std::pair<WORD, WORD>> hotkeys_;
};

void Soak::Log(const std::string& what) {
  const double t = std::chrono::duration<double>(Clock::now() - begin_).count();
  std::printf("[%7.1f s] step %d: %s\n", t, step_, what.c_str());
  std::fflush(stdout);
}

void Soak::Fail(const std::string& what) { throw Broken(what); }

std::string Soak::Row(int i) const {
  // The list is a window of wide text: asked from another process, Wine
  // hands its text over as it is, so it is asked for in wide characters.
  HWND list = ListBox();
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, WPARAM(i), 0, SMTO_ABORTIFHUNG, 2000, &n) || n <= 0 || n > 4000 ||
      LRESULT(n) == LB_ERR) {
    return "";
  }
  std::wstring text(size_t(n) + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(i), LPARAM(text.data()), SMTO_ABORTIFHUNG, 2000, &got)) return "";
  text.resize(wcslen(text.c_str()));
  std::string out(text.size() * 4 + 1, '\0');
  out.resize(size_t(std::max(0, WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(),
                                                     int(out.size()), nullptr, nullptr))));
  return out;
}

bool Soak::Manual() const {
  return GetPrivateProfileIntA("Functioning mode", "value", 2, (at_.program + "\\settings.ini").c_str()) != 1;
}

std::vector<HWND> Soak::Forms() const { return runner_ ? runner_->VisibleWindows() : std::vector<HWND>{}; }

HWND Soak::Viewer() const {
  for (HWND w : Forms())
    if (FindChild(w, "msctls_trackbar32")) return w;
  return nullptr;
}

HWND Soak::FormWithChildAt(int x, int y, const char* cls) const {
  for (HWND w : Forms())
    if (w != main_ && At(w, x, y, cls)) return w;
  return nullptr;
}

HWND Soak::Dialog() const {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid_ && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// The program's top-level windows, for a person reading why a step failed.
std::string Soak::DescribeWindows() const {
  struct Collect {
    DWORD pid;
    std::string text;
  } c{pid_, ""};
  EnumWindows(
      [](HWND w, LPARAM l) -> BOOL {
        auto* c = reinterpret_cast<Collect*>(l);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != c->pid) return TRUE;
        RECT r{};
        GetWindowRect(w, &r);
        char line[700];
        std::snprintf(line, sizeof line, "\n    %s \"%s\" %s%s(%ld,%ld %ldx%ld)", Class(w).c_str(), Title(w).c_str(),
                      IsWindowVisible(w) ? "" : "hidden ", IsWindowEnabled(w) ? "" : "disabled ", r.left, r.top,
                      r.right - r.left, r.bottom - r.top);
        c->text += line;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&c));
  return c.text;
}

void Soak::Attach() {
  main_ = nullptr;
  if (!WaitFor([&] { return (main_ = runner_->MainWindow()) != nullptr || !runner_->Running(); }, 30s) || !main_) {
    Fail("the program made no control panel within 30 s of its start");
  }
  GetWindowThreadProcessId(main_, &pid_);
  process_.reset(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid_));
  // The start-up sequence (a changed wallpaper may hide its end: the time is
  // then bounded).
  WaitFor([&] { return runner_->StartUpDone(); }, 10s);
  if (!test::FindTrayIcon(taskbar_, icon_)) Fail("the program's icon did not show in the taskbar");
  leaks_.Restart();
  madePanel_ = madeViewer_ = madeOverlay_ = madeFileDialog_ = false;
}

void Soak::Start() {
  const PlaylistCheck before = CheckPlaylistFile(at_.program + "\\DefPlayList.qvl");
  runner_->Start();
  expectRunning_ = true;
  Attach();
  // What it read back: in manual mode every entry of the file whose file
  // exists is a row.
  if (Manual() && before.whole) {
    long rows = -1;
    WaitFor([&] { return (rows = ListCount()) == long(before.existing); }, 10s);
    if (rows != long(before.existing) && Manual()) {
      Fail("the program started with " + std::to_string(rows) + " rows from a playlist of " +
           std::to_string(before.entries) + " entries, " + std::to_string(before.existing) + " of them on disk");
    }
  }
}

bool Soak::ShowPanel() {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (IsWindowVisible(main_)) return true;
    TrayMenu(0);
    if (WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 5s)) return true;
    // A dialog the menu's command met first.
    Settle();
  }
  action_ += " (the control panel did not show)";
  return false;
}

// --- steps -------------------------------------------------------------

void Soak::TrayClick() {
  const POINT at{(icon_.left + icon_.right) / 2, (icon_.top + icon_.bottom) / 2};
  if (rng_.Chance(80)) {
    action_ = "left click on the tray icon";
    LeftClick(at);
  } else {
    action_ = "double click on the tray icon";
    LeftClick(at);
    LeftClick(at);
  }
}

// Tray menu items that are not separators: 0 control panel, 1 settings,
// 2 capture (desktop, area, window, object), 3 previous, 4 next (one
// monitor: "Next wallpaper on" is hidden); the items below come and go
// ("Recent wallpapers" with the history), so -1 is the last item, exit.
constexpr int kExitItem = -1;

void Soak::TrayMenu(int item, int sub) {
  if (!test::OpenTrayMenu(icon_, pid_)) {
    Log("the tray menu did not open (busy program): step skipped");
    return;
  }
  if (item < 0) Key(VK_UP);
  for (int i = 0; i <= item; ++i) Key(VK_DOWN);
  if (sub >= 0) {
    Key(VK_RIGHT);
    for (int i = 0; i < sub; ++i) Key(VK_DOWN);
  }
  Key(VK_RETURN);
}

void Soak::PanelButton() {
  if (!ShowPanel()) return;
  struct Button {
    const char* name;
    POINT group, control;
  };
  // Where each sits: its group on the panel, then its place in the group.
  static const Button buttons[] = {
      {"Set Wallpaper", {0, 65}, {4, 4}},     {"Clear Wallpaper", {0, 65}, {138, 4}},
      {"Screen Capture", {0, 65}, {280, 4}},  {"Settings", {0, 65}, {420, 4}},
      {"automatic mode", {8, 114}, {10, 15}}, {"manual mode", {8, 114}, {10, 33}},
      {"Browse", {8, 114}, {146, 53}},        {"Reload", {8, 114}, {224, 53}},
      {"move up", {8, 215}, {270, 18}},       {"move down", {8, 215}, {270, 50}},
      {"remove", {8, 215}, {270, 82}},        {"New", {8, 215}, {8, 187}},
      {"Append", {8, 215}, {80, 187}},        {"Load", {8, 215}, {152, 187}},
      {"Save", {8, 215}, {224, 187}},         {"change on start-up", {8, 440}, {10, 15}},
      {"shuffle", {8, 440}, {10, 32}},        {"use timer", {8, 440}, {10, 53}},
      {"preview", {320, 346}, {176, 17}},     {"Print", {320, 346}, {176, 53}},
  };
  const Button& b = buttons[rng_.Below(int(std::size(buttons)))];
  std::string name = b.name;
  if (name == "automatic mode" && rng_.Chance(60)) name = "manual mode";  // mostly manual, where the list is checked
  const Button& chosen = *std::find_if(std::begin(buttons), std::end(buttons), [&](const Button& x) { return name == x.name; });
  action_ = "panel button " + name;
  if (name == "Append" || name == "Load") {
    fileIntent_ = rng_.Chance(70) ? rng_.Pick(material_.playlists) : "";
  } else if (name == "Save") {
    fileIntent_ = rng_.Chance(80) ? at_.scratchOut + "\\saved " + std::to_string(saves_++) + ".qvl" : "";
  }
  if (name == "remove" || name == "move up" || name == "move down") {
    const long n = ListCount();
    if (n > 0) {
      const int row = rng_.Below(int(n));
      Ask(ListBox(), LB_SETCURSEL, WPARAM(row));
      PostMessageA(GetParent(ListBox()), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), LPARAM(ListBox()));
    }
  }
  Click(Path(main_, {chosen.group, chosen.control}));
}

void Soak::PanelFields() {
  if (!ShowPanel()) return;
  HWND group2 = At(main_, 320, 114);
  switch (rng_.Below(3)) {
    case 0: {
      const int style = rng_.Below(6);
      action_ = "wallpaper style " + std::to_string(style);
      HWND combo = At(group2, 108, 135);
      if (style < Ask(combo, CB_GETCOUNT)) Choose(combo, style);
      break;
    }
    case 1: {
      action_ = "custom position";
      for (POINT p : {POINT{68, 167}, POINT{200, 167}}) {
        HWND spin = At(group2, p.x, p.y);
        HWND edit = spin ? FindChild(spin, "Edit") : nullptr;
        if (!edit) edit = spin;
        const std::string v = std::to_string(rng_.Below(2000) - 200);
        if (edit) Ask(edit, WM_SETTEXT, 0, LPARAM(v.c_str()));
      }
      break;
    }
    default: {
      const int unit = rng_.Below(4);
      action_ = "timer unit " + std::to_string(unit);
      Choose(Path(main_, {{8, 440}, {178, 51}}), unit);
      break;
    }
  }
}

void Soak::TimerOneSecond() {
  if (!ShowPanel()) return;
  action_ = "timer at one second";
  HWND use = Path(main_, {{8, 440}, {10, 53}});
  HWND time = Path(main_, {{8, 440}, {92, 51}});
  HWND edit = time ? FindChild(time, "Edit") : nullptr;
  if (!edit) edit = time;
  Choose(Path(main_, {{8, 440}, {178, 51}}), 0);
  if (edit) Ask(edit, WM_SETTEXT, 0, LPARAM("1"));
  if (use && Ask(use, BM_GETCHECK) != BST_CHECKED) Click(use);
}

void Soak::ListRowAction() {
  if (!ShowPanel()) return;
  const long n = ListCount();
  if (n <= 0) {
    action_ = "list row (the list is empty)";
    return;
  }
  const int row = rng_.Below(int(n));
  HWND list = ListBox();
  Ask(list, LB_SETCURSEL, WPARAM(row));
  const bool twice = rng_.Chance(60);
  action_ = std::string(twice ? "double click" : "click") + " on row " + std::to_string(row) + " \"" + Row(row) + "\"";
  PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), LPARAM(list));
  if (twice) PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(0, LBN_DBLCLK), LPARAM(list));
}

// Opens a menu that a panel button drops down, then chooses its item
// (counting the items that are not separators, disabled ones included).
// `stillRight`, when given, is asked before the click and once the menu shows:
// false leaves the menu unchosen.
bool OpenButtonMenu(HWND button, DWORD pid, int item, const std::function<bool()>& stillRight = nullptr) {
  if (!button) return false;
  if (stillRight && !stillRight()) return false;
  Click(button);
  if (!WaitFor([&] { return OpenMenuOf(pid) != nullptr; }, 5s)) return false;
  Sleep(150ms);
  if (stillRight && !stillRight()) {
    Key(VK_ESCAPE);
    return false;
  }
  for (int i = 0; i <= item; ++i) Key(VK_DOWN);
  Key(VK_RETURN);
  return true;
}

// The playlist menu: 0 set as wallpaper, 1 add to favourites, 2 never show
// again (or show again), 3 add from file, 4 add from folder, 5 add HTML,
// 6 scan disk, 7 download (off), 8 empty, 9 sort, 10 randomise, 11 full
// path, 12 copy, 13 delete, 14 move, 15 rename, 16 find current, 17 select
// all (off), 18 invert (off), 19 remove bad graphics.
void Soak::PlaylistMenu(int item, int row) {
  if (!ShowPanel()) return;
  static const char* names[] = {"set as wallpaper", "add to favourites", "never show again", "add from file",
                                "add from folder",  "add HTML",          "scan disk",        "download",
                                "empty list",       "sort",              "randomise",        "show full path",
                                "copy file",        "delete file",       "move file",        "rename file",
                                "find current",     "select all",        "invert",           "remove bad graphics"};
  action_ = std::string("playlist menu: ") + names[item];
  if (item == 3) {
    fileIntent_ = rng_.Chance(80) ? rng_.Pick(material_.pictures) : "";
  } else if (item == 5) {
    fileIntent_ = rng_.Chance(80) ? rng_.Pick(material_.pages) : "";
  }
  const bool chosen = OpenButtonMenu(Path(main_, {{8, 215}, {270, 153}}), pid_, item, [&] {
    return row < 0 || Ask(ListBox(), LB_GETCURSEL) == row;
  });
  if (!chosen && row >= 0) {
    action_ += " (not chosen: the rotation selected another row first)";
    fileIntent_.clear();
    return;
  }
  if (item == 6) ScanDialog();
}

// The add menu: 0 add wallpapers, 1 add from folder, 2 add HTML and movies, 3 scan disk.
void Soak::AddMenu(int item) {
  if (!ShowPanel()) return;
  static const char* names[] = {"add wallpapers", "add from folder", "add HTML and movies", "scan disk"};
  action_ = std::string("add menu: ") + names[item];
  if (item == 0) fileIntent_ = rng_.Chance(80) ? rng_.Pick(material_.pictures) : "";
  if (item == 2) fileIntent_ = rng_.Chance(80) ? rng_.Pick(material_.pages) : "";
  OpenButtonMenu(Path(main_, {{8, 215}, {270, 121}}), pid_, item);
  if (item == 3) ScanDialog();
}

// Copy, delete, move or rename, always on a row whose file lies in the
// scratch folder.
void Soak::FileOperation() {
  if (!ShowPanel()) return;
  const long n = ListCount();
  std::vector<int> rows;
  for (int i = 0; i < n; ++i)
    if (Row(i).find("scratch-") != std::string::npos) rows.push_back(i);
  if (rows.empty()) {
    // A list loaded or emptied since: a scratch picture is added first, so
    // that the next file operation has a row it may act on.
    RefillScratch(at_, dataRng_);
    PlaylistMenu(3);
    const int i = rng_.Below(24);
    fileIntent_ = at_.scratchPictures + "\\scratch-" + std::to_string(i) + (i % 2 ? ".bmp" : ".jpg");
    action_ = "file operation: no scratch row, one added";
    return;
  }
  const int row = rng_.Pick(rows);
  Ask(ListBox(), LB_SETCURSEL, WPARAM(row));
  PostMessageA(GetParent(ListBox()), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), LPARAM(ListBox()));
  Sleep(100ms);
  const int item = rng_.Pick(std::vector<int>{12, 13, 14, 15});
  PlaylistMenu(item, row);
  action_ += " on row " + std::to_string(row);
  if (action_.find("not chosen") != std::string::npos) return;
  if (item == 15) {
    // The rename box: a new name in another script, or cancelled.
    HWND box = nullptr;
    if (WaitFor([&] { return (box = FormWithChildAt(280, 46, "Button")) != nullptr; }, 5s)) {
      if (rng_.Chance(75)) {
        const std::string name = "scratch-" + std::string(rng_.Chance(50) ? "переименован " : "改名 ") +
                                 std::to_string(rng_.Below(1000)) + (rng_.Chance(50) ? ".jpg" : ".bmp");
        Ask(At(box, 8, 12), WM_SETTEXT, 0, LPARAM(name.c_str()));
        Click(At(box, 280, 46));
      } else {
        PostMessageA(box, WM_CLOSE, 0, 0);
      }
    }
  } else if (item == 12 || item == 14) {
    // The target tree: the driver cannot steer it to the scratch folder, so
    // the choice is cancelled (by button or close box).
    HWND box = nullptr;
    if (WaitFor([&] { return (box = FormWithChildAt(280, 392, "Button")) != nullptr; }, 5s)) {
      Sleep(300ms);
      if (rng_.Chance(50)) Click(At(box, 280, 392)); else PostMessageA(box, WM_CLOSE, 0, 0);
    }
  }
}

void Soak::SettingsDialog() {
  if (rng_.Chance(50) && IsWindowVisible(main_)) {
    action_ = "settings (panel button):";
    Click(Path(main_, {{0, 65}, {420, 4}}));
  } else {
    action_ = "settings (tray menu):";
    TrayMenu(1);
  }
  HWND settings = nullptr;
  if (!WaitFor([&] { return (settings = FormWithChildAt(367, 319, "Button")) != nullptr; }, 8s)) {
    action_ += " (did not open)";
    Log("the settings dialog did not show; the program's windows:" + DescribeWindows());
    return;
  }
  Sleep(200ms);
  HWND pages = At(settings, 8, 8);
  auto sheet = [&](int i) {
    // The sheets are the page control's children in layout order, all at one place.
    std::vector<HWND> sheets;
    for (HWND c = GetWindow(pages, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (Class(c) != "msctls_updown32") sheets.push_back(c);
    std::sort(sheets.begin(), sheets.end(), [](HWND a, HWND b) { return GetWindowLongPtrA(a, GWLP_ID) < GetWindowLongPtrA(b, GWLP_ID); });
    return i < int(sheets.size()) ? sheets[size_t(i)] : nullptr;
  };
  (void)sheet;
  const int things = 1 + rng_.Below(4);
  for (int t = 0; t < things; ++t) {
    // The page's tab, as a user clicks it: tabs sit left to right at the top.
    if (rng_.Chance(50)) {
      RECT r{};
      GetWindowRect(pages, &r);
      LeftClick(POINT{r.left + 20 + 70 * rng_.Below(4), r.top + 10});
    }
    switch (rng_.Below(5)) {
      case 0: {  // an option of the General page
        static const POINT boxes[] = {{12, 12}, {12, 36}, {12, 60}, {12, 84}, {12, 108}, {12, 132}};
        const POINT p = boxes[rng_.Below(int(std::size(boxes)))];
        action_ += " option " + std::to_string(p.y);
        for (HWND c = GetWindow(pages, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) Click(At(c, p.x, p.y, "Button"));
        break;
      }
      case 1: {  // the language
        for (HWND c = GetWindow(pages, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
          HWND combo = At(c, 104, 167);
          if (!combo) continue;
          const int n = int(Ask(combo, CB_GETCOUNT));
          if (n > 0) {
            const int pick = rng_.Below(n);
            action_ += " language " + std::to_string(pick);
            Choose(combo, pick);
          }
        }
        break;
      }
      case 2: {  // a hotkey: its box ticked, then keys pressed in its field
        static const int rows[] = {16, 52, 88, 124, 160};
        const int r = rows[rng_.Below(5)];
        for (HWND c = GetWindow(pages, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
          HWND box = At(c, 12, r, "Button");
          HWND field = At(c, 240, r - 2);
          if (!box || !field) continue;
          if (Ask(box, BM_GETCHECK) != BST_CHECKED) Click(box);
          Sleep(200ms);
          static const WORD letters[] = {'N', 'P', 'W', 'K', 'J'};
          const WORD letter = letters[rng_.Below(5)];
          action_ += " hotkey ctrl+alt+" + std::string(1, char(letter));
          if (IsWindowVisible(field)) {
            LeftClick(test::Centre(field));
            KeyCombo({VK_CONTROL, VK_MENU}, letter);
            hotkeys_.push_back({VK_CONTROL, letter});
          }
        }
        break;
      }
      case 3: {  // the sound page: play on change, shuffle
        for (HWND c = GetWindow(pages, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
          Click(At(c, rng_.Chance(50) ? 12 : 290, 10, "Button"));
        }
        action_ += " sound option";
        break;
      }
      default: {  // register the playlist type
        for (HWND c = GetWindow(pages, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) Click(At(c, 12, 16, "Button"));
        action_ += " file type";
        break;
      }
    }
    Sleep(150ms);
  }
  const int end = rng_.Below(10);
  if (end < 4) {
    action_ += " Apply";
    Click(At(settings, 367, 319));
    Sleep(300ms);
    Click(At(settings, rng_.Chance(50) ? 206 : 287, 319));
  } else if (end < 7) {
    action_ += " OK";
    Click(At(settings, 206, 319));
  } else if (end < 9) {
    action_ += " Cancel";
    Click(At(settings, 287, 319));
  } else {
    action_ += " close box";
    PostMessageA(settings, WM_CLOSE, 0, 0);
  }
}

void Soak::PressHotkey() {
  static const WORD letters[] = {'N', 'P', 'W', 'K', 'J'};
  const WORD letter = letters[rng_.Below(5)];
  action_ = std::string("hotkey ctrl+alt+") + char(letter);
  KeyCombo({VK_CONTROL, VK_MENU}, letter);
}

void Soak::ScanDialog() {
  HWND scan = nullptr;
  if (!WaitFor([&] { return (scan = FormWithChildAt(8, 26, "Edit")) != nullptr; }, 8s)) {
    action_ += " (no scan dialog)";
    return;
  }
  Sleep(200ms);
  static const char* where[] = {"pictures", "scratch", "missing", "C:\\windows"};
  const int w = rng_.Below(10) < 6 ? 0 : rng_.Below(4);
  std::string folder = w == 0 ? at_.pictures : w == 1 ? at_.scratch : w == 2 ? at_.root + "\\no such folder" : "C:\\windows";
  action_ += std::string(" in ") + where[w];
  Ask(At(scan, 8, 26), WM_SETTEXT, 0, LPARAM(folder.c_str()));
  if (rng_.Chance(50)) Click(At(scan, 8, 106, "Button"));  // recursion
  HWND start = At(scan, 8, 132, "Button");
  Click(start);
  const int stopAfter = rng_.Below(4000);
  if (rng_.Chance(30)) {
    // Stopped midway: the dialog closed while it searches.
    Sleep(std::chrono::milliseconds(stopAfter));
    action_ += ", closed after " + std::to_string(stopAfter) + " ms";
    PostMessageA(scan, WM_CLOSE, 0, 0);
    return;
  }
  WaitFor([&] { return IsWindowEnabled(start) != FALSE; }, 60s);
  Sleep(200ms);
  const long found = long(Ask(At(scan, 8, 188), LB_GETCOUNT));
  action_ += ", found " + std::to_string(found);
  if (found > 0 && rng_.Chance(70)) {
    // The add button's menu: all, or the selected ones.
    HWND add = At(scan, 373, 168, "Button");
    if (rng_.Chance(50)) Ask(At(scan, 8, 188), LB_SETSEL, TRUE, LPARAM(rng_.Below(int(found))));
    OpenButtonMenu(add, pid_, rng_.Below(2));
    action_ += ", added";
    Sleep(500ms);
  }
  PostMessageA(scan, WM_CLOSE, 0, 0);
}

void Soak::Capture() {
  // From the tray menu, or the viewer's own buttons.
  const int kind = rng_.Below(4);
  static const char* kinds[] = {"desktop", "area", "window", "object"};
  HWND viewer = Viewer();
  if (viewer && rng_.Chance(50)) {
    action_ = std::string("viewer capture ") + kinds[kind];
    Click(At(At(viewer, 0, 0), 313 + 41 * kind, 4));
  } else {
    action_ = std::string("tray capture ") + kinds[kind];
    TrayMenu(2, kind);
  }
  if (kind == 1 || kind == 3) {
    // The full-screen overlay: Escape, or a drag (a click for an object).
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    HWND overlay = nullptr;
    WaitFor(
        [&] {
          for (HWND w : Forms()) {
            RECT r{};
            GetWindowRect(w, &r);
            if (r.left == 0 && r.top == 0 && r.right == sw && r.bottom == sh) overlay = w;
          }
          return overlay != nullptr;
        },
        8s);
    if (!overlay) return;
    madeOverlay_ = true;
    Sleep(300ms);
    if (rng_.Chance(40)) {
      action_ += ", Escape";
      SetForegroundWindow(overlay);
      Key(VK_ESCAPE);
    } else {
      const POINT from{20 + rng_.Below(sw - 200), 20 + rng_.Below(sh - 200)};
      const POINT to{from.x + 1 + rng_.Below(180), from.y + 1 + rng_.Below(180)};
      action_ += ", drag";
      if (kind == 1) Drag(from, to); else LeftClick(from);
    }
  }
}

void Soak::ViewerWork() {
  HWND viewer = Viewer();
  if (!viewer) {
    Capture();
    return;
  }
  HWND bar = At(viewer, 0, 0);
  switch (rng_.Below(11)) {
    case 0: {
      HWND track = FindChild(viewer, "msctls_trackbar32");
      const int pos = int(Ask(track, TBM_GETRANGEMIN)) + rng_.Below(int(Ask(track, TBM_GETRANGEMAX) - Ask(track, TBM_GETRANGEMIN)) + 1);
      action_ = "viewer zoom " + std::to_string(pos);
      Ask(track, TBM_SETPOS, TRUE, pos);
      PostMessageA(GetParent(track), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(track));
      break;
    }
    case 1: {
      action_ = "viewer crop";
      Click(At(bar, 264, 4));
      HWND crop = nullptr;
      if (!WaitFor([&] { return (crop = FormWithChildAt(0, 45)) != nullptr && IsWindowVisible(crop); }, 8s)) break;
      Sleep(400ms);
      SetForegroundWindow(crop);
      POINT o{0, 0};
      ClientToScreen(crop, &o);
      const POINT from{o.x + 10 + rng_.Below(200), o.y + 55 + rng_.Below(200)};
      Drag(from, POINT{from.x + 1 + rng_.Below(250), from.y + 1 + rng_.Below(250)});
      HWND tools = At(crop, 0, 0);
      Click(At(tools, rng_.Chance(70) ? 6 : 132, 9));
      break;
    }
    case 2: {
      action_ = "viewer save";
      static const char* exts[] = {".jpg", ".bmp", ".jpeg", ".png", ""};
      fileIntent_ = rng_.Chance(85) ? at_.scratchOut + "\\capture " + std::to_string(saves_++) + exts[rng_.Below(5)] : "";
      Click(At(bar, 125, 4));
      break;
    }
    case 3:
      action_ = "viewer print";
      Click(At(bar, 174, 4));
      break;
    case 4:
      action_ = "viewer copy";
      Click(At(bar, 223, 4));
      break;
    case 5:
      action_ = "viewer close tab";
      Click(At(bar, 43, 4));
      break;
    case 6:
      action_ = "viewer close all";
      Click(At(bar, 84, 4));
      break;
    case 7:
      action_ = "viewer open";
      fileIntent_ = rng_.Chance(85) ? rng_.Pick(material_.pictures) : "";
      Click(At(bar, 2, 4));
      break;
    case 8: {
      // Captures until the viewer refuses one more: it holds at most 21.
      action_ = "viewer filled to its limit";
      for (int i = 0; i < 24 && !Dialog(); ++i) {
        Click(At(bar, 313, 4));
        Sleep(250ms);
      }
      break;
    }
    default:
      action_ = rng_.Chance(30) ? "viewer 100 %" : "viewer exit";
      Click(At(bar, action_ == "viewer exit" ? 686 : 637, 4));
      break;
  }
}

void Soak::ExitAndRestart() {
  const bool manual = Manual();
  const long rows = ListCount();
  action_ = "exit from the tray menu (" + std::to_string(rows) + " rows) and start again";
  expectRunning_ = false;
  TrayMenu(kExitItem);
  // A dialog or the program's own work may hold the exit back a moment.
  if (!WaitFor([&] {
        if (HWND d = Dialog()) HandleDialog(d);
        return !runner_->Running();
      },
      20s)) {
    // A modal window swallows the menu: closed, then the panel's close does it.
    Settle();
    if (IsWindowVisible(main_)) PostMessageA(main_, WM_CLOSE, 0, 0);
    PostMessageA(main_, WM_CLOSE, 0, 0);
    if (!runner_->WaitForExit(20s)) Fail("the program did not end within 40 s of its exit command");
  }
  if (runner_->ExitCode() != 0) Fail("the program ended with code " + std::to_string(runner_->ExitCode()) + " on exit");
  const PlaylistCheck after = CheckPlaylistFile(at_.program + "\\DefPlayList.qvl");
  if (!after.whole) Fail("DefPlayList.qvl after exit: " + after.problem);
  if (manual && rows >= 0 && long(after.existing) != rows) {
    Fail("the list showed " + std::to_string(rows) + " rows at exit; DefPlayList.qvl holds " +
         std::to_string(after.existing) + " entries whose files exist (of " + std::to_string(after.entries) + ")");
  }
  ++restarts_;
  RefillScratch(at_, dataRng_);
  Check();
  Start();
}

void Soak::KillMidWork() {
  // Work first, then the kill a moment later, wherever it is.
  static const char* works[] = {"next wallpaper", "exit", "settings Apply", "save list", "scan"};
  const int w = rng_.Below(5);
  const int after = rng_.Below(600);
  action_ = std::string("hard kill ") + std::to_string(after) + " ms into " + works[w];
  switch (w) {
    case 0: TrayMenu(4); break;
    case 1: TrayMenu(kExitItem); break;
    case 2:
      TrayMenu(1);
      if (HWND s = FormWithChildAt(367, 319, "Button")) Click(At(s, 367, 319));
      break;
    case 3:
      if (ShowPanel()) {
        fileIntent_ = at_.scratchOut + "\\killed " + std::to_string(saves_++) + ".qvl";
        Click(Path(main_, {{8, 215}, {224, 187}}));
        if (HWND d = nullptr; WaitFor([&] { return (d = Dialog()) != nullptr; }, 3s)) HandleDialog(d);
      }
      break;
    default:
      PlaylistMenu(6);
      break;
  }
  Sleep(std::chrono::milliseconds(after));
  expectRunning_ = false;
  runner_->Kill();
  ++kills_;
  // The files are whole, whatever moment the kill took.
  Check();
  Start();
}

void Soak::Step() {
  fileIntent_.clear();
  action_.clear();
  const int r = rng_.Below(1000);
  if (r < 90) TrayClick();
  else if (r < 110) { action_ = "tray: control panel"; TrayMenu(0); }
  else if (r < 150) { action_ = "tray: previous"; TrayMenu(3); }
  else if (r < 210) { action_ = "tray: next"; TrayMenu(4); }
  else if (r < 225) { action_ = "tray: reload"; TrayMenu(5); }
  else if (r < 240) { action_ = "tray: clear wallpaper"; TrayMenu(6); }
  else if (r < 265) { const int s = rng_.Below(7); action_ = "tray: position " + std::to_string(s); TrayMenu(7, s); }
  else if (r < 272) { action_ = "tray: screen saver"; TrayMenu(9); }
  else if (r < 279) { action_ = "tray: desktop icons"; TrayMenu(10); }
  else if (r < 290) { action_ = "tray: about"; TrayMenu(12); }
  else if (r < 340) PanelButton();
  else if (r < 370) PanelFields();
  else if (r < 410) ListRowAction();
  else if (r < 480) PlaylistMenu(rng_.Pick(std::vector<int>{0, 3, 4, 5, 8, 9, 10, 11, 16, 19}));
  else if (r < 500) AddMenu(rng_.Below(3));
  else if (r < 530) FileOperation();
  else if (r < 580) SettingsDialog();
  else if (r < 600) { action_ = "scan dialog"; PlaylistMenu(6); }
  else if (r < 650) Capture();
  else if (r < 740) ViewerWork();
  else if (r < 760) PressHotkey();
  else if (r < 775) TimerOneSecond();
  else if (r < 800) {
    action_ = "panel closed";
    if (IsWindowVisible(main_)) PostMessageA(main_, WM_CLOSE, 0, 0); else ShowPanel();
  }
  else if (r < 830) { action_ = "tray icon clicked while the list is worked on"; PlaylistMenu(9); TrayClick(); }
  else if (r < 833) ExitAndRestart();
  else if (r < 835) KillMidWork();
  else { action_ = "wait"; Sleep(std::chrono::milliseconds(300 + rng_.Below(1500))); }
  if (action_.empty()) action_ = "?";
}

// --- after each step ------------------------------------------------------

void Soak::HandleDialog(HWND dialog) {
  const std::string title = Title(dialog);
  HWND fileName = GetDlgItem(dialog, 1148);  // the file dialogs' name box
  if (!fileName) fileName = GetDlgItem(dialog, 1152);
  if (fileName) {
    madeFileDialog_ = true;
    if (!fileIntent_.empty()) {
      Log("file dialog \"" + title + "\": " + fileIntent_);
      Ask(fileName, WM_SETTEXT, 0, LPARAM(fileIntent_.c_str()));
      fileIntent_.clear();
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
    } else {
      Log("file dialog \"" + title + "\": cancelled");
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDCANCEL)));
    }
    return;
  }
  // A message box or the printer's dialog: one of its buttons at random.
  std::vector<int> ids;
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE})
    if (HWND b = GetDlgItem(dialog, id); b && IsWindowVisible(b) && IsWindowEnabled(b)) ids.push_back(id);
  std::string text;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (Class(c) == "Static" && !Title(c).empty()) text += Title(c) + " ";
  if (ids.empty()) {
    Log("dialog \"" + title + "\" " + text + ": closed");
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return;
  }
  const int id = rng_.Pick(ids);
  Log("dialog \"" + title + "\" " + text + ": button " + std::to_string(id));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

// Closes what the step left open except the panel and the viewer, which a
// user leaves open between steps.
void Soak::Settle() {
  if (!Running()) return;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  int quiet = 0;
  const auto end = Clock::now() + 30s;
  while (quiet < 3 && Clock::now() < end && Running()) {
    bool acted = false;
    if (OpenMenuOf(pid_)) {
      Key(VK_ESCAPE);
      acted = true;
    }
    if (HWND d = Dialog()) {
      HandleDialog(d);
      acted = true;
    }
    for (HWND w : Forms()) {
      if (w == main_ || w == Viewer()) continue;
      RECT r{};
      GetWindowRect(w, &r);
      if (r.left == 0 && r.top == 0 && r.right == sw && r.bottom == sh) {
        SetForegroundWindow(w);
        Key(VK_ESCAPE);
      } else if (HWND scanStart = At(w, 8, 132, "Button"); scanStart && !IsWindowEnabled(scanStart)) {
        continue;  // a search runs: the dialog stays until it ends (closing stops it too)
      } else {
        PostMessageA(w, WM_CLOSE, 0, 0);
      }
      acted = true;
    }
    quiet = acted ? 0 : quiet + 1;
    Sleep(acted ? 300ms : 100ms);
  }
}

void Soak::Check() {
  // Answers within 2 s.
  if (expectRunning_) {
    if (!Running()) {
      char code[32];
      std::snprintf(code, sizeof code, "0x%08lX", runner_ ? runner_->ExitCode() : 0ul);
      Fail(std::string("the program ended by itself (exit code ") + code + "): a crash; Wine's backtrace is in the log");
    }
    bool answered = false;
    const auto t0 = Clock::now();
    Ask(main_, WM_NULL, 0, 0, &answered);
    if (!answered) {
      Fail("the program did not answer a message within 2 s");
    }
    (void)t0;
  }
  // Whole files.
  const PlaylistCheck list = CheckPlaylistFile(at_.program + "\\DefPlayList.qvl");
  if (!list.whole) Fail("DefPlayList.qvl is not whole: " + list.problem);
  playlistBytes_ = list.bytes;
  const IniCheck ini = CheckIniFile(at_.program + "\\settings.ini");
  if (!ini.whole) Fail("settings.ini is not whole: " + ini.problem);
  for (const std::string& s : sections_) {
    if (std::find(ini.sections.begin(), ini.sections.end(), s) == ini.sections.end()) {
      Fail("settings.ini lost its section [" + s + "]");
    }
  }
  sections_ = ini.sections;
  // Nothing changed outside the scratch and program folders.
  if (std::string d = CompareSnapshots(guard_, TakeSnapshot(at_.guard)); !d.empty()) Fail("guard folder: " + d);
  if (std::string d = CompareSnapshots(pictures_, TakeSnapshot(at_.pictures)); !d.empty()) Fail("picture tree: " + d);
  // Leaks: sampled when no dialog is open, with the number of captures the
  // viewer holds (shown or hidden: it keeps them when closed), whose memory
  // comes and goes with them.
  HWND viewer = Viewer();
  int captures = 0;
  if (runner_ && Running()) {
    for (HWND w : runner_->Windows()) {
      HWND tabs = FindChild(w, "msctls_trackbar32") ? FindChild(w, "SysTabControl32") : nullptr;
      if (tabs) captures += int(Ask(tabs, TCM_GETITEMCOUNT));
    }
  }
  if (Running() && IsWindowVisible(main_)) madePanel_ = true;
  if (viewer) madeViewer_ = true;
  if (expectRunning_ && Running() && Forms().size() <= (viewer ? 2u : 1u) && !Dialog()) {
    const Figures f = Measure(process_.get(), pid_);
    const bool warm = madePanel_ && madeViewer_ && madeOverlay_ && madeFileDialog_;
    const std::string leak = leaks_.Sample(step_, f, warm, captures);
    if (!leak.empty()) Fail("leak: " + leak);
    if (step_ % 50 == 0) Log("figures: " + Describe(f));
  }
}

int Soak::Run() {
  std::printf("soak: seed %llu, %d minutes, material in %s\n", static_cast<unsigned long long>(seed_), minutes_,
              at_.root.c_str());
  try {
    material_ = MakeMaterial(at_, dataRng_);
    for (const char* f : {"*.lng", "help.chm", "moviepreview.bmp", "htmlpreview.bmp"}) {
      WIN32_FIND_DATAA d;
      HANDLE h = FindFirstFileA((std::string(WC_PROGRAM_DIR) + "\\" + f).c_str(), &d);
      if (h == INVALID_HANDLE_VALUE) continue;
      do {
        CopyFileA((std::string(WC_PROGRAM_DIR) + "\\" + d.cFileName).c_str(), (at_.program + "\\" + d.cFileName).c_str(),
                  FALSE);
      } while (FindNextFileA(h, &d));
      FindClose(h);
    }
    runner_ = std::make_unique<test::ProgramRunner>(at_.program);
    guard_ = TakeSnapshot(at_.guard);
    pictures_ = TakeSnapshot(at_.pictures);
    taskbar_ = test::WakeDesktop();
    if (!taskbar_) throw std::runtime_error("no taskbar: the prefix runs without its virtual desktop");
  } catch (const std::exception& e) {
    std::printf("SOAK SET-UP FAILED: %s\n", e.what());
    return 2;
  }
  std::printf("material: %zu entries, %zu readable pictures, language %s\n", material_.playlist.size() / 2,
              material_.pictures.size(), material_.language.c_str());
  const auto end = begin_ + std::chrono::minutes(minutes_);
  int result = 0;
  try {
    step_ = 0;
    action_ = "start";
    Start();
    Check();
    // A run whose restarts or pace left the leak watch fewer steps than it
    // needs to judge goes on for them, up to twice its minutes.
    const auto longest = end + std::chrono::minutes(minutes_);
    auto goOn = [&] {
      const auto now = Clock::now();
      return now < end || (now < longest && leaks_.WatchedSoFar() < LeakWatch::kMinSteps);
    };
    while (goOn() && (lastStep_ <= 0 || step_ < lastStep_)) {
      ++step_;
      Step();
      Log(action_);
      recent_.push_back(std::to_string(step_) + ": " + action_);
      if (recent_.size() > 15) recent_.pop_front();
      Settle();
      Check();
    }
    // The end: a clean exit, whose files are checked as any other.
    ++step_;
    ExitAndRestart();
    expectRunning_ = false;
    TrayMenu(kExitItem);
    runner_->WaitForExit(20s);
    // Every life's growth from warm to its end, judged once more now that
    // the last one has ended.
    action_ = "the leak watch's verdict over the run";
    if (const std::string leak = leaks_.Finish(); !leak.empty()) Fail("leak: " + leak);
  } catch (const Broken& b) {
    std::printf("\nSOAK FAILED at step %d (seed %llu): %s\n  during: %s\n  the steps before it:\n", step_,
                static_cast<unsigned long long>(seed_), b.what(), action_.c_str());
    for (const std::string& s : recent_) std::printf("    %s\n", s.c_str());
    std::printf("  replay: scripts/soak.sh %d %llu %d\n", minutes_, static_cast<unsigned long long>(seed_), step_);
    result = 1;
  } catch (const std::exception& e) {
    std::printf("\nSOAK FAILED at step %d (seed %llu): the driver: %s\n", step_, static_cast<unsigned long long>(seed_), e.what());
    result = 1;
  }
  if (runner_ && runner_->Running()) runner_->Kill();
  const double minutes = std::chrono::duration<double>(Clock::now() - begin_).count() / 60.0;
  std::printf("\nsoak: %d steps in %.1f minutes (%.0f steps per minute), %d restarts, %d hard kills\n", step_, minutes,
              minutes > 0 ? step_ / minutes : 0.0, restarts_, kills_);
  leaks_.Restart();
  std::printf("leak watch, from warm to the end of every stretch of a life that held the same captures:\n%s",
              leaks_.Report().c_str());
  std::printf(result == 0 ? "SOAK PASSED\n" : "SOAK FAILED\n");
  std::fflush(stdout);
  return result;
}

}  // namespace
}  // namespace wc::soak

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: soak_driver <root folder> <minutes> <seed> [<last step>]\n");
    return 2;
  }
  wc::soak::Soak soak(argv[1], std::atoi(argv[2]), std::strtoull(argv[3], nullptr, 10), argc > 4 ? std::atoi(argv[4]) : 0);
  return soak.Run();
}
