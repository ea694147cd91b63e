#include <windows.h>

#include "platform/file_path.h"
#include "platform/wide_text_win.h"

namespace stats {
namespace {

std::wstring fullPathOf(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return path;
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.assign(n, L'\0');
  }
}

std::wstring currentFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    if (n == 0) return std::wstring(L".");
    if (n < folder.size()) {
      folder.resize(n);
      return folder;
    }
    folder.assign(n, L'\0');
  }
}

}  // namespace

FilePath hostPath(const std::string& name) { return FilePath(wideOfAnsi(name)); }

FilePath contestFolderOf(const std::string& hostFolder) {
  const std::wstring named = wideOfAnsi(hostFolder);
  if (!named.empty()) {
    const DWORD attributes = GetFileAttributesW(named.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return FilePath(fullPathOf(named));
  }
  return FilePath(currentFolder());
}

}  // namespace stats
