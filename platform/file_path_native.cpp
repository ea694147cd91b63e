#include "platform/file_path.h"

namespace stats {

std::string hostPath(const std::string& name) {
  std::string path = name;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace stats
