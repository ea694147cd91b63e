#include <mutex>

#include "platform/message_box.h"
#include "platform/native_message_box.h"

namespace stats {
namespace {

std::mutex& messagesMutex() {
  static std::mutex mutex;
  return mutex;
}
std::vector<ShownMessage>& messages() {
  static std::vector<ShownMessage> shown;
  return shown;
}

}  // namespace

void showMessageBox(const std::string& text, const char* caption) {
  std::lock_guard<std::mutex> lock(messagesMutex());
  messages().push_back({text, caption ? caption : "", caption != nullptr});
}

std::vector<ShownMessage> shownMessages() {
  std::lock_guard<std::mutex> lock(messagesMutex());
  return messages();
}

void clearShownMessages() {
  std::lock_guard<std::mutex> lock(messagesMutex());
  messages().clear();
}

}  // namespace stats
