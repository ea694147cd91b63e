#include <windows.h>

#include <algorithm>

#include "platform/kept_file.h"

namespace stats {
namespace {

HANDLE handleOf(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

// The name alone decides, as natively: the callers name their files by full paths, fixed at the
// reset, so the same name is the same file whatever the current folder does meanwhile.
bool KeptFile::keep(const FilePath& path) {
  return (handle_ != -1 && identity_.native() == path.native()) || open(path);
}

bool KeptFile::open(const FilePath& path) {
  close();
  // Shared for reading, writing and deleting, so a viewer, an editor or the operator deleting
  // the file is never refused while a reload appends to it.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<intptr_t>(file);
  if (GetFileType(file) != FILE_TYPE_DISK) {
    close();
    return false;
  }
  identity_ = path;
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

bool cutFileTo(const FilePath& path, uint64_t size) {
  // Shared as the kept file is: a viewer that lets others write does not stop the cut.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER length, at;
  at.QuadPart = static_cast<LONGLONG>(size);
  const bool cut = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &length) &&
                   static_cast<uint64_t>(length.QuadPart) >= size && SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                   SetEndOfFile(file);
  CloseHandle(file);
  return cut;
}

void KeptFile::close() {
  if (handle_ != -1) CloseHandle(handleOf(handle_));
  handle_ = -1;
  FilePath().swap(identity_);  // nothing of it left on the heap while no file is kept
}

}  // namespace stats
