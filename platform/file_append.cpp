#include "platform/file_append.h"

#include <mutex>

#include "platform/kept_file.h"

namespace stats {
namespace {

// Lives as long as the process: nothing to tear down while other threads may still append.
std::mutex& keptMutex() {
  static std::mutex& m = *new std::mutex;
  return m;
}
KeptFile& kept() {
  static KeptFile& file = *new KeptFile;
  return file;
}

}  // namespace

bool appendToFile(const std::string& path, const std::string& bytes) {
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
