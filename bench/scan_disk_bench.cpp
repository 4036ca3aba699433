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

#include "app/main_form.h"
#include "bench.h"
#include "scan/scan_disk_form.h"
#include "ui/application.h"
#include "ui/sync.h"

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000;
constexpr int kFiles = kFolders * kFilesPerFolder;

// Made once and kept (the folder reader's benchmark uses the same tree): a
// marker file says the tree is whole.
void MakeTree(const std::string& root) {
  const std::string marker = root + "-complete.txt";
  if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  CreateDirectoryA(root.c_str(), nullptr);
  auto start = std::chrono::steady_clock::now();
  for (int f = 0; f < kFolders; ++f) {
    std::string folder = root + "\\folder" + std::to_string(f);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kFilesPerFolder; ++i) {
      std::string file = folder + "\\picture" + std::to_string(i) + ".jpg";
      HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
  }
  HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  std::printf("made %d files in %.1f s\n", kFiles,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

// The same walk as the search's, with nothing handed over: a folder's files,
// then its subfolders.
int BareWalk(const std::string& dir) {
  int found = 0;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((dir + "*.*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM))) ++found;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  find = FindFirstFileA((dir + "*.*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.cFileName[0] != '.') {
        found += BareWalk(dir + entry.cFileName + "\\");
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  return found;
}

// Sends a message to the window every few milliseconds from another thread
// and keeps the longest time the answer took.
class LatencyProbe {
 public:
  explicit LatencyProbe(HWND target) : target_(target), thread_([this] { Run(); }) {}
  ~LatencyProbe() { Stop(); }
  // Runs the messages that arrive meanwhile: a probe still waiting for its
  // answer must get it, or the wait would be counted as the GUI's.
  double Stop() {
    stop_ = true;
    while (!finished_) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    if (thread_.joinable()) thread_.join();
    return worst_ms_;
  }
  int Probes() const { return probes_; }

 private:
  void Run() {
    while (!stop_) {
      auto start = std::chrono::steady_clock::now();
      DWORD_PTR result = 0;
      SendMessageTimeoutA(target_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
      double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      worst_ms_ = std::max(worst_ms_, ms);
      ++probes_;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    finished_ = true;
  }
  HWND target_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  double worst_ms_ = 0;
  int probes_ = 0;
  std::thread thread_;
};

}  // namespace

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
  panel.timer_start.SetEnabled(false);
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
