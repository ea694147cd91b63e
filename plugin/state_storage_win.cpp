#include "plugin/state.h"

namespace stats {

// Both live as long as the process and are never destroyed: this toolchain's runtime runs static
// destructors at unload after DllMain, also when a window thread that outlived a failed stop
// still reads the state.
PluginState& pluginState() {
  static PluginState& state = *new PluginState;
  return state;
}

std::mutex& stateMutex() {
  static std::mutex& mutex = *new std::mutex;
  return mutex;
}

namespace {

WindowView windowView() { return windowViewOf(pluginState()); }

// Made while the library loads, before any export can start the window thread.
[[maybe_unused]] const bool windowStateConnected = (connectWindowState(stateMutex(), windowView), true);

}  // namespace

}  // namespace stats
