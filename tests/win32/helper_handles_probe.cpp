// helper_handles_probe RDAC_EXE ARGS...: starts rdac.exe holding an inheritable event of this
// process, as a parent that leaves its handles inheritable would, and looks into the second
// process rdac.exe starts: rdac.exe has the event (it was given it), its helper must not. Exit
// code 0 when so, 1 when the helper holds it, 2 when the test could not look.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

// Whether the process holds `event` (this process's) under the same value.
bool holds(DWORD pid, HANDLE event) {
  HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid);
  if (!process) return false;
  HANDLE copy = nullptr;
  const bool duplicated = DuplicateHandle(process, event, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
  CloseHandle(process);
  if (!duplicated) return false;
  ResetEvent(event);
  SetEvent(copy);  // the same event only if signalling the copy signals ours
  const bool same = WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  CloseHandle(copy);
  return same;
}

DWORD childOf(DWORD parent) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD child = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !child; more = Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == parent && entry.th32ProcessID != parent) child = entry.th32ProcessID;
  CloseHandle(snapshot);
  return child;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE event = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
  std::wstring commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION rdac{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &rdac)) {
    std::printf("cannot start rdac.exe: %lu\n", GetLastError());
    return 2;
  }
  DWORD helper = 0;
  for (int i = 0; i < 3000 && !helper && WaitForSingleObject(rdac.hProcess, 0) == WAIT_TIMEOUT; ++i) {
    helper = childOf(rdac.dwProcessId);
    if (!helper) Sleep(10);
  }
  const bool rdacHolds = holds(rdac.dwProcessId, event), helperHolds = helper && holds(helper, event);
  WaitForSingleObject(rdac.hProcess, INFINITE);
  std::printf("rdac.exe %s the event; its helper (%s) %s\n", rdacHolds ? "holds" : "lacks",
              helper ? "found" : "not found", helperHolds ? "holds it" : "lacks it");
  if (!helper || !rdacHolds) return 2;
  return helperHolds ? 1 : 0;
}
