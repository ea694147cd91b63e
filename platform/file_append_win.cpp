#include <windows.h>

#include <algorithm>

#include "platform/kept_file.h"

namespace stats {
namespace {

HANDLE handleOf(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// The full path: a host that changes its current folder gets the file of the new one.
std::string fullPathOf(const std::string& path) {
  char full[MAX_PATH * 4];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

}  // namespace

bool KeptFile::keep(const std::string& path) {
  return (handle_ != -1 && identity_ == fullPathOf(path)) || open(path);
}

bool KeptFile::open(const std::string& path) {
  close();
  // Shared for reading, writing and deleting, so a viewer, an editor or the operator deleting
  // the file is never refused while a reload appends to it.
  const std::string full = fullPathOf(path);
  const HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<intptr_t>(file);
  if (GetFileType(file) != FILE_TYPE_DISK) {
    close();
    return false;
  }
  identity_ = full;
  return true;
}

bool KeptFile::appendWhole(const std::string& bytes) {
  const HANDLE file = handleOf(handle_);
  LARGE_INTEGER before, zero;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(file, zero, &before, FILE_END)) return false;
  for (size_t done = 0; done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
      if (SetFilePointerEx(file, before, nullptr, FILE_BEGIN)) SetEndOfFile(file);
      return false;
    }
    done += wrote;
  }
  return true;
}

void KeptFile::close() {
  if (handle_ != -1) CloseHandle(handleOf(handle_));
  handle_ = -1;
  std::string().swap(identity_);  // nothing of it left on the heap while no file is kept
}

}  // namespace stats
