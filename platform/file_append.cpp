#include "platform/file_append.h"

#include <mutex>

#include "platform/immortal.h"
#include "platform/kept_file.h"

namespace stats {
namespace {

std::mutex& keptMutex() {
  static Immortal<std::mutex> mutex;
  return mutex.get();
}
KeptFile& kept() {
  static Immortal<KeptFile> file;
  return file.get();
}

}  // namespace

bool appendToFile(const FilePath& path, const std::string& bytes) {
  std::lock_guard<std::mutex> lock(keptMutex());
  KeptFile& file = kept();
  if (!file.keep(path)) return false;
  if (file.appendWhole(bytes)) return true;
  file.close();
  return false;
}

void closeAppendedFile() {
  std::lock_guard<std::mutex> lock(keptMutex());
  kept().close();
}

}  // namespace stats
