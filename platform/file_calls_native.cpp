#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/file_calls.h"

namespace stats {
namespace {

int systemOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

}  // namespace

FileCalls systemFileCalls() { return {systemOpen, ::write, ::pwrite, std::rename, ::ftruncate}; }

FileCalls& fileCalls() {
  static FileCalls calls = systemFileCalls();
  return calls;
}

}  // namespace stats
