#include <windows.h>

#include "platform/file_io.h"

namespace stats {

std::optional<std::string> readWholeFile(const FilePath& path) {
  // Shared as widely as a reader can be, so a file an editor holds open is still read.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  bool read = GetFileType(file) == FILE_TYPE_DISK;
  for (DWORD got = 0; read; bytes.append(buffer, got)) {
    read = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0;
    if (read && got == 0) break;
  }
  CloseHandle(file);
  if (!read) return std::nullopt;
  return bytes;
}

}  // namespace stats
