#pragma once
// The file appendToFile keeps open between calls; each platform opens, checks and writes it.
#include <cstdint>
#include <string>

namespace stats {

class KeptFile {
 public:
  // Makes the kept file the one `path` names now (relative to the current folder), reusing
  // the open one while it still is that file; false when it cannot be opened.
  bool keep(const std::string& path);
  // Appends all of `bytes` or, when the system takes only part, cuts them off again.
  bool appendWhole(const std::string& bytes);
  void close();

 private:
  bool open(const std::string& path);
  intptr_t handle_ = -1;  // descriptor or HANDLE; -1 when none
  std::string identity_;  // the name it was opened by (on Windows, as a full path)
};

}  // namespace stats
