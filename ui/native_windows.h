#pragma once
// Native stand-in only: what the plug-in would have shown, for the tests and the
// command-line host to read, and the handles a test uses to play the operator and the host.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_message_box.h"
#include "ui/host_link.h"
#include "ui/window_position.h"

namespace stats {

int postedRefreshCount();  // refresh requests posted while the stand-in's windows were open

// The host link that each new window thread connects to; an empty factory (the default) or a
// factory returning null means no host.
void setHostLinkFactory(std::function<std::unique_ptr<HostLink>()> factory);

// What the windows show, kept by the native window thread exactly where the Windows build
// would set window texts, check boxes and list boxes.
struct NativeWindowModel {
  bool setupOpen = false;  // `setupWindow` present
  std::string setupTitle;
  std::map<int, std::string> controlTexts;  // the setup window's controls by id
  std::map<int, bool> checked;
  std::map<int, bool> enabled;
  WindowPoint setupPosition;

  bool rdaOpen = false;
  std::string rdaTitle;
  std::vector<std::string> rdaList;  // in the list box's order (sorted, letter case ignored)
  WindowPoint rdaPosition;
  int rdaListFills = 0;
  int rdaInvalidations = 0;

  bool dxccOpen = false;
  std::string dxccTitle;
  WindowPoint dxccPosition;
  int dxccInvalidations = 0;

  int refreshesHandled = 0;  // refresh requests the window thread has run
};

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
