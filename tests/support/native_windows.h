#pragma once
// The native stand-in's windows as a test sees them: what the plug-in would have shown, and the
// handles a test uses to play the operator (the host: fake_host_link.h).
#include "tests/support/native_message_box.h"
#include "ui/host_link_native.h"
#include "ui/window_thread_native.h"

namespace stats {

int postedRefreshCount();  // refresh requests posted while the stand-in's windows were open

NativeWindowModel nativeWindowModel();  // a copy, taken between two messages of the thread

// Waits until the window thread has handled every message posted so far; false on time-out
// or when no window thread runs.
bool waitForWindowsIdle(int timeoutMs = 5000);

// The operator clicks a button or check box of the setup window (posted to the window thread),
// or presses Escape in it.
void clickSetupControl(int id);
void pressSetupEscape();

// Holds the window thread between two messages, so that a test can post several requests and
// look at them before any is handled (the refreshReady throttle); a stop releases it.
void holdWindowThread(bool held);

}  // namespace stats
