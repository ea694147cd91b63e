#pragma once
// Each fuzz target works in a scratch folder of its own: the plug-in's relative files (the
// settings, the district table, the bad-QSO and Cabrillo files) land there, never in the tree.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace stats::fuzz {

inline std::string enterScratchFolder() {
  const char* parent = std::getenv("TMPDIR");
  std::string pattern = std::string(parent && *parent ? parent : "/tmp") + "/stats-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data()) || chdir(pattern.c_str()) != 0) {
    std::perror("scratch folder");
    std::abort();
  }
  mkdir("Plugins", 0755);
  return pattern;
}

inline void writeFile(const char* name, const std::string& bytes) {
  if (std::FILE* f = std::fopen(name, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

}  // namespace stats::fuzz
