#pragma once
// How long a window keeps a message waiting: another thread sends it one
// every few milliseconds and keeps the longest time the answer took.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace bench {

class LatencyProbe {
 public:
  explicit LatencyProbe(HWND target) : target_(target), thread_([this] { Run(); }) {}
  ~LatencyProbe() { Stop(); }
  LatencyProbe(const LatencyProbe&) = delete;
  LatencyProbe& operator=(const LatencyProbe&) = delete;
  // Ends the probing; the longest answer in milliseconds. Called on the
  // window's thread, it answers the last probe while it waits for it.
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

}  // namespace bench
