#pragma once
// What a soak run checks after every step, apart from the program answering:
// the playlist and settings files are whole, no file outside the scratch and
// program folders changed, and the process's handle, GDI and memory figures
// stay flat once warm.
#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace wc::soak {

// A playlist file as the program reads it: its entries, or why it is not whole.
struct PlaylistCheck {
  bool whole = false;
  std::string problem;
  size_t entries = 0;
  size_t existing = 0;  // entries whose file exists: the rows the program shows
  std::string bytes;
};
PlaylistCheck CheckPlaylistFile(const std::string& path);

// settings.ini: every line a section, a key=value or empty, the last one
// ended; the sections it holds.
struct IniCheck {
  bool whole = false;
  std::string problem;
  std::vector<std::string> sections;
};
IniCheck CheckIniFile(const std::string& path);

// Size and time of every file below a folder (names relative to it).
using Snapshot = std::map<std::string, std::pair<uint64_t, uint64_t>>;
Snapshot TakeSnapshot(const std::string& folder);
// "" when the two are the same, else the first difference in words.
std::string CompareSnapshots(const Snapshot& before, const Snapshot& after);

// The figures of a process that grow when it leaks.
struct Figures {
  long handles = -1;   // kernel handles
  long gdi = -1;       // GDI objects
  long user = -1;      // windows (USER objects)
  long privateKb = -1; // working set (resident memory)
};
Figures Measure(HANDLE process, DWORD pid);
std::string Describe(const Figures& f);

// Growth of the figures over one life of the process. The lowest value of a
// window of samples is compared with the lowest of the warm window: what a
// step holds for a while (a capture in the viewer) comes and goes; what
// leaks stays.
class LeakWatch {
 public:
  void Restart();  // a new process
  // Returns a description of a leak, or "".
  std::string Sample(int step, const Figures& f);
  std::optional<Figures> Warm() const { return warm_; }
  std::optional<int> WarmStep() const { return warmStep_; }
  const Figures& Last() const { return last_; }
  int LastStep() const { return lastStep_; }
  int Steps() const { return lastStep_ - (warmStep_ ? *warmStep_ : lastStep_); }

 private:
  int lifeStart_ = -1;
  std::vector<std::pair<int, Figures>> samples_;
  std::optional<Figures> warm_;
  std::optional<int> warmStep_;
  Figures last_;
  int lastStep_ = 0;
};

}  // namespace wc::soak
