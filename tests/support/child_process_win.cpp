#include "tests/support/child_process_win.h"

#include <windows.h>

#include <string>

namespace stats::testing {

long runChild(const char* test, unsigned long timeoutMs) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string line = std::string("\"") + exe + "\" --gtest_also_run_disabled_tests --gtest_filter=" + test;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -2;
  const DWORD waited = WaitForSingleObject(process.hProcess, timeoutMs);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return waited == WAIT_OBJECT_0 ? static_cast<long>(code) : -1;
}

}  // namespace stats::testing
