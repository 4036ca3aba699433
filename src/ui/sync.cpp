#include "ui/sync.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "ui/application.h"
#include "ui/error.h"

namespace ui {

namespace detail {
struct Request {
  std::function<void()> f;
  std::exception_ptr error;
  bool done = false;
  bool cancelled = false;
};
}  // namespace detail

namespace {
using detail::Request;

struct HubState {
  std::mutex m;
  std::condition_variable cv;
  Application* app = nullptr;  // null while no application takes hand-offs
  std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
  int workers = 0;
};

HubState& Hub() {
  static HubState* hub = new HubState;  // lives to the very end of the process
  return *hub;
}

thread_local std::shared_ptr<std::atomic<bool>> tlsStop;

}  // namespace

namespace detail {

void OpenHub(Application* app) {
  std::lock_guard lock(Hub().m);
  Hub().app = app;
  Hub().stop = std::make_shared<std::atomic<bool>>(false);
}

void CloseHub(int ms) {
  HubState& hub = Hub();
  std::unique_lock lock(hub.m);
  hub.app = nullptr;
  hub.stop->store(true);
  hub.cv.notify_all();
  hub.cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return hub.workers == 0; });
}

}  // namespace detail

void Synchronize(const std::function<void()>& f) { Queue(f).Wait(); }

Queued Queue(std::function<void()> f) {
  Queued ticket;
  auto req = std::make_shared<Request>();
  ticket.request_ = req;
  Application* app = Application::Current();
  if (app && GetCurrentThreadId() == app->GuiThreadId()) {
    try {
      f();
    } catch (...) {
      req->error = std::current_exception();
    }
    req->done = true;
    return ticket;
  }
  req->f = std::move(f);
  HubState& hub = Hub();
  std::lock_guard lock(hub.m);
  if (!hub.app) throw Cancelled();
  Application* servedBy = hub.app;
  ticket.servedBy_ = servedBy;
  hub.app->Post([req, servedBy, &hub] {
    std::exception_ptr error;
    bool run = false;
    {
      // Not once the application has begun to close, nor when the worker
      // has stopped waiting for it.
      std::lock_guard l(hub.m);
      run = !req->cancelled && hub.app == servedBy;
    }
    if (run) {
      try {
        req->f();
      } catch (...) {
        error = std::current_exception();
      }
    }
    std::lock_guard l(hub.m);
    req->f = nullptr;
    req->error = error;
    req->done = true;
    hub.cv.notify_all();
  });
  return ticket;
}

void Queued::Wait() {
  if (!request_) return;
  std::shared_ptr<Request> req = std::move(request_);
  HubState& hub = Hub();
  std::unique_lock lock(hub.m);
  if (!req->done) hub.cv.wait(lock, [&] { return req->done || hub.app != servedBy_; });
  if (!req->done) {
    req->cancelled = true;
    throw Cancelled();
  }
  if (req->error) std::rethrow_exception(req->error);
}

void StartWorker(std::function<void()> body) {
  HubState& hub = Hub();
  std::shared_ptr<std::atomic<bool>> stop;
  {
    std::lock_guard lock(hub.m);
    ++hub.workers;
    stop = hub.stop;
  }
  std::thread([body = std::move(body), stop]() mutable {
    tlsStop = stop;
    try {
      body();
    } catch (const Cancelled&) {
    } catch (...) {
      // Show it on the GUI thread when there still is one.
      std::exception_ptr e = std::current_exception();
      try {
        Synchronize([e] {
          try {
            std::rethrow_exception(e);
          } catch (...) {
            ShowCurrentException();
          }
        });
      } catch (...) {
      }
    }
    body = nullptr;
    HubState& h = Hub();
    std::lock_guard lock(h.m);
    --h.workers;
    h.cv.notify_all();
  }).detach();
}

bool StopRequested() { return tlsStop && tlsStop->load(); }

int RunningWorkers() {
  std::lock_guard lock(Hub().m);
  return Hub().workers;
}

}  // namespace ui
