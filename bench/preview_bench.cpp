// What a 6000 x 4000 photograph costs the control panel's preview, and the
// program waiting in the tray with it as the current picture.
//  - Showing the preview (the row described, the picture decoded reduced
//    and drawn at the preview's size) against a bare full decode of the
//    same file: goal at most 0.3.
//  - The resident memory of the real program at idle (timer off, panel
//    hidden, no change at start) with that photograph current, against the
//    same program with an empty playlist: goal at most 1.2.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/panel/main_form.h"
#include "bench.h"
#include "common/ini_file.h"
#include "common/jpeg.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "program_runner.h"
#include "soak_watch.h"
#include "ui/application.h"

namespace {

using namespace std::chrono_literals;

std::string MakePhotograph(const std::string& path) {
  const int w = 6000, h = 4000;
  wc::Image32 image = wc::MakeImage(w, h);
  // Smooth with some detail, so the codec has real work to do.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      image.at(x, y) = wc::MakePixel(uint32_t(x * 255 / w), uint32_t(y * 255 / h), uint32_t(((x ^ y) & 63) * 2));
    }
  }
  wc::EncodeJpegFile(path, image, 90);
  return path;
}

// The program started in a folder of its own with `playlist` as its list,
// left alone until its start-up is done and its memory has settled; its
// resident memory in KB then, or -1 when it did not start.
long IdleResidentKb(const std::string& folder, const std::vector<std::string>& playlist) {
  CreateDirectoryA(folder.c_str(), nullptr);
  wc::test::ProgramRunner program(folder);
  std::vector<std::string> lines;
  for (const std::string& p : playlist) {
    lines.push_back(p);
    lines.push_back(wc::DisplayName(p));
  }
  wc::WritePlaylistFile(program.File("DefPlayList.qvl"), lines);
  wc::IniFile ini(program.File("settings.ini"));
  ini.WriteBool("Change at Startup", "Checked", false);
  ini.WriteBool("Enable Timer", "Checked", false);
  ini.WriteInteger("Last Wallpaper Index", "Value", 0);
  program.Start();
  if (!wc::test::WaitFor([&] { return program.MainWindow() && program.StartUpDone(); }, 60s)) return -1;
  DWORD pid = 0;
  GetWindowThreadProcessId(program.MainWindow(), &pid);
  ui::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  // Settled: three readings a second apart within 1 %.
  long last = -1, kb = -1;
  int steady = 0;
  wc::test::WaitFor([&] {
    Sleep(1000);
    kb = wc::soak::Measure(process.get(), pid).privateKb;
    steady = (last > 0 && std::labs(kb - last) * 100 <= last) ? steady + 1 : 0;
    last = kb;
    return steady >= 2;
  }, 30s);
  program.Kill();
  return kb;
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int runs = std::getenv("WC_BENCH_RUNS") ? std::atoi(std::getenv("WC_BENCH_RUNS")) : 5;
  const std::string base = bench::TempFile("wc-preview-bench");
  CreateDirectoryA(base.c_str(), nullptr);
  const std::string photo = MakePhotograph(base + "\\photo.jpg");

  const bench::Timing full = bench::Measure(runs, [&] {
    if (wc::DecodeJpegFile(photo).width != 6000) std::abort();
  });
  bench::Report("full decode of a 6000x4000 JPEG (baseline)", full);

  int status = 0;
  {
    ui::Application app;
    app.SetExeName(base + "\\WallpaperChanger.exe");
    auto& panel = app.CreateForm<wc::TMainForm>();
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    panel.AddFilesToPlaylist({photo});
    panel.MainListBox.Clear();
    panel.FillPlaylistBox(false);
    panel.Show();
    panel.MainListBox.SetItemIndex(0);
    const bench::Timing preview = bench::Measure(runs, [&] { panel.MainListBoxClick(panel); });
    const int shownWidth = panel.MainPreview.GetPicture().Width();
    bench::Report("the panel's preview of it", preview, std::to_string(shownWidth) + " pixels wide");
    const double ratio = preview.best_ms / full.best_ms;
    std::printf("ratio preview / full decode (best): %.2f   (goal <= 0.3)\n", ratio);
    if (shownWidth <= 0 || shownWidth > 400) status = 1;
    panel.Hide();
  }

  const long empty = IdleResidentKb(base + "\\empty", {});
  const long current = IdleResidentKb(base + "\\current", {photo});
  std::printf("resident at idle, empty playlist:                 %8ld KB\n", empty);
  std::printf("resident at idle, a 6000x4000 JPEG current:       %8ld KB\n", current);
  if (empty <= 0 || current <= 0) return 1;
  std::printf("ratio current / empty: %.2f   (goal <= 1.2)\n", double(current) / double(empty));
  return status;
}
