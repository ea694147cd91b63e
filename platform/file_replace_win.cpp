#include <windows.h>

#include <algorithm>
#include <cstdio>

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

bool writeNewFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool flushed = std::fflush(file) == 0;
  if (std::fclose(file) != 0 || !written || !flushed) {
    std::remove(path.c_str());
    return false;
  }
  return true;
}

bool renameOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool rewriteInPlace(const std::string& path, const std::string& bytes) {
  // Every sharing mode, so the open succeeds whenever the other program's own sharing allows
  // a writer; a file held without write sharing stays untouched and the answer is false.
  Handle file{CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
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
