// The hand-off from worker threads to the GUI thread.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "gui_test.h"
#include "ui/error.h"
#include "ui/sync.h"

namespace {

using wc::test::GuiTest;

class SyncTest : public GuiTest {};

TEST_F(SyncTest, WorkRunsOnTheGuiThreadWhileTheWorkerWaits) {
  std::atomic<DWORD> ranOn{0};
  std::atomic<bool> finished{false};
  std::atomic<bool> waitedForIt{false};
  ui::StartWorker([&] {
    bool done = false;
    ui::Synchronize([&] {
      ranOn = GetCurrentThreadId();
      done = true;
    });
    waitedForIt = done;  // the hand-off was complete before Synchronize returned
    finished = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
  EXPECT_EQ(ranOn.load(), GetCurrentThreadId());
  EXPECT_TRUE(waitedForIt);
  EXPECT_TRUE(PumpUntil([] { return ui::RunningWorkers() == 0; }));
}

TEST_F(SyncTest, AnExceptionOnTheGuiSideComesBackToTheWorker) {
  std::atomic<bool> finished{false};
  std::string caught;
  ui::StartWorker([&] {
    try {
      ui::Synchronize([] { throw ui::Error("no disk"); });
    } catch (const ui::Error& e) {
      caught = e.what();
    }
    finished = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
  EXPECT_EQ(caught, "no disk");
  EXPECT_TRUE(prompts.messages.empty());  // the worker handled it, nobody else
}

TEST_F(SyncTest, AnExceptionThatLeavesAWorkerIsShown) {
  ui::StartWorker([] { throw ui::Error("worker failed"); });
  EXPECT_TRUE(PumpUntil([&] { return !prompts.messages.empty(); }));
  EXPECT_EQ(prompts.messages.at(0).text, "worker failed");
}

TEST_F(SyncTest, OnTheGuiThreadItRunsAtOnce) {
  bool ran = false;
  ui::Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST_F(SyncTest, QueuedWorkRunsInOrderWhileTheWorkerGoesOnAndWaitBringsBackItsError) {
  std::vector<int> order;  // touched on the GUI thread only
  std::atomic<bool> workerWentOn{false};
  std::atomic<bool> finished{false};
  std::string caught;
  ui::StartWorker([&] {
    std::atomic<bool> firstRan{false};
    ui::Queued first = ui::Queue([&] {
      // Held until the worker has shown it does not wait for this.
      for (int i = 0; i < 5000 && !workerWentOn; ++i) Sleep(1);
      order.push_back(1);
      firstRan = true;
    });
    workerWentOn = !firstRan;
    ui::Queued second = ui::Queue([&] {
      order.push_back(2);
      throw ui::Error("disk full");
    });
    first.Wait();
    try {
      second.Wait();
    } catch (const ui::Error& e) {
      caught = e.what();
    }
    second.Wait();  // a second wait has nothing left to wait for
    finished = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
  EXPECT_TRUE(workerWentOn);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(caught, "disk full");
  EXPECT_TRUE(prompts.messages.empty());
}

// Groups go when full, in order, each only once the one before has been
// taken; a group that is not full waits for its time or the end.
TEST_F(SyncTest, AGroupedHandOffSendsFullGroupsInOrderOneAtATime) {
  using HandOff = ui::GroupedHandOff<int>;
  std::vector<std::vector<int>> groups;  // GUI thread only
  std::atomic<int> onTheirWay{0};
  std::atomic<int> mostOnTheirWay{0};
  std::atomic<bool> finished{false};
  ui::StartWorker([&] {
    HandOff handOff({.most = 4, .longest = std::chrono::hours(1)}, [&](std::vector<int>&& group) {
      mostOnTheirWay = std::max(mostOnTheirWay.load(), ++onTheirWay);
      return [&, group = std::move(group)] {
        groups.push_back(group);
        --onTheirWay;
      };
    });
    for (int i = 0; i < 10; ++i) handOff.Add(i);
    handOff.Finish();
    finished = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
  EXPECT_EQ(groups, (std::vector<std::vector<int>>{{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9}}));
  EXPECT_EQ(mostOnTheirWay.load(), 1);
}

// A group that has waited its time goes at the next item or tick; groups
// that carry progress go even empty.
TEST_F(SyncTest, AGroupedHandOffSendsAGroupThatHasWaitedLongEnough) {
  std::vector<size_t> sizes;  // GUI thread only
  std::atomic<bool> finished{false};
  ui::StartWorker([&] {
    auto makeJob = [&](std::vector<int>&& group) { return [&, n = group.size()] { sizes.push_back(n); }; };
    ui::GroupedHandOff<int> items({.longest = std::chrono::milliseconds(1)}, makeJob);
    items.Tick();  // nothing waiting: nothing goes
    items.Add(7);
    auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(2)) {
    }
    items.Tick();
    items.Finish();  // nothing left: nothing more goes
    ui::GroupedHandOff<int> progress({.longest = std::chrono::hours(1), .empty = true}, makeJob);
    progress.Finish();
    finished = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));
  EXPECT_EQ(sizes, (std::vector<size_t>{1, 0}));
}

TEST(SyncShutdown, WorkStillQueuedWhenTheApplicationClosesNeverRuns) {
  std::atomic<bool> ran{false};
  std::atomic<bool> queued{false};
  std::atomic<bool> cancelled{false};
  {
    ui::Application app;
    ui::StartWorker([&] {
      ui::Queued q = ui::Queue([&] { ran = true; });
      queued = true;
      try {
        q.Wait();
      } catch (const ui::Cancelled&) {
        cancelled = true;
      }
    });
    while (!queued) Sleep(1);
    // The application closes without having served its messages.
  }
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(ran);
  EXPECT_EQ(ui::RunningWorkers(), 0);
}

// Closing the program while a worker waits for a hand-off must neither hang
// nor leave the worker waiting.
TEST(SyncShutdown, ClosingTheApplicationReleasesWaitingWorkers) {
  std::atomic<int> handoffs{0};
  std::atomic<bool> cancelled{false};
  std::atomic<bool> sawStop{false};
  {
    ui::Application app;
    ui::StartWorker([&] {
      try {
        for (;;) {
          ui::Synchronize([&] { ++handoffs; });
        }
      } catch (const ui::Cancelled&) {
        cancelled = true;
      }
      sawStop = ui::StopRequested();
    });
    // Serve a few hand-offs, then close with the worker waiting.
    while (handoffs < 3) {
      app.ProcessMessages();
      Sleep(1);
    }
  }
  EXPECT_TRUE(cancelled);
  EXPECT_TRUE(sawStop);
  EXPECT_EQ(ui::RunningWorkers(), 0);
  EXPECT_THROW(ui::Synchronize([] {}), ui::Cancelled);  // no application: nothing runs
}

}  // namespace
