#pragma once
// The windows' part of the plug-in's state, and the way the window thread reaches the state:
// plugin/ composes the parts and owns the one lock that guards them all.
#include <array>
#include <mutex>
#include <string>

#include "contest/contest_rules.h"
#include "log/log_session.h"
#include "reports/result.h"

namespace stats {

// One row of the worked-with table: the band name and four cells.
using BandInfoRow = std::array<std::string, 5>;

struct WindowState {
  std::array<BandInfoRow, kBandCount> BandInfoRows;
  int useHint = 0;
  int windowOnTop = 0;
  int showRdaWindow = 0;
  int showDxccWindow = 0;
  std::string enteredCall;
  int enteredCallPresent = 0;
  int currentBand = -1;
  int refreshReady = 1;
  int shownDistrictCount = 0;
};

// The reset's rows: each band's name and "-" in every cell.
void resetBandInfoRows(WindowState& windows);

// What the window thread may touch of the state while it holds the lock: its own part, and the
// log's and the result's to read.
struct WindowView {
  WindowState& windows;
  const LogSession& log;
  const ResultState& result;
};

// How the window thread finds the state: plugin/ connects its lock and its parts before any
// export can start the window thread.
using WindowViewSource = WindowView (*)();
void connectWindowState(std::mutex& lock, WindowViewSource source);

// Creates the state, if it does not exist yet, without taking the lock (which the caller may
// hold): an object that uses the state from its destructor calls it first, so that the state
// is destroyed after it.
void createWindowState();

// Holds the state lock for its lifetime, on the window thread.
class WindowLock {
 public:
  WindowLock();
  WindowView view() const;

 private:
  std::unique_lock<std::mutex> lock_;
};

}  // namespace stats
