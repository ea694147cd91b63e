#include "plugin/state.h"

namespace stats {

PluginState& pluginState() {
  static PluginState state;
  return state;
}

std::mutex& stateMutex() {
  static std::mutex mutex;
  return mutex;
}

void resetPluginStateForTests() {
  std::lock_guard<std::mutex> lock(stateMutex());
  pluginState() = PluginState();
}

}  // namespace stats
