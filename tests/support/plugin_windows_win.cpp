#include "tests/support/plugin_windows_win.h"

#include <tlhelp32.h>

#include <vector>

namespace stats::testing {
namespace {

BOOL CALLBACK collect(HWND window, LPARAM param) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (process != GetCurrentProcessId() || std::string(cls) != "#32770" || !IsWindowVisible(window))
    return TRUE;
  auto* found = reinterpret_cast<PluginWindows*>(param);
  if (GetDlgItem(window, 1119)) {
    found->setup = window;
    ++found->setupCount;
  } else if (GetDlgItem(window, 1123)) {
    found->rda = window;
  } else if (GetDlgItem(window, 1003) && !GetDlgItem(window, 1004)) {
    found->dxcc = window;
  }
  return TRUE;
}

}  // namespace

PluginWindows findPluginWindows() {
  PluginWindows found;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
}

PluginWindows waitForPluginWindows(bool rda, bool dxcc, DWORD timeoutMs) {
  PluginWindows found;
  waitUntil([&] {
    found = findPluginWindows();
    return found.setup && (!rda || found.rda) && (!dxcc || found.dxcc);
  }, timeoutMs);
  return found;
}

std::string windowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool isTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

RECT windowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

int threadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  CloseHandle(snapshot);
  return count;
}

ScratchFolder::ScratchFolder() {
  char current[MAX_PATH] = {}, temp[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  previous_ = current;
  GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "stats-windows-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(GetTickCount());
  CreateDirectoryA(path_.c_str(), nullptr);
  CreateDirectoryA((path_ + "\\Plugins").c_str(), nullptr);
  // One code, so that no reset stops at the warning about a table without any.
  const HANDLE table = CreateFileA((path_ + "\\Plugins\\rda_rus.dat").c_str(), GENERIC_WRITE, 0,
                                   nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(table, "MA-01\r\n", 7, &written, nullptr);
  CloseHandle(table);
  SetCurrentDirectoryA(path_.c_str());
}

ScratchFolder::~ScratchFolder() {
  SetCurrentDirectoryA(previous_.c_str());
  DeleteFileA((path_ + "\\Plugins\\RDA.ini").c_str());
  DeleteFileA((path_ + "\\Plugins\\rda_rus.dat").c_str());
  RemoveDirectoryA((path_ + "\\Plugins").c_str());
  RemoveDirectoryA(path_.c_str());
}

std::string ScratchFolder::setting(const std::string& key) {
  char value[100] = {};
  GetPrivateProfileStringA("Settings", key.c_str(), "", value, sizeof value,
                           (path_ + "\\Plugins\\RDA.ini").c_str());
  return value;
}

void ScratchFolder::writeSetting(const std::string& key, const std::string& value) {
  WritePrivateProfileStringA("Settings", key.c_str(), value.c_str(),
                             (path_ + "\\Plugins\\RDA.ini").c_str());
}

}  // namespace stats::testing
