// What the operator waits for: a full reload after a reset, the check on every keystroke,
// the result, and a removal, for logs of 1,000 to 100,000 QSOs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "bench/contest_log.h"
#include "plugin/exports.h"
#include "plugin/state.h"
#include "tests/support/host_calls.h"

namespace fs = std::filesystem;
using namespace stats;
using namespace stats::testing;

namespace {

// One folder for the plug-in's files for the whole run; logs are made once per size.
const bench::ContestLog& contestLog(size_t size) {
  static std::map<size_t, bench::ContestLog> logs;
  static bool folderReady = false;
  if (!folderReady) {
    const fs::path folder = fs::temp_directory_path() / "stats-bench";
    fs::create_directories(folder / "Plugins");
    fs::current_path(folder);
    folderReady = true;
  }
  auto found = logs.find(size);
  if (found == logs.end()) {
    found = logs.emplace(size, bench::makeContestLog(size)).first;
    std::FILE* table = std::fopen("Plugins/rda_rus.dat", "wb");
    std::fwrite(found->second.districtTable.data(), 1, found->second.districtTable.size(), table);
    std::fclose(table);
    std::FILE* settings = std::fopen("Plugins/RDA.ini", "wb");  // keep the window thread off
    std::fputs("[Settings]\r\nStart=1\r\n", settings);
    std::fclose(settings);
  }
  return found->second;
}

// The reset opens the windows on every other call (the "Start" toggle); they are closed so
// that each figure measures the call itself, not a refresh running beside it.
void reload(const bench::ContestLog& log) {
  Station station;
  resetStats(station);
  RunCommand0(0, "HIDEINFO");
  for (const Qso& q : log.qsos) addData(q);
}

void BM_FullReload(benchmark::State& state) {
  const auto& log = contestLog(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    reload(log);
    benchmark::DoNotOptimize(getResult());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CheckCall(benchmark::State& state) {
  const auto& log = contestLog(static_cast<size_t>(state.range(0)));
  reload(log);
  {
    StateLock lock;
    lock.state().windows.useHint = 1;
    lock.state().windows.enteredCall = "RA3ABC";
    lock.state().windows.enteredCallPresent = 1;
  }
  size_t i = 0;
  for (auto _ : state) {
    const Qso& q = log.qsos[i++ % log.qsos.size()];
    benchmark::DoNotOptimize(checkCall(q.call, q.band, "SSB", q.prefix));
  }
}

void BM_GetResult(benchmark::State& state) {
  const auto& log = contestLog(static_cast<size_t>(state.range(0)));
  reload(log);
  for (auto _ : state) benchmark::DoNotOptimize(getResult());
}

// A removal and the same QSO added back, so the log keeps its length.
void BM_RemoveData(benchmark::State& state) {
  const auto& log = contestLog(static_cast<size_t>(state.range(0)));
  reload(log);
  size_t i = 0;
  for (auto _ : state) {
    const Qso& q = log.qsos[(i++ * 7919) % log.qsos.size()];
    removeData(q);
    addData(q);
  }
}

}  // namespace

BENCHMARK(BM_FullReload)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckCall)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetResult)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveData)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
