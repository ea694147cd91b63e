#include "plugin/state.h"

namespace stats {

namespace {

PluginState*& heldState() {
  static PluginState* state = new PluginState;
  return state;
}

}  // namespace

// Never destroyed by the runtime: it runs static destructors at unload after DllMain, also when a
// window thread that outlived a failed stop still reads the state, and at process exit. DllMain
// gives it back at FreeLibrary when no window thread is left: the heap is the process's, and a
// host that loads the library again and again would otherwise run out of address space.
PluginState& pluginState() { return *heldState(); }

void releasePluginState() {
  delete heldState();
  heldState() = nullptr;
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
