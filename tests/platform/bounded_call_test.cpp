// The deadline on work that touches a mounted file system.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
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

TEST(BoundedCall, WorkThatFinishesGivesItsValue) {
  BoundedCalls calls;
  const auto outcome = calls.run("/mnt/fast", 5s, [] { return Outcome<int>{42}; });
  EXPECT_EQ(outcome.value, 42);
  EXPECT_EQ(outcome.error, 0u);
}

TEST(BoundedCall, WorkErrorIsPassedOn) {
  BoundedCalls calls;
  const auto outcome = calls.run("/mnt/fails", 5s, [] { return Outcome<int>{std::nullopt, 1117}; });
  EXPECT_FALSE(outcome.value);
  EXPECT_EQ(outcome.error, 1117u);
}

TEST(BoundedCall, ThrowingWorkIsAGeneralFailure) {
  BoundedCalls calls;
  const auto outcome = calls.run("/mnt/throws", 5s, []() -> Outcome<int> { throw std::runtime_error("x"); });
  EXPECT_FALSE(outcome.value);
  EXPECT_EQ(outcome.error, winerror::ERROR_GEN_FAILURE);
}

// A hung mount: the work blocks until the test releases it.
TEST(BoundedCall, StuckWorkTimesOutAndBlocksOnlyItsOwnKey) {
  BoundedCalls calls;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto started = std::make_shared<std::atomic<int>>(0);
  const auto stuckWork = [released, started] {
    ++*started;
    released.wait();
    return Outcome<int>{1};
  };

  const auto begin = std::chrono::steady_clock::now();
  const auto first = calls.run("/mnt/hung", 50ms, stuckWork);
  EXPECT_GE(std::chrono::steady_clock::now() - begin, 50ms);
  EXPECT_FALSE(first.value);
  EXPECT_EQ(first.error, winerror::ERROR_SEM_TIMEOUT);

  // While the first worker is stuck, the same mount is refused at once
  // instead of costing another thread.
  const auto second = calls.run("/mnt/hung", 5s, stuckWork);
  EXPECT_EQ(second.error, winerror::ERROR_SEM_TIMEOUT);
  EXPECT_EQ(started->load(), 1);

  // Another mount is not affected.
  EXPECT_EQ(calls.run("/mnt/other", 5s, [] { return Outcome<int>{7}; }).value, 7);

  // Once the stuck call returns, the mount may be asked again.
  release.set_value();
  Outcome<int> again;
  for (int attempt = 0; attempt < 500 && !again.value; ++attempt) {
    again = calls.run("/mnt/hung", 5s, [] { return Outcome<int>{2}; });
    if (!again.value) std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(again.value, 2);
}

// Refreshes run on one thread, but the promise of one worker per stuck mount
// must not depend on that.
TEST(BoundedCall, CallersRacingOnOneKeyStartOneWorker) {
  BoundedCalls calls;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto started = std::make_shared<std::atomic<int>>(0);
  const auto stuckWork = [released, started] {
    ++*started;
    released.wait();
    return Outcome<int>{1};
  };
  std::vector<std::thread> callers;
  std::atomic<int> timedOut = 0;
  for (int i = 0; i < 8; ++i) {
    callers.emplace_back([&] {
      if (calls.run("/mnt/race", 100ms, stuckWork).error == winerror::ERROR_SEM_TIMEOUT) ++timedOut;
    });
  }
  for (std::thread& caller : callers) caller.join();
  EXPECT_EQ(started->load(), 1);
  EXPECT_EQ(timedOut.load(), 8);
  release.set_value();
}

long threadsOfThisProcess() {
  const std::filesystem::directory_iterator tasks("/proc/self/task");
  return std::distance(std::filesystem::begin(tasks), std::filesystem::end(tasks));
}

// Waits up to a second for the process to have this many threads: a worker
// hands its answer back a moment before it ends.
long settledThreadCount(long expected) {
  long threads = threadsOfThisProcess();
  for (int wait = 0; wait < 100 && threads != expected; ++wait) {
    std::this_thread::sleep_for(10ms);
    threads = threadsOfThisProcess();
  }
  return threads;
}

Outcome<std::thread::id> whereItRan() { return {std::this_thread::get_id()}; }

TEST(BoundedCallWorkers, ConsecutiveCallsShareOneWorkerThatEndsWithTheCalls) {
  const long threadsBefore = threadsOfThisProcess();
  {
    BoundedCalls calls;
    const auto first = calls.run("/mnt/a", 5s, whereItRan);
    ASSERT_TRUE(first.value);
    EXPECT_NE(*first.value, std::this_thread::get_id());
    for (const char* key : {"/mnt/a", "/mnt/b", "/", "/mnt/a"}) {
      EXPECT_EQ(calls.run(key, 5s, whereItRan).value, first.value) << key;
    }
    EXPECT_EQ(threadsOfThisProcess(), threadsBefore + 1);
  }
  EXPECT_EQ(threadsOfThisProcess(), threadsBefore) << "the idle worker outlived its calls";
}

TEST(BoundedCallWorkers, StuckWorkerIsReplacedAndEndsOnceReleased) {
  const long threadsBefore = threadsOfThisProcess();
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  auto stuckOn = std::make_shared<std::promise<std::thread::id>>();
  {
    BoundedCalls calls;
    const auto idle = calls.run("/mnt/ok", 5s, whereItRan);
    ASSERT_TRUE(idle.value);
    const auto stuck = calls.run("/mnt/hung", 50ms, [released, stuckOn] {
      stuckOn->set_value(std::this_thread::get_id());
      released.wait();
      return Outcome<int>{1};
    });
    EXPECT_EQ(stuck.error, winerror::ERROR_SEM_TIMEOUT);
    // The worker that served the first call got stuck in the second.
    EXPECT_EQ(stuckOn->get_future().get(), *idle.value);

    const auto fresh = calls.run("/mnt/ok", 5s, whereItRan);
    ASSERT_TRUE(fresh.value);
    EXPECT_NE(*fresh.value, *idle.value);
    EXPECT_EQ(calls.run("/mnt/other", 5s, whereItRan).value, fresh.value);
    EXPECT_EQ(threadsOfThisProcess(), threadsBefore + 2);
  }
  // Going away does not wait for the stuck worker, which is left running.
  EXPECT_EQ(threadsOfThisProcess(), threadsBefore + 1);
  release.set_value();
  EXPECT_EQ(settledThreadCount(threadsBefore), threadsBefore) << "the released worker has not ended";
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
