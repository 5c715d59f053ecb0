// bench_refresh: RefreshDriveInfo through the real Linux backend on /, on a
// tmpfs and on a labelled ext4 loop image, each beside the same system calls
// made directly (refresh_floor.h), the refresh of / against its 2 ms bar; and the drive list built from made-up
// mount tables of 10, 1,000 and 10,000 mounts, per entry, against reading
// and splitting the same table. Rounds of every benchmark are interleaved in
// random order and the table shows medians.
//   bench_refresh [--rows-only] [Google Benchmark flags]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench_table.h"
#include "driveinfo/form_model.h"
#include "driveinfo/refresh_drive_info.h"
#include "mount_table_fixture.h"
#include "platform/linux/drive_list_linux.h"
#include "platform/linux/system_queries_linux.h"
#include "refresh_floor.h"
#include "scratch_mounts.h"

namespace {

using namespace vantora;
using namespace vantora::bench;

constexpr const char* kRepetitions = "--benchmark_repetitions=15";
constexpr const char* kInterleaving = "--benchmark_enable_random_interleaving=true";
constexpr const char* kMinTime = "--benchmark_min_time=0.05";
constexpr std::size_t kTableSizes[] = {10, 1'000, 10'000};

// Seconds per iteration of every repetition, by benchmark name.
class CollectingReporter : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      if (run.error_occurred) {
        errors_[run.run_name.function_name] = run.error_message;
      } else if (run.iterations > 0) {
        seconds_[run.run_name.function_name].push_back(run.real_accumulated_time /
                                                       static_cast<double>(run.iterations));
      }
    }
  }

  // Null for a benchmark that did not run or stopped with an error.
  std::optional<double> medianSeconds(const std::string& name) const {
    const auto found = seconds_.find(name);
    if (found == seconds_.end() || found->second.empty()) return std::nullopt;
    return median(found->second);
  }
  std::string error(const std::string& name) const {
    const auto found = errors_.find(name);
    return found == errors_.end() ? std::string() : found->second;
  }

 private:
  std::map<std::string, std::vector<double>> seconds_;
  std::map<std::string, std::string> errors_;
};

std::optional<double> scaled(std::optional<double> value, double factor) {
  if (!value) return std::nullopt;
  return *value * factor;
}

Form1Model formShowing(const std::string& rootPath) {
  Form1Model form;
  form.Drive1.replaceEntries({{rootPath, rootPath}}, 0);
  return form;
}

void registerRefresh(const std::string& label, const std::string& mountPoint) {
  benchmark::RegisterBenchmark(("refresh " + label).c_str(), [mountPoint](benchmark::State& state) {
    linux_backend::LinuxSystemQueries system;
    Form1Model form = formShowing(mountPoint);
    for (auto _ : state) {
      if (RefreshDriveInfo(form, system) != RefreshEnd::Normal) {
        state.SkipWithError("the refresh took its failure path");
        break;
      }
    }
  });
  benchmark::RegisterBenchmark(("floor " + label).c_str(), [mountPoint](benchmark::State& state) {
    for (auto _ : state) {
      if (!makeRefreshSystemCalls(mountPoint)) {
        state.SkipWithError("not in the mount table");
        break;
      }
    }
  });
}

void registerDriveList(std::size_t entries, const std::string& mountinfo) {
  const linux_backend::HostRoot desktop{VANTORA_DESKTOP_FIXTURE};
  benchmark::RegisterBenchmark(("list " + std::to_string(entries)).c_str(), [=](benchmark::State& state) {
    for (auto _ : state) {
      const auto table = linux_backend::readMountTable(mountinfo);
      benchmark::DoNotOptimize(linux_backend::buildDriveList(desktop, table, "/home/user"));
    }
  });
  benchmark::RegisterBenchmark(("list floor " + std::to_string(entries)).c_str(), [=](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readAndSplitMountTable(mountinfo));
  });
}

// The share of the list that is reading the table, so the rest is seen to be the filtering.
void registerTableRead(std::size_t entries, const std::string& mountinfo) {
  benchmark::RegisterBenchmark(("table " + std::to_string(entries)).c_str(), [=](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(linux_backend::readMountTable(mountinfo));
  });
}

void registerLiveDriveList() {
  benchmark::RegisterBenchmark("list live", [](benchmark::State& state) {
    linux_backend::LinuxSystemQueries system;
    for (auto _ : state) benchmark::DoNotOptimize(system.listDrives());
  });
  benchmark::RegisterBenchmark("list floor live", [](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readAndSplitMountTable("/proc/self/mountinfo"));
  });
}

// A refresh must feel instant: its bar is a wall time. The floor beside it
// shows how much of that time the system calls themselves take.
constexpr double kRefreshBarMicroseconds = 2'000;

TableRow refreshRow(const CollectingReporter& results, const std::string& label, const std::string& figure,
                    bool hasTarget) {
  const auto value = scaled(results.medianSeconds("refresh " + label), 1e6);
  const auto floor = scaled(results.medianSeconds("floor " + label), 1e6);
  TableRow row{figure, value, floor, "µs", hasTarget ? "< 2 ms" : "", std::nullopt, ""};
  if (hasTarget && value) row.met = *value < kRefreshBarMicroseconds;
  if (const std::string error = results.error("refresh " + label) + results.error("floor " + label); !error.empty()) {
    row.note = error;
  }
  return row;
}

void addDriveListRows(const CollectingReporter& results, std::vector<TableRow>& rows) {
  std::map<std::size_t, std::optional<double>> perEntry;
  for (std::size_t entries : kTableSizes) {
    const std::string size = std::to_string(entries);
    const double perMount = 1e6 / static_cast<double>(entries);
    perEntry[entries] = scaled(results.medianSeconds("list " + size), perMount);
    rows.push_back({"drive list, " + size + " mounts, per mount", perEntry[entries],
                    scaled(results.medianSeconds("list floor " + size), perMount), "µs", "", std::nullopt, ""});
  }
  const auto total = scaled(results.medianSeconds("list 10000"), 1e3);
  const auto largest = perEntry[10'000];
  const auto large = perEntry[1'000];
  rows.push_back({"drive list, 10000 mounts, whole list", total, scaled(results.medianSeconds("list floor 10000"), 1e3),
                  "ms", "< 50 ms", total ? std::optional<bool>(*total < 50.0) : std::nullopt, ""});
  rows.push_back({"  of which reading the table (readMountTable)", scaled(results.medianSeconds("table 10000"), 1e3),
                  scaled(results.medianSeconds("list floor 10000"), 1e3), "ms", "", std::nullopt, ""});
  rows.push_back({"drive list, per mount at 10000 / at 1000", largest, large, "µs", "ratio <= 1.50",
                  largest && large ? std::optional<bool>(*largest <= 1.5 * *large) : std::nullopt,
                  "(linear: ratio near 1)"});
  rows.push_back({"drive list of this machine (listDrives)", scaled(results.medianSeconds("list live"), 1e6),
                  scaled(results.medianSeconds("list floor live"), 1e6), "µs", "", std::nullopt, ""});
}

}  // namespace

int main(int argc, char** argv) {
  // The private mount namespace must come before any thread.
  const ScratchMounts mounts;
  const bool rowsOnly = takeRowsOnlyFlag(argc, argv);

  std::vector<char*> args = {argv[0], const_cast<char*>(kRepetitions), const_cast<char*>(kInterleaving),
                             const_cast<char*>(kMinTime)};
  args.insert(args.end(), argv + 1, argv + argc);
  int argCount = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&argCount, args.data());

  registerRefresh("root", "/");
  if (mounts.tmpfs()) registerRefresh("tmpfs", *mounts.tmpfs());
  if (mounts.ext4()) registerRefresh("ext4", *mounts.ext4());
  char fixtureDirectory[] = "/tmp/vantora-mountinfo-XXXXXX";
  const bool haveFixtures = ::mkdtemp(fixtureDirectory) != nullptr;
  if (haveFixtures) {
    for (std::size_t entries : kTableSizes) registerDriveList(entries, writeMadeUpMountTable(fixtureDirectory, entries));
    registerTableRead(kTableSizes[2], writeMadeUpMountTable(fixtureDirectory, kTableSizes[2]));
  }
  registerLiveDriveList();

  CollectingReporter results;
  benchmark::RunSpecifiedBenchmarks(&results);
  benchmark::Shutdown();
  std::error_code ignored;
  if (haveFixtures) std::filesystem::remove_all(fixtureDirectory, ignored);

  std::vector<TableRow> rows;
  rows.push_back(refreshRow(results, "root", "refresh of / (real backend)", true));
  if (mounts.tmpfs()) {
    rows.push_back(refreshRow(results, "tmpfs", "refresh of a tmpfs", false));
  } else {
    rows.push_back({"refresh of a tmpfs", std::nullopt, std::nullopt, "", "", std::nullopt, "not measured: " + mounts.tmpfsProblem()});
  }
  if (mounts.ext4()) {
    rows.push_back(refreshRow(results, "ext4", "refresh of a labelled ext4 loop image", false));
  } else {
    rows.push_back({"refresh of a labelled ext4 loop image", std::nullopt, std::nullopt, "", "", std::nullopt,
                    "not measured: " + mounts.ext4Problem()});
  }
  if (haveFixtures) addDriveListRows(results, rows);
  printTable(rows, !rowsOnly);
  return 0;
}
