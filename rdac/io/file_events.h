#pragma once
// What following a log, or feeding a long one, asks of the system: whether a file changed, a
// wait until its folder changes, and Ctrl-C taken as a request to stop.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace rdac {

// What tells that a file changed, without opening it: a logger that saves by renaming a new
// file over its log fails while any program has the log open.
struct FileState {
  uint64_t size = 0;
  int64_t modified = 0;  // in the system's own units
  bool operator==(const FileState& other) const { return size == other.size && modified == other.modified; }
};

// The state of the regular file at `path`; nothing when there is none (or a folder).
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
