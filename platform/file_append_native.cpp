#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "platform/file_append.h"

namespace stats {
namespace {

std::string fullPathOf(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  char folder[4096];
  if (!::getcwd(folder, sizeof folder)) return path;
  return std::string(folder) + "/" + path;
}

// A file deleted, or replaced by a rename over it, has no name left and is reopened by name,
// as a fresh open would be. Asking the descriptor costs far less than resolving the name.
struct KeptFile {
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
  void cutBackTo(off_t size) const {
    while (::ftruncate(fd, size) != 0 && errno == EINTR) {
    }
  }
  bool appendWhole(const std::string& bytes) {
    const off_t before = ::lseek(fd, 0, SEEK_END);
    if (before < 0) return false;
    for (size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        cutBackTo(before);
        return false;
      }
      done += static_cast<size_t>(n);
    }
    return true;
  }
};

// Destroyed, and the file closed, when libStats.so is unloaded: a host that loads and unloads it
// keeps neither memory nor a descriptor of it.
struct KeptFileHolder {
  ~KeptFileHolder() { file.close(); }
  KeptFile file;
};
std::mutex& keptMutex() {
  static std::mutex m;
  return m;
}
KeptFile& kept() {
  static KeptFileHolder holder;
  return holder.file;
}

}  // namespace

bool appendToFile(const std::string& path, const std::string& bytes) {
  std::lock_guard<std::mutex> lock(keptMutex());
  KeptFile& file = kept();
  const std::string full = fullPathOf(path);
  if (!file.stillNames(full) && !file.open(full)) return false;
  if (file.appendWhole(bytes)) return true;
  file.close();
  return false;
}

void closeAppendedFile() {
  std::lock_guard<std::mutex> lock(keptMutex());
  kept().close();
}

}  // namespace stats
