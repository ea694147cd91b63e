#include "platform/file_io.h"

#include "platform/file_append.h"
#include "platform/file_replace.h"

namespace stats {
namespace {

bool writeThroughTemporary(const FilePath& path, const std::string& bytes) {
  FilePath temporary = path;
  temporary += ".tmp";
  if (!writeNewFile(temporary, bytes)) return false;
  if (!renameOver(temporary, path)) {
    removeFile(temporary);
    return false;
  }
  return true;
}

}  // namespace

bool replaceWholeFile(const FilePath& path, const std::string& bytes) {
  closeAppendedFile();
  return writeThroughTemporary(path, bytes) || rewriteInPlace(path, bytes);
}

}  // namespace stats
