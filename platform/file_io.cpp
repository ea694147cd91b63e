#include "platform/file_io.h"

#include <cstdio>
#include <memory>

#include "platform/file_append.h"
#include "platform/file_replace.h"

namespace stats {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool writeThroughTemporary(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tmp";
  if (!writeNewFile(temporary, bytes)) return false;
  if (!renameOver(temporary, path)) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool replaceWholeFile(const std::string& path, const std::string& bytes) {
  closeAppendedFile();
  return writeThroughTemporary(path, bytes) || rewriteInPlace(path, bytes);
}

}  // namespace stats
