#pragma once
// Puts the plug-in's state back as it is at load: the tests share one process-wide state.
#include <mutex>

#include "plugin/state.h"

namespace stats {

inline void resetPluginStateForTests() {
  std::lock_guard<std::mutex> lock(stateMutex());
  pluginState() = PluginState();
}

}  // namespace stats
