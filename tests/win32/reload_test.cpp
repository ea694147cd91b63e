// A host that loads and unloads the library again and again, as a logger does each time the
// operator switches contests.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/child_process_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

DWORD nextFreeTlsIndex() {
  const DWORD index = TlsAlloc();
  TlsFree(index);
  return index;
}

void loadResetAddUnload() {
  StatsDll dll;
  HostDateTime start{42980.3333, 0, 0}, end{42983.3333, 0, 0}, unused{0, 2, 0};
  dll.get<ResetStatsFn>(decorated::ResetStats0)(".\\", 0, "RA3AA", &start, &end, "", "", "", "", "",
                                                "", "", "", "", "UA", 0, 0, 0, 0, 0, "", "EU", "");
  HostDateTime when{42983.5, 0, 0};
  dll.get<AddDataFn>(decorated::AddData0)("RA3AA", "DL1ABC", &when, &unused, &unused, &unused, 0,
                                          14025000u, "CW", "599", "599", "001", "002", "", "", "",
                                          "", "", "", "", "", "", "DL", 0, 0, 0, 0, 0, "", "EU", "",
                                          "20m", "");
}

// Each load used to take an index for good: 500 cycles take up 500 of the process's 1,088.
constexpr int kCycles = 500;

// Run in a child process, since a process that runs out of indexes dies. Exit code 42: the
// cycles left the thread-local-storage indexes as they were; 43: they were taken up.
TEST(DISABLED_ReloadChild, ManyCycles) {
  ScratchFolder folder;
  loadResetAddUnload();
  const DWORD before = nextFreeTlsIndex();
  for (int i = 0; i < kCycles; ++i) loadResetAddUnload();  // 10 to 50 ms each under Wine
  ExitProcess(nextFreeTlsIndex() == before ? 42 : 43);
}

TEST(Reload, LoadResetAddUnloadCyclesKeepTheProcessWithinItsTlsIndexes) {
  EXPECT_EQ(runChild("DISABLED_ReloadChild.ManyCycles", 120000), 42);
}

}  // namespace
}  // namespace stats::testing
