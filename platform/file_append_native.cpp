#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>

#include "platform/file_append.h"

namespace stats {
namespace {

// A reload appends to the same file thousands of times in a row: the descriptor stays open
// between calls and is reused only while the name still leads to the very file it writes
// (same device and inode), so a file deleted, replaced or renamed over in between is
// reopened by name, as a fresh open would.
struct CachedFile {
  std::string path;
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;

  void close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  bool stillNames(const std::string& name) const {
    struct stat byName;
    return fd >= 0 && name == path && ::stat(name.c_str(), &byName) == 0 &&
           byName.st_dev == device && byName.st_ino == inode && S_ISREG(byName.st_mode);
  }
  bool open(const std::string& name) {
    close();
    fd = ::open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    struct stat opened;
    if (fd < 0 || ::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      close();
      return false;
    }
    path = name;
    device = opened.st_dev;
    inode = opened.st_ino;
    return true;
  }
  ~CachedFile() { close(); }
};

std::mutex cacheMutex;
CachedFile cache;

}  // namespace

bool appendToFile(const std::string& path, const std::string& bytes) {
  std::lock_guard<std::mutex> lock(cacheMutex);
  if (!cache.stillNames(path) && !cache.open(path)) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(cache.fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      cache.close();
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace stats
