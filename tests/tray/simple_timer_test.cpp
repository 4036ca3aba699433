// The light timer and its shared window: start and stop rules, the interval
// and handler setters, and the dispatch of WM_TIMER by the timer's address.
#include <windows.h>

#include <memory>

#include "gui_test.h"
#include "tray/simple_timer.h"

namespace {

using namespace std::chrono_literals;
using wc::TSimpleTimer;
using wc::TSimpleTimerHandler;

class SimpleTimerTest : public wc::test::GuiTest {};

TEST_F(SimpleTimerTest, StartsOnlyWithAnIntervalAndTicksWithItselfAsSender) {
  TSimpleTimer plain;
  EXPECT_EQ(plain.IntervalMs(), 1000u);
  EXPECT_FALSE(plain.Running());
  EXPECT_FALSE(plain.TickHandler());

  int ticks = 0;
  TSimpleTimer* sender = nullptr;
  TSimpleTimer timer(0, [&](TSimpleTimer& s) {
    sender = &s;
    ++ticks;
  });
  EXPECT_FALSE(timer.Start());
  EXPECT_FALSE(timer.Running());
  timer.SetRunning(true);
  EXPECT_FALSE(timer.Running());

  timer.SetIntervalMs(15);
  EXPECT_FALSE(timer.Running());  // a new interval does not start a stopped timer
  EXPECT_TRUE(timer.Start());
  EXPECT_TRUE(timer.Running());
  EXPECT_TRUE(timer.Start());  // again: restarts, still running
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_EQ(sender, &timer);

  timer.SetRunning(false);
  EXPECT_FALSE(timer.Running());
  int before = ticks;
  PumpFor(80ms);
  EXPECT_EQ(ticks, before);
}

TEST_F(SimpleTimerTest, ZeroIntervalPausesARunningTimerUntilANewOne) {
  int ticks = 0;
  TSimpleTimer timer(15, [&](TSimpleTimer&) { ++ticks; });
  ASSERT_TRUE(timer.Start());
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }));

  timer.SetIntervalMs(0);
  EXPECT_TRUE(timer.Running());  // still meant to run
  int before = ticks;
  PumpFor(80ms);
  EXPECT_EQ(ticks, before);

  timer.SetIntervalMs(15);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= before + 2; }));

  // The same value again changes nothing, a stop still stops.
  timer.SetIntervalMs(15);
  EXPECT_TRUE(timer.Running());
  timer.Stop(false);
  EXPECT_TRUE(timer.Running());
  before = ticks;
  PumpFor(80ms);
  EXPECT_EQ(ticks, before);
}

TEST_F(SimpleTimerTest, AnEmptyHandlerPausesARunningTimer) {
  int ticks = 0;
  TSimpleTimer timer(15, [&](TSimpleTimer&) { ++ticks; });
  ASSERT_TRUE(timer.Start());
  timer.SetTickHandler({});
  EXPECT_TRUE(timer.Running());
  timer.SetTickHandler([&](TSimpleTimer&) { ticks += 10; });
  PumpFor(80ms);
  EXPECT_EQ(ticks, 0);  // a new handler alone does not start the system timer again
  timer.SetIntervalMs(20);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 10; }));
}

TEST_F(SimpleTimerTest, OneSharedWindowFindsTheTimerFromTheMessageId) {
  int ticksA = 0, ticksB = 0;
  auto a = std::make_unique<TSimpleTimer>(1000, [&](TSimpleTimer&) { ++ticksA; });
  TSimpleTimerHandler* shared = TSimpleTimerHandler::Instance();
  ASSERT_NE(shared, nullptr);
  const int count = shared->TimerCount();
  ASSERT_EQ(count, 1);
  {
    TSimpleTimer b(1000, [&](TSimpleTimer&) { ++ticksB; });
    EXPECT_EQ(TSimpleTimerHandler::Instance(), shared);
    EXPECT_EQ(shared->TimerCount(), count + 1);
    EXPECT_EQ(b.Identity(), reinterpret_cast<UINT_PTR>(&b));

    SendMessageA(shared->Handle(), WM_TIMER, b.Identity(), 0);
    EXPECT_EQ(ticksB, 1);
    EXPECT_EQ(ticksA, 0);
    // An id of no live timer is dropped.
    SendMessageA(shared->Handle(), WM_TIMER, b.Identity() + 8, 0);
    SendMessageA(shared->Handle(), WM_TIMER, 0, 0);
    EXPECT_EQ(ticksA + ticksB, 1);
  }
  EXPECT_EQ(shared->TimerCount(), count);
  a.reset();
  EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);  // the last timer took the window along
}

TEST_F(SimpleTimerTest, ATickMayFreeItsOwnTimerEvenTheLastOne) {
  ASSERT_EQ(TSimpleTimerHandler::Instance(), nullptr);
  std::unique_ptr<TSimpleTimer> timer;
  int ticks = 0;
  timer = std::make_unique<TSimpleTimer>(10, [&](TSimpleTimer&) {
    ++ticks;
    timer.reset();
  });
  ASSERT_TRUE(timer->Start());
  EXPECT_TRUE(PumpUntil([&] { return ticks == 1; }));
  PumpFor(50ms);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
}

}  // namespace
