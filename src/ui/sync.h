#pragma once
// Worker threads and their hand-off to the GUI thread.
//
// A worker changes windows and the program's data only inside Synchronize:
// the function runs on the GUI thread while the worker waits, and an
// exception thrown there is thrown again in the worker. When the application
// closes, waiting and later hand-offs end with Cancelled, so no worker is left
// waiting for a GUI thread that is gone; the application waits a little for
// its workers to finish before it destroys its windows.
#include <exception>
#include <functional>
#include <memory>

namespace ui {

class Application;
namespace detail {
struct Request;
}

class Cancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "The program is closing"; }
};

// Runs `f` on the GUI thread and waits for it. On the GUI thread itself `f`
// runs at once. Throws Cancelled when the application is closing.
void Synchronize(const std::function<void()>& f);

// A hand-off that the worker waits for later, so that it can go on with its
// own work meanwhile. Hand-offs run on the GUI thread in the order they were
// queued; one that is still queued when the application closes never runs.
class Queued {
 public:
  Queued() = default;  // nothing to wait for
  // Waits until the function has run and throws again what it threw; throws
  // Cancelled when the application closed first. Waiting again returns at
  // once.
  void Wait();

 private:
  friend Queued Queue(std::function<void()> f);
  std::shared_ptr<detail::Request> request_;
  Application* servedBy_ = nullptr;
};

// Queues `f` for the GUI thread and returns at once (on the GUI thread itself
// `f` runs at once). Throws Cancelled when the application is closing.
Queued Queue(std::function<void()> f);

// Starts a thread that frees itself when `body` returns. Exceptions that
// escape `body` (other than Cancelled) are shown by the error handler.
void StartWorker(std::function<void()> body);

// True in a worker once the application has begun to close.
bool StopRequested();

// Number of workers still running (for the application's shutdown and tests).
int RunningWorkers();

namespace detail {
void OpenHub(Application* app);
// Cancels hand-offs and waits up to `ms` for the workers to end.
void CloseHub(int ms);
}  // namespace detail

}  // namespace ui
