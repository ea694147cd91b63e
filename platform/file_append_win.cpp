#include <windows.h>

#include <algorithm>
#include <mutex>

#include "platform/file_append.h"

namespace stats {
namespace {

std::string fullPathOf(const std::string& path) {
  char full[MAX_PATH * 4];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

// Shared for reading, writing and deleting, so a viewer, an editor or the operator deleting
// the file is never refused while a reload appends to it.
struct KeptFile {
  std::string path;
  HANDLE handle = INVALID_HANDLE_VALUE;

  void close() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
  }
  bool open(const std::string& name) {
    close();
    handle = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
      close();
      return false;
    }
    path = name;
    return true;
  }
  bool appendWhole(const std::string& bytes) {
    LARGE_INTEGER before, zero;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(handle, zero, &before, FILE_END)) return false;
    for (size_t done = 0; done < bytes.size();) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      DWORD wrote = 0;
      if (!WriteFile(handle, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
        if (SetFilePointerEx(handle, before, nullptr, FILE_BEGIN)) SetEndOfFile(handle);
        return false;
      }
      done += wrote;
    }
    return true;
  }
};

// Lives as long as the process: nothing to tear down while other threads may still append.
std::mutex& keptMutex() {
  static std::mutex& m = *new std::mutex;
  return m;
}
KeptFile& kept() {
  static KeptFile& file = *new KeptFile;
  return file;
}

}  // namespace

bool appendToFile(const std::string& path, const std::string& bytes) {
  std::lock_guard<std::mutex> lock(keptMutex());
  KeptFile& file = kept();
  const std::string full = fullPathOf(path);
  if ((file.handle == INVALID_HANDLE_VALUE || file.path != full) && !file.open(full)) return false;
  if (file.appendWhole(bytes)) return true;
  file.close();
  return false;
}

void closeAppendedFile() {
  std::lock_guard<std::mutex> lock(keptMutex());
  kept().close();
}

}  // namespace stats
