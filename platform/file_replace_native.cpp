#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_replace.h"

namespace stats {
namespace {

bool writeAllAt(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool readAll(int fd, std::string& bytes) {
  char buffer[65536];
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<size_t>(n));
    at += n;
  }
}

bool writeWhole(int fd, const std::string& bytes) {
  return writeAllAt(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

}  // namespace

bool renameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool rewriteInPlace(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat opened;
  std::string old;
  bool done = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && readAll(fd, old);
  if (done && !writeWhole(fd, bytes)) {
    writeWhole(fd, old);
    done = false;
  }
  return ::close(fd) == 0 && done;
}

}  // namespace stats
