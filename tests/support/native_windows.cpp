#include "tests/support/native_windows.h"

namespace stats {

int postedRefreshCount() { return nativeWindowThread().postedRefreshes(); }

NativeWindowModel nativeWindowModel() { return nativeWindowThread().model(); }

bool waitForWindowsIdle(int timeoutMs) { return nativeWindowThread().waitIdle(timeoutMs); }

void clickSetupControl(int id) { nativeWindowThread().post({WindowMessage::click, id}); }

void pressSetupEscape() { nativeWindowThread().post({WindowMessage::escape}); }

void holdWindowThread(bool held) { nativeWindowThread().hold(held); }

}  // namespace stats
