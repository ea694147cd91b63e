#include "rdac/io/file_bytes.h"

#include <windows.h>

#include "rdac/io/messages.h"
#include "rdac/io/windows_text_win.h"

namespace rdac {

std::optional<std::string> readFileBytes(const std::string& path, std::string& error) {
  const std::wstring name = widened(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = tr("it is a folder, not a file");
    return std::nullopt;
  }
  // A logger keeps its log open for writing while rdac reads it.
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = operatorErrorText(GetLastError());
    return std::nullopt;
  }
  std::string bytes, why;
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK) {
    why = tr("it is not a regular file");
  } else if (!GetFileSizeEx(file, &size)) {
    why = operatorErrorText(GetLastError());
  } else if (static_cast<uint64_t>(size.QuadPart) > kMaxInputBytes) {
    why = tr("it is larger than 1 GiB");
  } else {
    bytes.reserve(static_cast<size_t>(size.QuadPart));
    char chunk[1 << 16];
    DWORD got = 0;
    BOOL fine;
    while ((fine = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0 && bytes.size() <= kMaxInputBytes)
      bytes.append(chunk, got);
    if (!fine)
      why = operatorErrorText(GetLastError());
    else if (bytes.size() > kMaxInputBytes)  // it grew while being read
      why = tr("it is larger than 1 GiB");
  }
  CloseHandle(file);
  if (!why.empty()) {
    error = why;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace rdac
