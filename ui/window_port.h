#pragma once
// What the plug-in asks of the window system. The Windows build shows real windows on a
// thread of their own; the native stand-in shows nothing and answers at once.
#include <string>

namespace stats {

// Whether `setupWindow` exists, that is, the window thread runs.
bool setupWindowExists();

// Posts the refresh request (WM_USER + 500, both parameters 0) to `setupWindow` when it
// exists; never waits for the window thread.
void postRefresh();

// Starts the window thread with the plug-in's windows; a running one is stopped first. Returns
// once the windows are open (at most about 3 s, serving COM calls meanwhile). Never call it
// while holding the state lock: the window thread takes it.
void StartWindowThread();

// Closes the windows and ends the window thread, waiting at most about 3 s (serving COM calls
// meanwhile; the design is in window_thread_win.cpp). Never call it holding the state lock.
void StopWindowThread();

}  // namespace stats
