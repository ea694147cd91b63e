#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/file_append.h"

namespace stats {
namespace {

// The kept descriptor is used while the name, resolved against the current folder as it is
// now, still leads to the very file it has open: one look at the name notices the host moving
// to another folder, and the file being deleted or replaced by a rename over it, at the cost
// of resolving the name once.
struct KeptFile {
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;

  void close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  bool stillNamedBy(const std::string& name) const {
    struct stat named;
    return fd >= 0 && ::stat(name.c_str(), &named) == 0 && named.st_dev == device && named.st_ino == inode;
  }
  bool open(const std::string& name) {
    close();
    fd = ::open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    struct stat opened;
    if (fd < 0 || ::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      close();
      return false;
    }
    device = opened.st_dev;
    inode = opened.st_ino;
    return true;
  }
  void cutBackTo(off_t size) const {
    while (::ftruncate(fd, size) != 0 && errno == EINTR) {
    }
  }
  bool appendWhole(const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        // Appending leaves the offset at the end: the bytes written so far end there.
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        if (end >= 0) cutBackTo(end - static_cast<off_t>(done));
        return false;
      }
      done += static_cast<size_t>(n);
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
  if (!file.stillNamedBy(path) && !file.open(path)) return false;
  if (file.appendWhole(bytes)) return true;
  file.close();
  return false;
}

void closeAppendedFile() {
  std::lock_guard<std::mutex> lock(keptMutex());
  kept().close();
}

}  // namespace stats
