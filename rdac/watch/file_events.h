#pragma once
// What following a log asks of the system: a file's size and identity, a wait until its folder
// changes, and Ctrl-C taken as a request to stop after the last record.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace rdac {

struct FileState {
  uint64_t size = 0;
  uint64_t identity = 0;  // changes when another file takes the name
};

// The state of the regular file at `path`; nothing when there is none.
std::optional<FileState> regularFileState(const std::string& path);

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
