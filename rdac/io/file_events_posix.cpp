#include "rdac/io/file_events.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cmath>

namespace rdac {
namespace {

volatile sig_atomic_t stopFlag = 0;

void requestStop(int) { stopFlag = 1; }

}  // namespace

std::optional<FileState> regularFileState(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileState{static_cast<uint64_t>(info.st_size),
                   static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

void installStopHandlers() {
  struct sigaction action = {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool stopRequested() { return stopFlag != 0; }

struct FolderWaiter::Handle {
  int fd = -1;
};

FolderWaiter::FolderWaiter(const std::string& folder) : handle_(std::make_unique<Handle>()) {
  int& fd = handle_->fd;
  fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd >= 0 && inotify_add_watch(fd, folder.c_str(), IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE |
                                                           IN_DELETE | IN_ATTRIB) < 0) {
    close(fd);
    fd = -1;
  }
}

FolderWaiter::~FolderWaiter() {
  if (handle_->fd >= 0) close(handle_->fd);
}

void FolderWaiter::wait(double seconds) {
  const int fd = handle_->fd;
  if (fd < 0) {
    timespec pause{static_cast<time_t>(seconds), static_cast<long>(std::fmod(seconds, 1.0) * 1e9)};
    nanosleep(&pause, nullptr);
    return;
  }
  pollfd ready{fd, POLLIN, 0};
  if (poll(&ready, 1, static_cast<int>(seconds * 1000)) > 0) {
    char events[4096];
    while (read(fd, events, sizeof events) > 0) {
    }
  }
}

}  // namespace rdac
