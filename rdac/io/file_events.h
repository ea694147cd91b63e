#pragma once
// What following a log, or feeding a long one, asks of the system: whether a file is there, a
// wait until its folder changes, and Ctrl-C taken as a request to stop.
#include <memory>
#include <string>

namespace rdac {

// Whether a regular file (not a folder) is at `path`.
bool regularFileExists(const std::string& path);

// From here on Ctrl-C (and SIGTERM on Linux) sets stopRequested instead of ending the process.
void installStopHandlers();
bool stopRequested();

// Sleeps until the folder changes or `seconds` pass, whichever comes first; a stop request
// cuts it short. Where the file system tells no changes (network shares), the time alone
// wakes it.
class FolderWaiter {
 public:
  explicit FolderWaiter(const std::string& folder);
  ~FolderWaiter();
  FolderWaiter(const FolderWaiter&) = delete;
  FolderWaiter& operator=(const FolderWaiter&) = delete;
  void wait(double seconds);

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
};

}  // namespace rdac
