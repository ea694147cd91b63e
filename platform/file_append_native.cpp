#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>

#include "platform/file_append.h"

namespace stats {
namespace {

// A reload appends to the same file thousands of times in a row: the descriptor stays open
// between calls and is reused while its file still has a name. A file deleted, or replaced by
// a rename over it, has none left and is reopened by name, as a fresh open would; the
// plug-in's own rewrites say so explicitly (forgetAppendTarget). Asking the descriptor costs
// far less than resolving the name again for every line.
struct CachedFile {
  std::string path;
  int fd = -1;

  void close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  bool stillNames(const std::string& name) const {
    struct stat opened;
    return fd >= 0 && name == path && ::fstat(fd, &opened) == 0 && opened.st_nlink > 0;
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

namespace stats {

void forgetAppendTarget(const std::string& path) {
  std::lock_guard<std::mutex> lock(cacheMutex);
  if (cache.path == path) cache.close();
}

}  // namespace stats
