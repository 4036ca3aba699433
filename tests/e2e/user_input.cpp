#include "user_input.h"

#include <algorithm>
#include <climits>
#include <thread>
#include <vector>

#include "program_runner.h"

namespace wc::test {

using namespace std::chrono_literals;

void Mouse(POINT at, DWORD down, DWORD up) {
  SetCursorPos(at.x, at.y);
  std::this_thread::sleep_for(50ms);
  // The button events carry the place themselves: a pointer motion the
  // desktop reports late cannot move the click elsewhere.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in[2] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = LONG((at.x * 65535LL + (w - 1) / 2) / std::max(1, w - 1));
    i.mi.dy = LONG((at.y * 65535LL + (h - 1) / 2) / std::max(1, h - 1));
  }
  in[0].mi.dwFlags = down | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = up | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(2, in, sizeof(INPUT));
}

void LeftClick(POINT at) { Mouse(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  std::this_thread::sleep_for(60ms);
}

void Type(const std::string& text) {
  for (char c : text) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = WORD(static_cast<unsigned char>(c));
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
  }
  std::this_thread::sleep_for(200ms);
}

HWND DialogOf(DWORD pid) {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND OpenMenuOf(DWORD pid) {
  HWND menu = nullptr;
  while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(menu, &owner);
    if (owner == pid && IsWindowVisible(menu)) return menu;
  }
  return nullptr;
}

HWND FindChild(HWND parent, const char* cls, const char* text) {
  struct Want {
    const char* cls;
    const char* text;
    HWND found;
  } want{cls, text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND w, LPARAM l) {
        auto* want = reinterpret_cast<Want*>(l);
        char name[64] = "", caption[256] = "";
        GetClassNameA(w, name, sizeof name);
        GetWindowTextA(w, caption, sizeof caption);
        if (lstrcmpiA(name, want->cls) == 0 && (!want->text || std::string(caption) == want->text)) {
          want->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&want));
  return want.found;
}

POINT Centre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string TextOf(HWND window) {
  char text[1024] = "";
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &copied);
  return text;
}

bool ClickUntil(POINT at, const std::function<bool()>& opened, int attempts, std::chrono::milliseconds wait) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    LeftClick(at);
    if (WaitFor(opened, wait)) return true;
  }
  return false;
}

namespace {

// The smallest rectangle of the area whose pixels differ from its middle one.
RECT Foreground(const RECT& area) {
  std::vector<uint32_t> px = GrabScreen(area);
  RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  if (px.empty()) return RECT{};
  const int w = area.right - area.left;
  const uint32_t background = px[px.size() / 2];
  for (size_t i = 0; i < px.size(); ++i) {
    if (px[i] == background) continue;
    LONG x = area.left + LONG(i % size_t(w)), y = area.top + LONG(i / size_t(w));
    box = RECT{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  }
  return box.left > box.right ? RECT{} : box;
}

}  // namespace

bool FindTrayIcon(HWND taskbar, RECT& icon) {
  return WaitFor(
      [&] {
        if (!IsWindowVisible(taskbar)) return false;
        RedrawWindow(taskbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        std::this_thread::sleep_for(200ms);
        RECT bar{};
        GetWindowRect(taskbar, &bar);
        bar.left = std::max(bar.left, bar.right - 64);
        icon = Foreground(bar);
        const LONG w = icon.right - icon.left, h = icon.bottom - icon.top;
        return w >= 12 && w <= 24 && h >= 12 && h <= 24;
      },
      15s);
}

bool OpenTrayMenu(const RECT& icon, DWORD pid) {
  const POINT at{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
  // Keys go to the thread in the foreground: a walk of the menu by keys may
  // start only once the menu's program holds it, or its first keys go to
  // the window that held it before.
  auto foregroundIsTheProgram = [&] {
    DWORD owner = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &owner);
    return owner == pid;
  };
  for (int attempt = 0; attempt < 3; ++attempt) {
    Mouse(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    if (WaitFor([&] { return OpenMenuOf(pid) != nullptr && foregroundIsTheProgram(); }, 5s)) return true;
  }
  return false;
}

bool StartHostProgram(const std::string& commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = commandLine;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

}  // namespace wc::test
