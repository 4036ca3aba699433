// The scan dialog's search on a tree of 100 000 pictures (100 folders of
// 1000): filling the shown dialog's result list against a bare FindFirstFile
// walk of the same tree, and how long the GUI thread keeps a message waiting
// meanwhile.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/panel/main_form.h"
#include "bench.h"
#include "latency_probe.h"
#include "picture_tree.h"
#include "scan/scan_disk_form.h"
#include "ui/application.h"
#include "ui/sync.h"

using bench::BareWalk;
using bench::kFiles;
using bench::LatencyProbe;
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
  panel.StartupTimer.SetEnabled(false);
  auto& scan = app.CreateForm<wc::TScanDiskForm>();
  scan.Show();
  app.ProcessMessages();

  double worstLatency = 0;
  int probes = 0;
  const int runs = std::getenv("WC_BENCH_RUNS") ? std::atoi(std::getenv("WC_BENCH_RUNS")) : 3;
  auto search = bench::Measure(runs, [&] {
    scan.AllImageFiles1.Click();
    scan.SearchDirectoryEdit.SetText(root);
    scan.CheckBox1.SetChecked(true);
    LatencyProbe probe(scan.Handle());
    scan.Button3.Click();
    while (scan.Searching()) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      app.ProcessMessages();
    }
    worstLatency = std::max(worstLatency, probe.Stop());
    probes += probe.Probes();
  });
  const int rows = scan.SearchListBox.Count();
  bench::Report("search into the shown scan dialog", search,
                std::to_string(rows) + " rows, count label " + scan.CountLabel.Caption());
  std::printf("ratio search / bare walk (best): %.2f   (goal <= 2)\n", search.best_ms / bare.best_ms);
  std::printf("longest GUI answer during the searches: %.1f ms over %d probes   (goal <= 50 ms)\n", worstLatency,
              probes);
  return rows == walked ? 0 : 1;
}
