// Start-up with a playlist of 100 000 entries: the control panel's start-up
// sequence until every row is in, against a bare fill of the same rows in
// one thread (read the file, check each file, add the rows with drawing
// off), and how long the GUI thread keeps a message waiting meanwhile.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "bench.h"
#include "common/paths.h"
#include "latency_probe.h"
#include "playlist/playlist_file.h"
#include "playlist/playlist_format.h"
#include "common/picture_formats.h"
#include "ui/application.h"
#include "wallpaper/picture_reader.h"

namespace {

constexpr int kEntries = 100000;

// Made once and kept: 100 folders of 1000 files, and a playlist naming
// them, one file in 20 missing.
std::string MakePlaylist(const std::string& base) {
  const std::string list = base + "\\long.qvl";
  const std::string marker = base + "\\complete.txt";
  if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return list;
  std::vector<std::string> lines;
  for (int f = 0; f < kEntries / 1000; ++f) {
    std::string folder = base + "\\Holiday pictures " + std::to_string(f);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < 1000; ++i) {
      std::string file = folder + "\\IMG_" + std::to_string(20000 + i) + ".jpg";
      if (i % 20 != 7) {
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
      }
      lines.push_back(file);
      lines.push_back(wc::DisplayName(file));
    }
  }
  wc::WritePlaylistFile(list, lines);
  HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  return list;
}

}  // namespace

int main() {
  // Asking the system's decoders for their extensions, once per start.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const bench::Timing learn = bench::Measure(1, [] { wc::LearnSystemPictureExtensions(); });
  bench::Report("the system's picture extensions, learnt once", learn,
                std::to_string(wc::PictureExtensions().size()) + " extensions");
  const std::string base = bench::TempFile("wc-startup-bench");
  CreateDirectoryA(base.c_str(), nullptr);
  const std::string list = MakePlaylist(base);
  const int runs = std::getenv("WC_BENCH_RUNS") ? std::atoi(std::getenv("WC_BENCH_RUNS")) : 3;

  // The files are empty: no preview of the first one (its error box would
  // wait for a user), as in the bare fill.
  WritePrivateProfileStringA("Show Preview", "Checked", "0", (base + "\\settings.ini").c_str());

  ui::Application app;
  app.SetExeName(base + "\\WallpaperChanger.exe");
  app.Arguments = {list};
  auto& panel = app.CreateForm<wc::TMainForm>();
  panel.Show();
  app.ProcessMessages();

  // The bare fill, into the same list box.
  int bareRows = 0;
  auto bare = bench::Measure(runs, [&] {
    panel.MainListBox.Clear();
    std::vector<std::string> lines = wc::ReadPlaylistFile(list);
    SendMessageA(panel.MainListBox.Handle(), WM_SETREDRAW, FALSE, 0);
    for (size_t k = 0; k + 1 < lines.size(); k += 2) {
      if (wc::FileExists(lines[k])) SendMessageA(panel.MainListBox.Handle(), LB_ADDSTRING, 0, LPARAM(lines[k + 1].c_str()));
    }
    SendMessageA(panel.MainListBox.Handle(), WM_SETREDRAW, TRUE, 0);
    bareRows = panel.MainListBox.Count();
  });
  bench::Report("bare read, check and add", bare, std::to_string(bareRows) + " rows");

  double worst = 0;
  int probes = 0, rows = 0;
  auto startup = bench::Measure(runs, [&] {
    panel.MainListBox.Clear();
    bench::LatencyProbe probe(panel.Handle());
    panel.StartupTimerTick(panel.StartupTimer);  // returns once every row is in
    rows = panel.MainListBox.Count();
    worst = std::max(worst, probe.Stop());
    probes += probe.Probes();
    panel.FolderReaderTimer.SetEnabled(false);
  });
  bench::Report("start-up sequence of the control panel", startup, std::to_string(rows) + " rows");
  std::printf("ratio start-up / bare (best): %.2f   (goal <= 1.2)\n", startup.best_ms / bare.best_ms);
  std::printf("longest GUI answer during the start-ups: %.1f ms over %d probes   (goal <= 50 ms)\n", worst, probes);
  return rows == bareRows ? 0 : 1;
}
