#include <windows.h>

#include <algorithm>

#include "platform/file_replace.h"

namespace stats {
namespace {

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

bool seekTo(HANDLE h, LONGLONG at) {
  LARGE_INTEGER where;
  where.QuadPart = at;
  return SetFilePointerEx(h, where, nullptr, FILE_BEGIN) != 0;
}

bool readAll(HANDLE h, std::string& bytes) {
  if (!seekTo(h, 0)) return false;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

bool writeWhole(HANDLE h, const std::string& bytes) {
  if (!seekTo(h, 0)) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return SetEndOfFile(h) != 0;
}

}  // namespace

bool writeNewFile(const FilePath& path, const std::string& bytes) {
  bool written;
  {
    Handle file{CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return false;
    written = writeWhole(file.h, bytes);
  }
  if (!written) removeFile(path);
  return written;
}

bool renameOver(const FilePath& from, const FilePath& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void removeFile(const FilePath& path) { DeleteFileW(path.c_str()); }

bool rewriteInPlace(const FilePath& path, const std::string& bytes) {
  // Every sharing mode, so the open succeeds whenever the other program's own sharing allows
  // a writer; a file held without write sharing stays untouched and the answer is false.
  Handle file{CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.h == INVALID_HANDLE_VALUE || GetFileType(file.h) != FILE_TYPE_DISK) return false;
  std::string old;
  if (!readAll(file.h, old)) return false;
  if (writeWhole(file.h, bytes)) return true;
  writeWhole(file.h, old);
  return false;
}

}  // namespace stats
