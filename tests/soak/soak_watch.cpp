#include "soak_watch.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "common/bmp.h"
#include "playlist/playlist_format.h"

namespace wc::soak {

namespace {

std::string ReadAll(const std::string& path, bool& found) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  found = f != INVALID_HANDLE_VALUE;
  std::string out;
  if (!found) return out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(f);
  return out;
}

}  // namespace

PlaylistCheck CheckPlaylistFile(const std::string& path) {
  PlaylistCheck c;
  bool found = false;
  c.bytes = ReadAll(path, found);
  if (!found) {
    c.problem = "missing";
    return c;
  }
  if (!c.bytes.empty() && (c.bytes.size() < 2 || c.bytes.compare(c.bytes.size() - 2, 2, "\r\n") != 0)) {
    c.problem = "its last line is not ended (" + std::to_string(c.bytes.size()) + " bytes)";
    return c;
  }
  // Any lines are a playlist the program reads (an appended file may leave
  // an odd line, or an empty one): what counts is that it is cut nowhere
  // and holds every entry, which the caller compares.
  const std::vector<std::string> lines = ParsePlaylistText(c.bytes);
  c.entries = lines.size() / 2;
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    const DWORD a = GetFileAttributesA(lines[i].c_str());
    if (a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY)) ++c.existing;
  }
  c.whole = true;
  return c;
}

IniCheck CheckIniFile(const std::string& path) {
  IniCheck c;
  bool found = false;
  const std::string text = ReadAll(path, found);
  if (!found) {
    c.problem = "missing";
    return c;
  }
  if (text.empty()) {
    c.problem = "empty";
    return c;
  }
  if (text.back() != '\n') {
    c.problem = "its last line is not ended";
    return c;
  }
  size_t at = 0;
  int line = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    std::string l = text.substr(at, end - at);
    at = end + 1;
    ++line;
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (l.empty()) continue;
    if (l.front() == '[') {
      if (l.back() != ']') {
        c.problem = "line " + std::to_string(line) + " is a cut section name: " + l;
        return c;
      }
      c.sections.push_back(l.substr(1, l.size() - 2));
    } else if (l.find('=') == std::string::npos) {
      c.problem = "line " + std::to_string(line) + " is neither a section nor a value: " + l;
      return c;
    }
  }
  c.whole = true;
  return c;
}

namespace {

void Walk(const std::string& folder, const std::string& relative, Snapshot& out) {
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = d.cFileName;
    if (name == "." || name == "..") continue;
    const std::string rel = relative.empty() ? name : relative + "\\" + name;
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out[rel + "\\"] = {0, 0};
      Walk(folder + "\\" + name, rel, out);
    } else {
      out[rel] = {uint64_t(d.nFileSizeHigh) << 32 | d.nFileSizeLow,
                  uint64_t(d.ftLastWriteTime.dwHighDateTime) << 32 | d.ftLastWriteTime.dwLowDateTime};
    }
  } while (FindNextFileA(h, &d));
  FindClose(h);
}

}  // namespace

Snapshot TakeSnapshot(const std::string& folder) {
  Snapshot s;
  Walk(folder, "", s);
  return s;
}

std::string CompareSnapshots(const Snapshot& before, const Snapshot& after) {
  for (const auto& [name, v] : before) {
    auto it = after.find(name);
    if (it == after.end()) return name + " was deleted or moved";
    if (it->second.first != v.first) return name + " changed size";
    if (it->second.second != v.second) return name + " was written";
  }
  for (const auto& [name, v] : after) {
    if (!before.count(name)) return name + " was created";
  }
  return "";
}

namespace {

// Wine keeps a process's GDI objects in a table that its PEB points at, as
// Windows does; GetGuiResources is not implemented there.
long CountGdiObjects(HANDLE process) {
  PROCESS_BASIC_INFORMATION info{};
  ULONG got = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, &got) != 0) return -1;
  uint64_t table = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const BYTE*>(info.PebBaseAddress) + 0xF8, &table, sizeof table,
                         &read) ||
      !table) {
    return -1;
  }
  struct Entry {
    uint64_t object;
    uint32_t owner;
    uint16_t instance;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
  };
  static_assert(sizeof(Entry) == 24);
  constexpr size_t kCount = 0x10000;
  static std::vector<Entry> entries(kCount);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), kCount * sizeof(Entry), &read)) {
    return -1;
  }
  long n = 0;
  for (size_t i = 0; i < read / sizeof(Entry); ++i) {
    // In use, and not one of the stock objects every process shares.
    if (entries[i].type != 0 && !(entries[i].instance & 0x80)) ++n;
  }
  return n;
}

struct WindowCount {
  DWORD pid;
  long n;
};

BOOL CALLBACK CountChild(HWND, LPARAM l) {
  ++reinterpret_cast<WindowCount*>(l)->n;
  return TRUE;
}

BOOL CALLBACK CountTop(HWND w, LPARAM l) {
  auto* c = reinterpret_cast<WindowCount*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == c->pid) {
    ++c->n;
    EnumChildWindows(w, CountChild, l);
  }
  return TRUE;
}

}  // namespace

Figures Measure(HANDLE process, DWORD pid) {
  Figures f;
  // Wine answers GetProcessHandleCount and GetProcessMemoryInfo for another
  // process with zeros; the system's process list carries both figures
  // (the memory one read from the host's view of the process).
  ULONG size = 1 << 20;
  std::vector<BYTE> buffer;
  NTSTATUS status;
  do {
    buffer.resize(size);
    status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(), size, &size);
    size *= 2;
  } while (status == LONG(0xC0000004) && size < (64u << 20));  // STATUS_INFO_LENGTH_MISMATCH
  if (status == 0) {
    for (size_t at = 0;;) {
      const auto* p = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
      if (DWORD(reinterpret_cast<uintptr_t>(p->UniqueProcessId)) == pid) {
        f.handles = long(p->HandleCount);
        f.privateKb = long(p->VirtualMemoryCounters.WorkingSetSize / 1024);
        break;
      }
      if (!p->NextEntryOffset) break;
      at += p->NextEntryOffset;
    }
  }
  f.gdi = long(GetGuiResources(process, GR_GDIOBJECTS));
  if (f.gdi <= 0) f.gdi = CountGdiObjects(process);
  WindowCount windows{pid, 0};
  EnumWindows(CountTop, reinterpret_cast<LPARAM>(&windows));
  // Message-only windows (the tray icon's, the timers') are not listed above.
  HWND h = nullptr;
  while ((h = FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid) ++windows.n;
  }
  f.user = windows.n;
  return f;
}

std::string Describe(const Figures& f) {
  char text[160];
  std::snprintf(text, sizeof text, "handles %ld, GDI objects %ld, windows %ld, working set %ld KB", f.handles, f.gdi,
                f.user, f.privateKb);
  return text;
}

namespace {

Figures Lowest(const std::vector<std::pair<int, Figures>>& samples, int from, int to) {
  Figures low{LONG_MAX, LONG_MAX, LONG_MAX, LONG_MAX};
  for (const auto& [s, v] : samples) {
    if (s < from || s > to) continue;
    low.handles = std::min(low.handles, v.handles);
    low.gdi = std::min(low.gdi, v.gdi);
    low.user = std::min(low.user, v.user);
    low.privateKb = std::min(low.privateKb, v.privateKb);
  }
  return low;
}

}  // namespace

void LeakWatch::Close() {
  if (std::optional<Stretch> stretch = Current()) done_.push_back(*stretch);
  samples_.clear();
  warmFrom_ = -1;
}

void LeakWatch::Restart() {
  Close();
  ++life_;
}

std::optional<LeakWatch::Stretch> LeakWatch::Current() const {
  // Warm once the warm window is past, and watched beyond it.
  if (warmFrom_ < 0 || samples_.empty()) return std::nullopt;
  const int warmStep = warmFrom_ + kWarmWindow, last = samples_.back().first;
  if (last <= warmStep) return std::nullopt;
  Stretch s;
  s.life = life_;
  s.held = held_;
  s.warmStep = warmStep;
  s.endStep = last;
  s.warm = Lowest(samples_, warmFrom_, warmStep);
  // The end window starts after the warm one: a short stretch compares its
  // own later samples, never the warm ones again.
  const size_t n = samples_.size();
  const int endFrom = samples_[n > size_t(kEndWindow) ? n - kEndWindow : 0].first;
  s.end = Lowest(samples_, std::max(endFrom, warmStep + 1), last);
  if (s.warm.gdi == LONG_MAX || s.end.gdi == LONG_MAX) return std::nullopt;
  return s;
}

std::string LeakWatch::Sample(int step, const Figures& f, bool warm, int held) {
  if (!warm) return "";
  if (warmFrom_ >= 0 && held != held_) Close();
  held_ = held;
  if (warmFrom_ < 0) warmFrom_ = step;
  samples_.emplace_back(step, f);
  std::vector<Stretch> stretches = done_;
  if (std::optional<Stretch> s = Current()) stretches.push_back(*s);
  return Verdict(stretches);
}

std::string LeakWatch::Finish() {
  Restart();
  return Verdict(done_);
}

int LeakWatch::WatchedSteps() const {
  int steps = 0;
  for (const Stretch& s : done_) steps += s.Steps();
  return steps;
}

int LeakWatch::WatchedSoFar() const {
  const std::optional<Stretch> s = Current();
  return WatchedSteps() + (s ? s->Steps() : 0);
}

namespace {

Figures SumGrowth(const std::vector<LeakWatch::Stretch>& stretches, bool measured[4]) {
  Figures g{0, 0, 0, 0};
  for (const LeakWatch::Stretch& s : stretches) {
    const long pairs[4][2] = {{s.warm.handles, s.end.handles},
                              {s.warm.gdi, s.end.gdi},
                              {s.warm.user, s.end.user},
                              {s.warm.privateKb, s.end.privateKb}};
    long* sums[4] = {&g.handles, &g.gdi, &g.user, &g.privateKb};
    for (int i = 0; i < 4; ++i) {
      if (pairs[i][0] < 0 || pairs[i][1] < 0) measured[i] = false;
      *sums[i] += pairs[i][1] - pairs[i][0];
    }
  }
  return g;
}

}  // namespace

Figures LeakWatch::Growth() const {
  bool measured[4] = {true, true, true, true};
  return SumGrowth(done_, measured);
}

std::string LeakWatch::Verdict(const std::vector<Stretch>& stretches) const {
  int steps = 0;
  std::vector<int> lives;
  for (const Stretch& s : stretches) {
    steps += s.Steps();
    if (std::find(lives.begin(), lives.end(), s.life) == lives.end()) lives.push_back(s.life);
  }
  if (steps < kMinSteps) return "";
  bool measured[4] = {true, true, true, true};
  const Figures g = SumGrowth(stretches, measured);
  // What may grow without a leak, in each life whatever its length: a few
  // handles, windows and GDI objects of something made late (a font, a
  // dialog's brushes), a few MB of heap fragments and of a longer playlist.
  // A leak of one GDI object per wallpaper change passes the GDI allowance
  // within 100 changes, however the run is cut.
  const long more = long(lives.size()) - 1;
  std::string leak;
  auto check = [&](int i, const char* what, long grown, long first, long next) {
    const long allowed = first + next * more;
    if (measured[i] && grown > allowed) {
      leak += std::string(leak.empty() ? "" : "; ") + what + " grew by " + std::to_string(grown) + " (at most " +
              std::to_string(allowed) + " allowed)";
    }
  };
  check(0, "handles", g.handles, 40, 10);
  check(1, "GDI objects", g.gdi, 20, 10);
  check(2, "windows", g.user, 20, 5);
  check(3, "working set (KB)", g.privateKb, 48 * 1024, 16 * 1024);
  if (leak.empty()) return "";
  return leak + " over " + std::to_string(steps) + " steps after warm-up in " + std::to_string(lives.size()) +
         (lives.size() == 1 ? " life" : " lives");
}

std::string LeakWatch::Report() const {
  std::string out;
  for (const Stretch& s : done_) {
    out += "  life " + std::to_string(s.life) + ", " + std::to_string(s.held) + " captures held, warm at step " +
           std::to_string(s.warmStep) + ": " + Describe(s.warm) + "\n";
    out += "    at its end, step " + std::to_string(s.endStep) + ": " + Describe(s.end) + "\n";
  }
  const Figures g = Growth();
  char line[200];
  std::snprintf(line, sizeof line,
                "  growth over %d steps: handles %+ld, GDI objects %+ld, windows %+ld, working set %+ld KB%s\n",
                WatchedSteps(), g.handles, g.gdi, g.user, g.privateKb,
                WatchedSteps() < kMinSteps ? " (too few steps to judge)" : "");
  return out + line;
}

}  // namespace wc::soak
