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

// The address space in use: what a 32-bit process runs out of (Wine reports no private bytes).
size_t usedAddressSpace() {
  size_t used = 0;
  MEMORY_BASIC_INFORMATION region;
  for (uintptr_t at = 0; VirtualQuery(reinterpret_cast<void*>(at), &region, sizeof region);) {
    if (region.State != MEM_FREE) used += region.RegionSize;
    const uintptr_t next = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return used;
}

// Each load used to take an index for good: 500 cycles take up 500 of the process's 1,088.
// Each also left its state on the heap, a megabyte and more once a QSO was added: about 1,500
// cycles filled the 32-bit address space.
constexpr int kCycles = 500;
constexpr size_t kMaxGrowth = 64 << 20;

// Run in a child process, since a process that runs out of indexes or memory dies. Exit code
// 42: the cycles left the thread-local-storage indexes as they were and the memory about as it
// was; 43: indexes were taken up; 44: memory was.
TEST(DISABLED_ReloadChild, ManyCycles) {
  ScratchFolder folder;
  loadResetAddUnload();
  const DWORD before = nextFreeTlsIndex();
  const size_t memoryBefore = usedAddressSpace();
  for (int i = 0; i < kCycles; ++i) loadResetAddUnload();  // 10 to 50 ms each under Wine
  if (nextFreeTlsIndex() != before) ExitProcess(43);
  ExitProcess(usedAddressSpace() - memoryBefore < kMaxGrowth ? 42 : 44);
}

TEST(Reload, LoadResetAddUnloadCyclesKeepTheProcessWithinItsTlsIndexesAndMemory) {
  EXPECT_EQ(runChild("DISABLED_ReloadChild.ManyCycles", 120000), 42);
}

}  // namespace
}  // namespace stats::testing
