#include "rdac/io/file_bytes.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "rdac/io/messages.h"

namespace rdac {

std::optional<std::string> readFileBytes(const std::string& path, std::string& error) {
  // Not blocking: opening a pipe would otherwise wait for a writer before fstat can refuse it.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = whatToDo(std::error_code(errno, std::generic_category()));
    return std::nullopt;
  }
  struct stat status {};
  std::string bytes, why;
  if (fstat(fd, &status) != 0) {
    why = whatToDo(std::error_code(errno, std::generic_category()));
  } else if (!S_ISREG(status.st_mode)) {
    why = S_ISDIR(status.st_mode) ? tr("it is a folder, not a file") : tr("it is not a regular file");
  } else if (static_cast<uint64_t>(status.st_size) > kMaxInputBytes) {
    why = tr("it is larger than 1 GiB");
  } else {
    bytes.reserve(static_cast<size_t>(status.st_size));
    char chunk[1 << 16];
    ssize_t got;
    while ((got = read(fd, chunk, sizeof chunk)) > 0 && bytes.size() <= kMaxInputBytes)
      bytes.append(chunk, static_cast<size_t>(got));
    if (got < 0)
      why = whatToDo(std::error_code(errno, std::generic_category()));
    else if (bytes.size() > kMaxInputBytes)  // it grew while being read
      why = tr("it is larger than 1 GiB");
  }
  close(fd);
  if (!why.empty()) {
    error = why;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace rdac
