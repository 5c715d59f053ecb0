// Whatever counts a file system reports, through the real backend and a whole
// refresh: none, the largest, more than 64 bits of bytes, and servers that
// report more free space than they have.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <ostream>

#include "driveinfo/form_model.h"
#include "driveinfo/refresh_drive_info.h"
#include "platform/fuse_file_system.h"
#include "platform/linux/system_queries_linux.h"

namespace vantora::testing {
namespace {

using namespace std::chrono_literals;
using linux_backend::LinuxSystemQueries;

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
const std::string kMaxText = "18,446,744,073,709,551,615 (18,446,744,073,709.55MB)";

struct CountCase {
  const char* name;
  StatfsAnswer answer;
  RefreshEnd end;
  std::string free;   // lbAki(2)
  std::string total;  // lbSou(1)
  std::string used;   // Label4
  friend void PrintTo(const CountCase& c, std::ostream* out) { *out << c.name; }
};

class StatfsCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(StatfsCounts, AreShownAsReported) {
  const CountCase& c = GetParam();
  std::string skipReason;
  auto mounted = FuseFileSystem::mount(c.answer, skipReason);
  if (!mounted) GTEST_SKIP() << skipReason;
  LinuxSystemQueries queries({}, 2s);

  Form1Model form;
  form.Drive1.entries = {{mounted->listText(), mounted->mountPoint()}};
  EXPECT_EQ(RefreshDriveInfo(form, queries), c.end);
  EXPECT_EQ(form.lbSyu(0).caption(), "リモート");
  EXPECT_EQ(form.lbAki(2).caption(), c.free);
  EXPECT_EQ(form.lbSou(1).caption(), c.total);
  EXPECT_EQ(form.Label4.caption(), c.used);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, StatfsCounts,
    ::testing::Values(
        CountCase{"ordinary", {1000, 400, 300, 4096}, RefreshEnd::Normal, "1,228,800 (1.23MB)",
                  "4,096,000 (4.1MB)", "70 %"},
        // An empty medium: 0 of 0 bytes is the failure path, as for an empty drive.
        CountCase{"no_blocks", {0, 0, 0, 4096}, RefreshEnd::Failure, "0 (0.MB)", "0 (0.MB)", "----"},
        CountCase{"largest_count", {kMax, kMax, kMax, 1}, RefreshEnd::Normal, kMaxText, kMaxText, "0 %"},
        // 2^64 bytes and more stay at the largest count instead of wrapping.
        CountCase{"past_64_bits", {std::uint64_t{1} << 62, 0, 0, 4096}, RefreshEnd::Normal, "0 (0.MB)", kMaxText,
                  "100 %"},
        // Shown as reported; the pie then draws no negative wedge.
        CountCase{"free_above_total", {1000, 2000, 1500, 4096}, RefreshEnd::Normal, "6,144,000 (6.14MB)",
                  "4,096,000 (4.1MB)", "-50 %"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
