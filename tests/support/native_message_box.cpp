#include "tests/support/native_message_box.h"

#include <mutex>

#include "platform/message_box_native.h"

namespace stats {
namespace {

struct ShownMessages {
  std::mutex mutex;
  std::vector<ShownMessage> shown;
};

// Watches from the start, so that a test also sees the boxes shown before it first asks.
ShownMessages& recorder() {
  static ShownMessages* const messages = [] {
    auto* record = new ShownMessages;
    watchMessageBoxes([record](const std::string& text, const char* caption) {
      std::lock_guard<std::mutex> lock(record->mutex);
      record->shown.push_back({text, caption ? caption : "", caption != nullptr});
    });
    return record;
  }();
  return *messages;
}
const bool watching = (recorder(), true);

}  // namespace

std::vector<ShownMessage> shownMessages() {
  std::lock_guard<std::mutex> lock(recorder().mutex);
  return recorder().shown;
}

void clearShownMessages() {
  std::lock_guard<std::mutex> lock(recorder().mutex);
  recorder().shown.clear();
}

}  // namespace stats
