#include <atomic>
#include <mutex>

#include "ui/native_windows.h"
#include "ui/window_port.h"

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

std::atomic<bool> windowsOpen{false};
std::atomic<int> refreshRequests{0};

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

bool setupWindowExists() { return windowsOpen; }

void postRefresh() {
  if (windowsOpen) ++refreshRequests;
}

void StartWindowThread() { windowsOpen = true; }

void StopWindowThread() { windowsOpen = false; }

int postedRefreshCount() { return refreshRequests; }

}  // namespace stats
