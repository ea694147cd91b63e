#include <mutex>

#include "platform/message_box.h"
#include "platform/message_box_native.h"

namespace stats {
namespace {

std::mutex& watcherMutex() {
  static std::mutex mutex;
  return mutex;
}
MessageBoxWatcher& watcher() {
  static MessageBoxWatcher watching;
  return watching;
}

}  // namespace

void showMessageBox(const std::string& text, const char* caption) {
  MessageBoxWatcher watching;
  {
    std::lock_guard<std::mutex> lock(watcherMutex());
    watching = watcher();
  }
  if (watching) watching(text, caption);
}

void showFileMessageBox(const FileMessage& message, const char* caption) {
  showMessageBox(message.text + message.file.string(), caption);
}

void watchMessageBoxes(MessageBoxWatcher watching) {
  std::lock_guard<std::mutex> lock(watcherMutex());
  watcher() = std::move(watching);
}

}  // namespace stats
