#pragma once
// The setup window's behaviour and the refresh, portable: the Windows
// dialog and the native stand-in both drive one SetupController on their window thread and give
// it their windows through WindowSet.
//
// Shared state: every read and write of the state happens under the state lock (WindowLock) in
// short sections; the lock is never held across a window operation (painting a window takes it)
// or a host call (which may be slow).
#include <memory>

#include "ui/host_link.h"
#include "ui/window_set.h"

namespace stats {

class SetupController {
 public:
  explicit SetupController(WindowSet& windows) : windows_(windows) {}

  // Takes the host link (null when there is no host), reads the settings, sets the texts,
  // applies CW mode and posts the first refresh; placement, brush and icon belong to the window.
  void initialise(std::unique_ptr<HostLink> host);

  void chooseCw();   // button 1003
  void chooseSsb();  // button 1004
  void toggleRda();    // check box 1115
  void toggleDxcc();   // check box 1116
  void toggleHint();   // check box 1117
  void toggleOnTop();  // check box 1119

  // The refresh request. A request that arrives while a refresh is running (a host call may
  // dispatch messages while it waits) is not nested: the running refresh goes round once more.
  void refresh();
  bool refreshing() const { return refreshing_; }

  // The stop routine's part: closes the DXCC window, then the RDA window.
  void closeInfoWindows();

  // The host link, handed back when the window thread ends (it must be released there).
  std::unique_ptr<HostLink> releaseHost() { return std::move(host_); }

 private:
  void refreshOnce();
  void openInfoWindows();
  void applyMode(bool cw);
  void showMembers();
  void requestRefresh();  // refreshReady = 1, then post

  // Held around the host calls of a refresh or a mode button. A host call may let messages
  // through while it waits (a COM call does), so one of them can run inside another's call:
  // only the outermost gives the connection back and drops a host that has gone away.
  class HostUse {
   public:
    explicit HostUse(SetupController& c) : c_(c) { ++c_.hostUsers_; }
    ~HostUse();
    HostUse(const HostUse&) = delete;
    HostUse& operator=(const HostUse&) = delete;

   private:
    SetupController& c_;
  };

  WindowSet& windows_;
  std::unique_ptr<HostLink> host_;
  int showRda_ = 0, showDxcc_ = 0, useHintBox_ = 0, onTopBox_ = 0;
  bool refreshing_ = false;
  bool refreshAgain_ = false;
  int hostUsers_ = 0;
};

// The whole MHz of a frequency read from the host, as a band index 0..5, or -1 (also for
// values no rig has: negative, not a number, beyond 4 GHz).
int bandIndexOfHostFrequency(double hz);

}  // namespace stats
