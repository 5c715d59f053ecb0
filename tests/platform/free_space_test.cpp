// statvfs block counts turned into the three byte counts.

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "platform/linux/free_space_linux.h"

namespace vantora::testing {
namespace {

using linux_backend::FreeSpace;
using linux_backend::freeSpaceFromBlocks;

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

struct SpaceCase {
  const char* name;
  std::uint64_t blocks, freeBlocks, availableBlocks, fragmentSize;
  FreeSpace expected;  // freeToCaller, total, totalFree
  friend void PrintTo(const SpaceCase& c, std::ostream* out) { *out << c.name; }
};

class FreeSpaceFromBlocks : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(FreeSpaceFromBlocks, GivesBytesWithoutWrapping) {
  const SpaceCase& c = GetParam();
  EXPECT_EQ(freeSpaceFromBlocks(c.blocks, c.freeBlocks, c.availableBlocks, c.fragmentSize), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, FreeSpaceFromBlocks,
    ::testing::Values(
        SpaceCase{"ordinary_disk", 1000, 300, 250, 4096, {250 * 4096, 1000 * 4096, 300 * 4096}},
        SpaceCase{"empty_medium", 0, 0, 0, 4096, {0, 0, 0}},
        SpaceCase{"no_fragment_size", 1000, 300, 250, 0, {0, 0, 0}},
        SpaceCase{"largest_count", kMax, kMax, kMax, 1, {kMax, kMax, kMax}},
        // 2^52 blocks of 4 KiB is 2^64 bytes: one past what the count holds.
        SpaceCase{"product_past_64_bits", std::uint64_t{1} << 52, 1, 1, 4096, {4096, kMax, 4096}},
        SpaceCase{"free_past_64_bits", kMax, kMax / 2, kMax / 3, 4096, {kMax, kMax, kMax}},
        // Servers that report more free space than they have are passed on as reported.
        SpaceCase{"available_above_total", 100, 50, 150, 512, {150 * 512, 100 * 512, 50 * 512}},
        SpaceCase{"free_above_total", 100, 180, 150, 512, {150 * 512, 100 * 512, 180 * 512}},
        SpaceCase{"available_above_free", 100, 20, 30, 512, {30 * 512, 100 * 512, 20 * 512}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
