// The deadline on work that touches a mounted file system.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <future>
#include <ostream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/linux/bounded_call_linux.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;
using namespace std::chrono_literals;

// Allocations on this thread fail once this many more have succeeded;
// negative: never. Other threads are not affected.
thread_local int allocationsBeforeFailure = -1;

// Long enough for a call's thread to start on a loaded machine under a
// sanitizer: work that is to be stuck when its deadline passes has started by then.
constexpr auto kStartsWithin = 1s;

// A deadline this far from now.
BoundedClock::time_point in(std::chrono::milliseconds wait) { return BoundedClock::now() + wait; }

TEST(BoundedCall, FinishedWorkGivesItsOutcome) {
  BoundedCalls calls;
  EXPECT_EQ(calls.run("/mnt/fast", in(5s), [] { return Outcome<int>{42}; }).value, 42);
  const auto failed = calls.run("/mnt/fails", in(5s), [] { return Outcome<int>{std::nullopt, 1117}; });
  EXPECT_FALSE(failed.value);
  EXPECT_EQ(failed.error, 1117u);
  const auto threw = calls.run("/mnt/throws", in(5s), []() -> Outcome<int> { throw std::runtime_error("x"); });
  EXPECT_FALSE(threw.value);
  EXPECT_EQ(threw.error, winerror::kErrorGenFailure);
}

// Work that blocks, as a system call in a hung mount does, until the test
// releases it; it counts its starts.
struct StuckWork {
  std::shared_future<void> released;
  std::shared_ptr<std::atomic<int>> started = std::make_shared<std::atomic<int>>(0);
  Outcome<int> operator()() const {
    ++*started;
    released.wait();
    return Outcome<int>{1};
  }
};

TEST(BoundedCall, StuckWorkTimesOutAndBlocksOnlyItsOwnKey) {
  std::promise<void> release;
  const StuckWork stuck{release.get_future().share()};
  BoundedCalls calls;

  const auto begin = BoundedClock::now();
  const auto first = calls.run("/mnt/hung", in(kStartsWithin), stuck);
  EXPECT_GE(BoundedClock::now() - begin, kStartsWithin);
  EXPECT_FALSE(first.value);
  EXPECT_EQ(first.error, winerror::kErrorSemTimeout);

  // While the first call is stuck, the same mount is refused at once
  // instead of costing another thread.
  EXPECT_EQ(calls.run("/mnt/hung", in(5s), stuck).error, winerror::kErrorSemTimeout);
  EXPECT_EQ(stuck.started->load(), 1);

  // Another mount is not affected.
  EXPECT_EQ(calls.run("/mnt/other", in(5s), [] { return Outcome<int>{7}; }).value, 7);

  // Once the stuck call returns, the mount may be asked again.
  release.set_value();
  Outcome<int> again;
  for (int attempt = 0; attempt < 500 && !again.value; ++attempt) {
    again = calls.run("/mnt/hung", in(5s), [] { return Outcome<int>{2}; });
    if (!again.value) std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(again.value, 2);
}

// Refreshes run on one thread, but the promise of one thread per stuck mount
// must not depend on that.
TEST(BoundedCall, CallersRacingOnOneKeyStartOneThread) {
  std::promise<void> release;
  const StuckWork stuck{release.get_future().share()};
  std::vector<std::thread> callers;
  std::atomic<int> timedOut = 0;
  for (int i = 0; i < 8; ++i) {
    callers.emplace_back([&] {
      BoundedCalls calls;  // one per thread: the stuck key is shared by all
      if (calls.run("/mnt/race", in(kStartsWithin), stuck).error == winerror::kErrorSemTimeout) ++timedOut;
    });
  }
  for (std::thread& caller : callers) caller.join();
  EXPECT_EQ(stuck.started->load(), 1);
  EXPECT_EQ(timedOut.load(), 8);
  release.set_value();
}

TEST(BoundedCall, DeadlineAlreadyPassedStartsNothing) {
  BoundedCalls calls;
  auto started = std::make_shared<std::atomic<int>>(0);
  const auto outcome = calls.run("/mnt/late", BoundedClock::now() - 1ms, [started] {
    ++*started;
    return Outcome<int>{1};
  });
  EXPECT_EQ(outcome.error, winerror::kErrorSemTimeout);
  EXPECT_EQ(started->load(), 0);
}

// A deadline shorter than any thread takes to start: the work is handed over
// and the deadline passes before it starts. It must then never run, not even
// once the caller has had its answer (the statvfs would go on without anyone
// waiting for it).
TEST(BoundedCall, WorkTheDeadlineOvertookNeverStarts) {
  BoundedCalls calls;
  auto started = std::make_shared<std::atomic<int>>(0);
  for (int call = 0; call < 50; ++call) {
    const auto outcome = calls.run("/mnt/slow-start", BoundedClock::now() + 1us, [started] {
      ++*started;
      return Outcome<int>{1};
    });
    EXPECT_EQ(outcome.error, winerror::kErrorSemTimeout);
  }
  // Time for any work handed over to start late; none may.
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(started->load(), 0);
}

// Memory running out at any allocation of a call leaves the mount free to be
// asked again: the call throws or fails, but never keeps the mount's key.
TEST(BoundedCall, RunningOutOfMemoryNeverKeepsTheMountTaken) {
  BoundedCalls calls;
  const std::string key = "/media/a mount point too long to be stored in place";
  bool swept = false;
  for (int allocations = 0; !swept; ++allocations) {
    allocationsBeforeFailure = allocations;
    try {
      calls.run(key, in(5s), [] { return Outcome<int>{1}; });
    } catch (const std::bad_alloc&) {
    }
    swept = allocationsBeforeFailure >= 0;  // the call needed no more allocations than this
    allocationsBeforeFailure = -1;
    ASSERT_EQ(calls.run(key, in(5s), [] { return Outcome<int>{2}; }).value, 2)
        << "the mount stayed taken after allocation " << allocations << " failed";
  }
}

// Tells when the thread that ran some work has ended: a thread's own objects
// go as it ends. Counting the process's threads instead would also count
// threads of other cases that are still ending.
thread_local std::shared_ptr<std::promise<void>> threadEnded;
struct EndSignal {
  ~EndSignal() {
    if (threadEnded) threadEnded->set_value();
  }
};
thread_local EndSignal endSignal;

std::future<void> signalWhenThisThreadEnds() {
  threadEnded = std::make_shared<std::promise<void>>();
  [[maybe_unused]] const EndSignal& installed = endSignal;
  return threadEnded->get_future();
}

Outcome<std::thread::id> whereItRan() { return {std::this_thread::get_id()}; }

// Only a stuck mount may keep a thread: a call answered in time has ended
// its thread when it returns.
TEST(BoundedCallThreads, AnsweredCallLeavesNoThreadBehind) {
  auto ended = std::make_shared<std::future<void>>();
  BoundedCalls calls;
  const auto answer = calls.run("/", in(5s), [ended] {
    *ended = signalWhenThisThreadEnds();
    return whereItRan();
  });
  ASSERT_TRUE(answer.value);
  EXPECT_NE(*answer.value, std::this_thread::get_id());
  EXPECT_EQ(ended->wait_for(0s), std::future_status::ready) << "the call's thread outlived its answer";
}

TEST(BoundedCallThreads, StuckMountTiesUpOneThreadThatEndsOnceReleased) {
  std::promise<void> release;
  const StuckWork stuck{release.get_future().share()};
  auto ended = std::make_shared<std::future<void>>();
  auto handedOver = std::make_shared<std::promise<void>>();
  const auto stuckAndSignalling = [stuck, ended, handedOver] {
    *ended = signalWhenThisThreadEnds();
    handedOver->set_value();
    return stuck();
  };
  BoundedCalls calls;
  EXPECT_EQ(calls.run("/mnt/dead", in(kStartsWithin), stuckAndSignalling).error, winerror::kErrorSemTimeout);
  for (int refresh = 0; refresh < 5; ++refresh) {
    EXPECT_EQ(calls.run("/mnt/dead", in(20ms), stuck).error, winerror::kErrorSemTimeout);
  }
  // Other mounts are served meanwhile.
  EXPECT_EQ(calls.run("/mnt/alive", in(5s), [] { return Outcome<int>{3}; }).value, 3);
  EXPECT_EQ(stuck.started->load(), 1);
  ASSERT_EQ(handedOver->get_future().wait_for(30s), std::future_status::ready) << "the stuck work never started";
  EXPECT_EQ(ended->wait_for(0s), std::future_status::timeout);
  release.set_value();
  // A generous bound, not a timing: the thread only has to return and end.
  EXPECT_EQ(ended->wait_for(30s), std::future_status::ready) << "the released thread has not ended";
}

struct DeadlineCase {
  const char* name;
  const char* text;  // the variable's value; null when unset
  std::chrono::milliseconds expected;
  friend void PrintTo(const DeadlineCase& c, std::ostream* out) { *out << c.name; }
};

class QueryDeadline : public ::testing::TestWithParam<DeadlineCase> {};

TEST_P(QueryDeadline, ComesFromTheVariableWhenItIsSane) {
  EXPECT_EQ(mountQueryDeadlineFrom(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, QueryDeadline,
    ::testing::Values(DeadlineCase{"unset", nullptr, 5000ms}, DeadlineCase{"empty", "", 5000ms},
                      DeadlineCase{"one_second", "1000", 1000ms}, DeadlineCase{"shortest", "1", 1ms},
                      DeadlineCase{"longest", "600000", 600000ms}, DeadlineCase{"too_long", "600001", 5000ms},
                      DeadlineCase{"zero", "0", 5000ms}, DeadlineCase{"negative", "-5", 5000ms},
                      DeadlineCase{"unit_suffix", "250ms", 5000ms}, DeadlineCase{"leading_space", " 250", 5000ms},
                      DeadlineCase{"not_a_number", "soon", 5000ms},
                      DeadlineCase{"overflowing", "99999999999999999999999", 5000ms}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing

// Every allocation of this test program goes through here, so a test can make
// one fail on its own thread.
void* operator new(std::size_t size) {
  if (vantora::testing::allocationsBeforeFailure == 0) {
    vantora::testing::allocationsBeforeFailure = -1;
    throw std::bad_alloc();
  }
  if (vantora::testing::allocationsBeforeFailure > 0) --vantora::testing::allocationsBeforeFailure;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
