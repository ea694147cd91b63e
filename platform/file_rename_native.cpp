#include <cstdio>

#include "platform/file_rename.h"

namespace stats {

bool renameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace stats
