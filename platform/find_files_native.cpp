#include <dirent.h>
#include <fnmatch.h>

#include <memory>

#include "platform/find_files.h"

namespace stats {

std::vector<FilePath> findFileNames(const FilePath& pattern) {
  std::vector<FilePath> names;
  const std::string& path = pattern.native();
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string namePattern = slash == std::string::npos ? path : path.substr(slash + 1);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return names;
  while (const dirent* entry = readdir(dir.get())) {
    if (fnmatch(namePattern.c_str(), entry->d_name, FNM_PERIOD) == 0) names.emplace_back(entry->d_name);
  }
  return names;
}

}  // namespace stats
