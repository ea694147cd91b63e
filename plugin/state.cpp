#include "plugin/state.h"

namespace stats {

void resetPluginStateForTests() {
  std::lock_guard<std::mutex> lock(stateMutex());
  pluginState() = PluginState();
}

}  // namespace stats
