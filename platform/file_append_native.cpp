#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_append.h"
#include "platform/file_calls.h"
#include "platform/kept_file.h"

namespace stats {
namespace {

int fdOf(intptr_t handle) { return static_cast<int>(handle); }

// libStats.so unloaded, or the process ending: the kept file is closed and its name freed, as
// DllMain does on Windows.
struct CloseAtUnload {
  ~CloseAtUnload() { closeAppendedFile(); }
} closeAtUnload;

}  // namespace

// The name alone decides, with no look at the file: every export but AddData0 closes the kept
// file, so it is kept only through a run of AddData0 calls, a reload, where a system call more
// per flagged QSO made the 100,000-QSO reload measurably slower (Windows compares names too).
bool KeptFile::keep(const FilePath& path) {
  return (handle_ >= 0 && identity_.native() == path.native()) || open(path);
}

bool KeptFile::open(const FilePath& path) {
  close();
  const int fd = fileCalls().open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  handle_ = fd;
  struct stat opened;
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    close();
    return false;
  }
  identity_ = path;
  return true;
}

bool KeptFile::appendWhole(const std::string& bytes) {
  const int fd = fdOf(handle_);
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = fileCalls().write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Appending leaves the offset at the end: the bytes written so far end there.
      const off_t end = ::lseek(fd, 0, SEEK_CUR);
      if (end >= 0)
        while (fileCalls().ftruncate(fd, end - static_cast<off_t>(done)) != 0 && errno == EINTR) {
        }
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool cutFileTo(const FilePath& path, uint64_t size) {
  const int fd = fileCalls().open(path.c_str(), O_WRONLY | O_CLOEXEC, 0);
  if (fd < 0) return false;
  struct stat opened;
  bool cut = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && static_cast<uint64_t>(opened.st_size) >= size;
  if (cut) {
    int result;
    while ((result = fileCalls().ftruncate(fd, static_cast<off_t>(size))) != 0 && errno == EINTR) {
    }
    cut = result == 0;
  }
  ::close(fd);
  return cut;
}

void KeptFile::close() {
  if (handle_ >= 0) ::close(fdOf(handle_));
  handle_ = -1;
  FilePath().swap(identity_);  // nothing of it left on the heap while no file is kept
}

}  // namespace stats
