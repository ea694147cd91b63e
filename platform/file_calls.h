#pragma once
// The system calls behind every file the native build writes (open, write, pwrite, rename,
// ftruncate), reached through one table so that a test can put a failing call in the place of
// any of them: a full disk at the Nth write, a refused permission or rename, a short write.
// Only the native files include this; the Windows build calls its system directly.
#include <sys/types.h>

namespace stats {

struct FileCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*write)(int fd, const void* bytes, size_t size);
  ssize_t (*pwrite)(int fd, const void* bytes, size_t size, off_t at);
  int (*rename)(const char* from, const char* to);
  int (*ftruncate)(int fd, off_t length);
};

// The table in use: the system's own calls until a test replaces some.
FileCalls& fileCalls();
// The system's own calls, for a test to fall back on and to restore.
FileCalls systemFileCalls();

}  // namespace stats
