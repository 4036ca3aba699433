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

// Growth of the figures from warm to the end of each life of the process.
// A life is warm once the caller says so (every window that keeps GDI
// objects and memory for the rest of the life has been made once). It is
// watched in stretches in which the program holds the same captures (what
// they take comes and goes with them): a stretch's warm figures are the
// lowest of its first kWarmWindow steps, its end figures the lowest of its
// last kEndWindow samples; what a step holds for a while comes and goes,
// what leaks stays. The growth of every stretch is added up, so that a run
// whose restarts and captures cut it short still judges at least kMinSteps
// steps; a run with fewer gives no verdict, and says so.
class LeakWatch {
 public:
  static constexpr int kWarmWindow = 5, kEndWindow = 8, kMinSteps = 100;

  // A stretch of one life that was warm and then watched.
  struct Stretch {
    int life = 0, held = 0;  // which life; how many captures it held
    int warmStep = 0, endStep = 0;
    Figures warm, end;
    int Steps() const { return endStep - warmStep; }
  };

  void Restart();  // a new process: the life before it ends
  // Returns a description of a leak, or "". `held` is how many captures the
  // program holds. Judged once the stretches so far (this one up to now
  // included) were watched for kMinSteps steps.
  std::string Sample(int step, const Figures& f, bool warm, int held = 0);
  // The end of the run: the last life ends; the same verdict as Sample's.
  std::string Finish();

  const std::vector<Stretch>& Stretches() const { return done_; }
  int WatchedSteps() const;  // of the stretches that ended
  int WatchedSoFar() const;  // the same with the one going on
  Figures Growth() const;    // summed over the stretches that ended
  // Lines for a person: every stretch compared, and the sum.
  std::string Report() const;

 private:
  std::optional<Stretch> Current() const;
  void Close();
  std::string Verdict(const std::vector<Stretch>& stretches) const;

  int life_ = 0, held_ = 0, warmFrom_ = -1;
  std::vector<std::pair<int, Figures>> samples_;
  std::vector<Stretch> done_;
};

}  // namespace wc::soak
