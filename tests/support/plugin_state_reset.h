#pragma once
// Puts the plug-in's state (the settings file's folder with it), and the window thread's way to
// it, back as they are at load: the tests share one process-wide state.
#include <mutex>

#include "platform/settings.h"
#include "plugin/state.h"

namespace stats {

inline void resetPluginStateForTests() {
  std::lock_guard<std::mutex> lock(stateMutex());
  pluginState() = PluginState();
  useSettingsFolder(FilePath());  // as at load: no reset has fixed a contest's folder yet
}

// Connects the window thread back to the plug-in's state, after a test connected it to parts of
// its own (as plugin/ connects it at load).
inline void reconnectWindowsToPluginState() {
  connectWindowState(stateMutex(), [] { return windowViewOf(pluginState()); });
}

}  // namespace stats
