#include "rdac/io/process_info.h"

#include <windows.h>

#include <vector>

#include "rdac/io/windows_text_win.h"

namespace rdac {

std::string programFolder() {
  std::vector<wchar_t> name(MAX_PATH);
  DWORD length;
  while ((length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()))) == name.size())
    name.resize(name.size() * 2);
  std::wstring path(name.data(), length);
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::string(".") : narrowed(path.substr(0, slash));
}

const char kPluginFileName[] = "Stats.dll";

std::string defaultCountryFile() { return programFolder() + "\\cty.dat"; }

bool standardErrorIsTerminal() {
  DWORD mode;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

void runThisThreadInIdleTime() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE); }

}  // namespace rdac
