#pragma once
// The window thread's side of its control block (window_thread_win.cpp), and the unload hooks
// that DllMain calls.
#include <windows.h>

namespace stats {

// Private message to the setup window: close the windows and end the window thread.
constexpr UINT kStopMessage = WM_APP + 77;
// Sent to the setup window by an unload whose wait ran out while the window thread waits in a
// host call (which still handles sent messages): destroy every window now, the thread is ended.
constexpr UINT kDestroyForUnloadMessage = WM_APP + 78;

// The setup window announces itself once it exists; true when a stop was asked for before it
// existed (the window then closes at once).
bool publishSetupWindow(HWND window);
void withdrawSetupWindow();
// The first refresh has run: the windows the settings show are open.
void announceWindowsSettled();
// A stop was asked for: no new window may be opened.
bool windowStopRequested();
// True while the library is being unloaded: the window thread then leaves COM alone.
bool windowsUnloading();

// Held by the window thread around each call into the host's object: an unload whose wait runs
// out while the thread is inside one ends the thread there (window_thread_win.cpp).
class HostCallScope {
 public:
  HostCallScope();
  ~HostCallScope();
  HostCallScope(const HostCallScope&) = delete;
  HostCallScope& operator=(const HostCallScope&) = delete;
};

// DLL_PROCESS_DETACH by FreeLibrary (the loader lock is held). At process exit nothing of the
// library runs (plugin/dll_main_win.cpp). True when no window thread is left that could still
// read the state.
bool stopWindowsForUnload();

}  // namespace stats
