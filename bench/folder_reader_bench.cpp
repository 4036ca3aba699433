// The folder reader on a tree of 100 000 pictures: filling the playlist of
// the real control panel (shown, its message loop running) against a bare
// FindFirstFile walk of the same tree, and how long the GUI thread keeps a
// message waiting meanwhile.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "bench.h"
#include "latency_probe.h"
#include "picture_tree.h"
#include "ui/application.h"
#include "ui/sync.h"

using bench::BareWalk;
using bench::kFiles;
using bench::MakeTree;

int main() {
  const std::string base = bench::TempFile("wc-reader-bench");
  CreateDirectoryA(base.c_str(), nullptr);
  const std::string root = base + "\\tree";
  MakeTree(root);

  int walked = 0;
  auto bare = bench::Measure(3, [&] { walked = BareWalk(root + "\\"); });
  bench::Report("bare FindFirstFile walk", bare, std::to_string(walked) + " files");

  ui::Application app;
  app.SetExeName(base + "\\WallpaperChanger.exe");
  app.Arguments.clear();
  auto& panel = app.CreateForm<wc::TMainForm>();
  panel.StartupTimerTick(panel.StartupTimer);
  panel.FolderReaderTimer.SetEnabled(false);
  panel.Show();
  app.ProcessMessages();

  double worstLatency = 0;
  int probes = 0;
  size_t entries = 0;
  const int runs = std::getenv("WC_BENCH_RUNS") ? std::atoi(std::getenv("WC_BENCH_RUNS")) : 3;
  auto read = bench::Measure(runs, [&] {
    panel.MainListBox.Clear();
    panel.Playlist->Clear();
    panel.FolderToRead = root;
    panel.ExtensionTable[0] = ".JPG";
    panel.ExtensionCount = 1;
    panel.RecurseSubfolders = true;
    bench::LatencyProbe probe(panel.Handle());
    panel.StartFolderReader();
    auto start = std::chrono::steady_clock::now();
    int reported = 0;
    while (ui::RunningWorkers() > 0) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      app.ProcessMessages();
      if (std::getenv("WC_BENCH_PROGRESS") && panel.MainListBox.Count() >= reported + 10000) {
        reported = panel.MainListBox.Count();
        std::printf("  %d rows after %.1f s\n", reported,
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        std::fflush(stdout);
      }
    }
    app.ProcessMessages();
    worstLatency = std::max(worstLatency, probe.Stop());
    probes += probe.Probes();
    entries = panel.Playlist->EntryCount();
  });
  bench::Report("folder reader into the shown control panel", read,
                std::to_string(entries) + " entries, " + std::to_string(panel.MainListBox.Count()) + " rows");
  std::printf("ratio reader / bare walk (best): %.2f   (goal <= 2)\n", read.best_ms / bare.best_ms);
  std::printf("longest GUI answer during the reads: %.1f ms over %d probes   (goal <= 50 ms)\n", worstLatency, probes);
  return entries == size_t(walked) ? 0 : 1;
}
