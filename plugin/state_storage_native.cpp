#include "plugin/state.h"

namespace stats {

// Destroyed when libStats.so is unloaded: a host that loads and unloads it leaks nothing.
PluginState& pluginState() {
  static PluginState state;
  return state;
}

void releasePluginState() {}  // the static above goes with the library

std::mutex& stateMutex() {
  static std::mutex mutex;
  return mutex;
}

namespace {

WindowView windowView() { return windowViewOf(pluginState()); }

// Made while the library loads, before any export can start the window thread.
[[maybe_unused]] const bool windowStateConnected = (connectWindowState(stateMutex(), windowView), true);

}  // namespace

}  // namespace stats
