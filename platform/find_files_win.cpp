#include <windows.h>

#include "platform/find_files.h"

namespace stats {

std::vector<FilePath> findFileNames(const FilePath& pattern) {
  std::vector<FilePath> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace stats
