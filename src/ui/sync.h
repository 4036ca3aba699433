#pragma once
// Worker threads and their hand-off to the GUI thread.
//
// A worker changes windows and the program's data only inside Synchronize:
// the function runs on the GUI thread while the worker waits, and an
// exception thrown there is thrown again in the worker. When the application
// closes, waiting and later hand-offs end with Cancelled, so no worker is left
// waiting for a GUI thread that is gone; the application waits a little for
// its workers to finish before it destroys its windows.
#include <chrono>
#include <cstddef>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

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

// A worker's found items, handed to the GUI thread in groups: a round trip
// for every item would cost more than the work itself. A group goes when it
// holds `most` items or has waited `longest`; only one is on its way at a
// time, so groups arrive in order and never flood the GUI thread. Worker
// thread only; waiting throws what Queued::Wait throws.
template <class T>
class GroupedHandOff {
 public:
  struct Rule {
    size_t most = std::numeric_limits<size_t>::max();
    std::chrono::milliseconds longest{30};
    // Where the wait is counted from: the group's first item, or the last
    // hand-off (the first item after a long gap then goes at once).
    bool fromLastHandOff = false;
    // The groups carry progress besides their items: an empty one goes too.
    bool empty = false;
  };
  // Runs on the worker at each hand-off and returns what the GUI thread runs
  // for that group.
  using MakeJob = std::function<std::function<void()>(std::vector<T>&& group)>;

  GroupedHandOff(Rule rule, MakeJob makeJob) : rule_(rule), makeJob_(std::move(makeJob)) {}

  // Adds an item; hands the group off when it is full or has waited enough.
  void Add(T item) {
    if (group_.empty() && !rule_.fromLastHandOff) since_ = std::chrono::steady_clock::now();
    group_.push_back(std::move(item));
    Tick();
  }
  // Hands the group off when it is full or has waited enough: called between
  // items, so that items found before a long run of others are not held back.
  void Tick() {
    if (group_.size() >= rule_.most || ((rule_.empty || !group_.empty()) && Overdue())) HandOff();
  }
  // Hands off what is waiting, once the group before has arrived.
  void HandOff() {
    inFlight_.Wait();
    if (group_.empty() && !rule_.empty) return;
    std::vector<T> group = std::move(group_);
    group_.clear();
    inFlight_ = Queue(makeJob_(std::move(group)));
    if (rule_.fromLastHandOff) since_ = std::chrono::steady_clock::now();
  }
  // Hands off the rest and waits until the GUI thread has taken it.
  void Finish() {
    HandOff();
    inFlight_.Wait();
  }

 private:
  bool Overdue() const { return std::chrono::steady_clock::now() - since_ >= rule_.longest; }

  Rule rule_;
  MakeJob makeJob_;
  std::vector<T> group_;
  std::chrono::steady_clock::time_point since_ = std::chrono::steady_clock::now();
  Queued inFlight_;  // the group the GUI thread has not yet taken
};

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
