#include "plugin/session_calls.h"

#include <string>

#include "log/callsign_check.h"
#include "log/intake.h"
#include "log/reset.h"
#include "platform/message_box.h"
#include "platform/settings.h"
#include "plugin/cabrillo_export.h"
#include "reports/result.h"
#include "ui/window_port.h"

namespace stats {
namespace {

HintInputs hintInputsOf(const WindowState& windows) {
  HintInputs hints;
  hints.useHint = windows.useHint == 1;
  hints.callEntered = windows.enteredCallPresent == 1;
  hints.enteredCall = windows.enteredCall;
  return hints;
}

// Host versions whose own windows clash with the plug-in's: the reset never opens them there.
bool hostWithoutWindowThread(const std::string& version) {
  for (const char* v : {"2.18", "2.17", "2.16", "2.15", "2.14", "2.14R"})
    if (version == v) return true;
  return false;
}

// The "Start" toggle of the settings file, which decides whether the reset starts the window
// thread (returned).
bool toggleStart(const std::string& hostVersion, bool windowThreadRuns) {
  if (readSettingInt("Start") != 0) {
    writeSetting("Start", "0");
    return false;
  }
  if (windowThreadRuns) return false;
  writeSetting("Start", "1");
  return !hostWithoutWindowThread(hostVersion);
}

}  // namespace

void removeContact(StateLock& lock, const QsoArgs& args) {
  PluginState& state = lock.state();
  forgetRemovedQso(state.result, removeQso(state.log, args));
  state.windows.refreshReady = 1;
  postRefresh();
}

int checkCallForHost(StateLock& lock, const CheckArgs& args, char* hintBuffer) {
  PluginState& state = lock.state();
  if (setupWindowExists() && state.windows.refreshReady == 1) {
    state.windows.refreshReady = 0;
    postRefresh();
  }
  const CallCheck check = checkCall(state.log, hintInputsOf(state.windows), args);
  if (!check.hint.empty()) writeHint(hintBuffer, check.hint);
  return check.result;
}

void resetContest(StateLock& lock, const ResetArgs& args) {
  resetLog(lock.state().log, args);
  useSettingsFolder(lock.state().log.contestFolder);
  resetBandInfoRows(lock.state().windows);
  if (args.exportFlag != 0) {
    prepareExport(lock, lock.state().log.ownCall, args.contestStart, args.contestEnd);
    writeSetting("Start", "1");
  }
  const bool startThread = toggleStart(lock.state().log.hostVersion, setupWindowExists());
  startBadQsoFile(lock.state().log, args);
  const FileMessage warning = districtTableWarning(lock.state().log);
  lock.release();
  if (!warning.empty()) showFileMessageBox(warning, "Output");
  if (startThread) StartWindowThread();
}

const std::string& produceResult(StateLock& lock) {
  computeResult(lock.state().log, lock.state().result);
  writeSetting("Claimed", std::to_string(lock.state().result.claimedScore));
  if (lock.state().log.exportFlag != 0) runCabrilloExport(lock);
  const FileMessage failure = lock.state().log.badQsoFile.takeFailureMessage();
  if (!failure.empty()) {
    StateLockReleased unlocked(lock);
    showFileMessageBox(failure, "Output");
  }
  return lock.state().result.resultText;
}

}  // namespace stats
