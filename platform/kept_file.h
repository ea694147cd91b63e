#pragma once
// The file appendToFile keeps open between calls; each platform opens, checks and writes it.
#include <cstdint>
#include <string>

#include "platform/file_path.h"

namespace stats {

class KeptFile {
 public:
  // Makes the kept file the one `path` names, reusing the open one while it was opened by that
  // path; false when it cannot be opened.
  bool keep(const FilePath& path);
  // Appends all of `bytes` or, when the system takes only part, cuts them off again.
  bool appendWhole(const std::string& bytes);
  void close();

 private:
  bool open(const FilePath& path);
  intptr_t handle_ = -1;  // descriptor or HANDLE; -1 when none
  FilePath identity_;     // the path it was opened by
};

}  // namespace stats
