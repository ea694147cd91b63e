#include <system_error>

#include "platform/file_path.h"

namespace stats {

FilePath hostPath(const std::string& name) {
  std::string path = name;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

FilePath contestFolderOf(const std::string& hostFolder) {
  std::error_code error;
  const FilePath named = hostPath(hostFolder);
  if (!hostFolder.empty() && std::filesystem::is_directory(named, error)) {
    const FilePath full = std::filesystem::absolute(named, error);
    if (!error) return full.lexically_normal();
  }
  return std::filesystem::current_path(error);
}

}  // namespace stats
