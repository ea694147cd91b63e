#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_calls.h"
#include "platform/file_replace.h"

namespace stats {
namespace {

bool writeAllAt(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = fileCalls().pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
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
  return writeAllAt(fd, bytes) && fileCalls().ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

}  // namespace

bool writeNewFile(const FilePath& path, const std::string& bytes) {
  const int fd = fileCalls().open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool written = true;
  for (size_t done = 0; written && done < bytes.size();) {
    const ssize_t n = fileCalls().write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    if (written) done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0 || !written) {
    removeFile(path);
    return false;
  }
  return true;
}

bool renameOver(const FilePath& from, const FilePath& to) {
  return fileCalls().rename(from.c_str(), to.c_str()) == 0;
}

void removeFile(const FilePath& path) { std::remove(path.c_str()); }

bool rewriteInPlace(const FilePath& path, const std::string& bytes) {
  const int fd = fileCalls().open(path.c_str(), O_RDWR | O_CLOEXEC, 0);
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
