// Stats.dll in a host that loaded the toolchain's shared runtime (the shared libgcc) before it,
// as a logger does that runs another plug-in built with this toolchain.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/child_process_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

std::string besideExe(const char* name) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string path = exe;
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

// Reserves (without committing) every stretch of address space of 1 MB and more, so that no
// allocation of a few megabytes can succeed until the reservations are given back.
class AddressSpaceFull {
 public:
  AddressSpaceFull() {
    for (SIZE_T size = 256u << 20; size >= (1u << 20); size /= 2)
      while (void* taken = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS)) taken_.push_back(taken);
  }
  ~AddressSpaceFull() {
    for (void* taken : taken_) VirtualFree(taken, 0, MEM_RELEASE);
  }

 private:
  std::vector<void*> taken_;
};

// Run in a child process: loads the shared libgcc, then the library, and makes a copy inside
// AddData0 fail. Exit code 42: the export caught it and answered 0; 43: nothing was thrown;
// 44: the shared libgcc could not be loaded; 3: std::terminate.
TEST(DISABLED_ForeignRuntimeChild, ExceptionThrownInsideIsCaughtInside) {
  if (!LoadLibraryA(besideExe("foreign\\libwinpthread-1.dll").c_str()) ||
      !LoadLibraryA(besideExe("foreign\\libgcc_s_dw2-1.dll").c_str()))
    ExitProcess(44);
  ScratchFolder folder;
  StatsDll dll;
  auto add = dll.get<AddDataFn>(decorated::AddData0);
  if (!add) ExitProcess(45);
  const std::string call(8u << 20, 'A');  // copied by the intake
  HostDateTime when{42983.5, 0, 0}, unused{0, 2, 0};
  int stored;
  {
    AddressSpaceFull full;
    stored = add("RA3AA", call.c_str(), &when, &unused, &unused, &unused, 0, 14025000u, "CW", "599",
                 "599", "001", "002", "", "", "", "", "", "", "", "", "", "DL", 0, 0, 0, 0, 0, "",
                 "EU", "", "20m", "");
  }
  ExitProcess(stored == 0 ? 42 : 43);
}

TEST(ForeignRuntime, AnExceptionInsideTheLibraryIsCaughtThereWhenTheSharedLibgccIsLoaded) {
  EXPECT_EQ(runChild("DISABLED_ForeignRuntimeChild.ExceptionThrownInsideIsCaughtInside"), 42)
      << "3: std::terminate, 43: nothing thrown, 44: no shared libgcc";
}

}  // namespace
}  // namespace stats::testing
