// The export table: each export turns its arguments into owned values, takes the state lock
// where it touches the state, calls one module function and returns. Nothing thrown inside
// ever reaches the host: every export catches everything and answers its neutral result.
#include "plugin/exports.h"

#include <string>

#include "contest/exchange.h"
#include "log/call_args.h"
#include "log/callsign_check.h"
#include "log/intake.h"
#include "log/reset.h"
#include "platform/boundary.h"
#include "platform/file_append.h"
#include "platform/message_box.h"
#include "platform/settings.h"
#include "platform/text.h"
#include "plugin/cabrillo_export.h"
#include "plugin/state.h"
#include "reports/result.h"
#include "ui/window_port.h"

using namespace stats;

namespace {

const char kSetName[] = "RDAC (C)";
const char kNoSetupText[] = "No additional setup for this contest";
const char kEmptyText[] = "";

QsoArgs qsoArgs(const char* ownCall, const char* call, const COleDateTime* qsoTime,
                unsigned int freqHz, const char* mode, const char* rstSent, const char* rstRcvd,
                const char* exchSent, const char* exchRcvd, const char* prefix,
                const char* continent, const char* band) {
  QsoArgs a;
  a.ownCall = argView(ownCall);
  a.call = argView(call);
  a.qsoTime = readDateTime(qsoTime);
  a.freqHz = freqHz;
  a.mode = argView(mode);
  a.rstSent = argView(rstSent);
  a.rstRcvd = argView(rstRcvd);
  a.exchSent = argView(exchSent);
  a.exchRcvd = argView(exchRcvd);
  a.prefix = argView(prefix);
  a.continent = argView(continent);
  a.band = argView(band);
  return a;
}

std::optional<std::string> optionalText(const char* text) {
  if (!text) return std::nullopt;
  return std::string(text);
}

// What the exports do across the parts of the state: no layer below reaches another's part.

void removeQsoEverywhere(PluginState& state, const QsoArgs& args) {
  forgetRemovedQso(state.result, removeQso(state.log, args));
  state.windows.refreshReady = 1;
}

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

void computeAndClaim(PluginState& state) {
  computeResult(state.log, state.result);
  writeSetting("Claimed", std::to_string(state.result.claimedScore));
}

}  // namespace

extern "C" {

int AddData0(const char* ownCall, const char* call, COleDateTime* qsoTime, COleDateTime*,
             COleDateTime*, COleDateTime*, unsigned int, unsigned int freqHz, const char* mode,
             const char* rstSent, const char* rstRcvd, const char* exchSent, const char* exchRcvd,
             const char*, const char*, const char*, const char*, const char*, const char*,
             const char*, const char*, const char*, const char* prefix, int, int, int, double,
             double, const char*, const char* continent, const char*, const char* band,
             const char*) {
  return guarded(0, [&] {
    const QsoArgs args = qsoArgs(ownCall, call, qsoTime, freqHz, mode, rstSent, rstRcvd, exchSent,
                                 exchRcvd, prefix, continent, band);
    StateLock lock;
    return addQso(lock.state().log, args);
  });
}

int RemoveData0(const char* ownCall, const char* call, COleDateTime* qsoTime, COleDateTime*,
                COleDateTime*, COleDateTime*, unsigned int, unsigned int freqHz, const char* mode,
                const char* rstSent, const char* rstRcvd, const char* exchSent,
                const char* exchRcvd, const char*, const char*, const char*, const char*,
                const char*, const char*, const char*, const char*, const char*,
                const char* prefix, int, int, int, double, double, const char*,
                const char* continent, const char*, const char* band, const char*) {
  return guarded(1, [&] {
    const QsoArgs args = qsoArgs(ownCall, call, qsoTime, freqHz, mode, rstSent, rstRcvd, exchSent,
                                 exchRcvd, prefix, continent, band);
    StateLock lock;
    closeAppendedFile();  // a burst of AddData0 calls is over: hold no file between calls
    removeQsoEverywhere(lock.state(), args);
    postRefresh();
    return 1;
  });
}

int CheckCall0(const char* call, unsigned int, unsigned int, const char* mode, const char*,
               const char*, const char*, const char*, const char*, const char*, const char*,
               const char*, const char*, const char* prefix, int, int, int, double, double,
               const char*, const char*, const char*, const char*, const char*, const char* band,
               const char* secondBand, char* hintBuffer, char*) {
  // An answer of "ordinary" is the one that misleads the operator least if anything fails.
  return guarded(1, [&] {
    CheckArgs args;
    args.call = argText(call);
    args.mode = argText(mode);
    args.prefix = argText(prefix);
    args.band = optionalText(band);
    args.secondBand = optionalText(secondBand);
    StateLock lock;
    closeAppendedFile();  // a burst of AddData0 calls is over: hold no file between calls
    PluginState& state = lock.state();
    if (setupWindowExists() && state.windows.refreshReady == 1) {
      state.windows.refreshReady = 0;
      postRefresh();
    }
    const CallCheck check = checkCall(state.log, hintInputsOf(state.windows), args);
    if (!check.hint.empty()) writeHint(hintBuffer, check.hint);
    return check.result;
  });
}

int ResetStats0(const char* ownFolder, int exportFlag, const char* ownCall,
                COleDateTime* contestStart, COleDateTime* contestEnd, const char*, const char*,
                const char*, const char*, const char*, const char*, const char*, const char*,
                const char*, const char* ownPrefix, int, int, int, double, double, const char*,
                const char* ownContinent, const char*) {
  return guarded(1, [&] {
    ResetArgs args;
    args.ownFolder = argText(ownFolder);
    args.exportFlag = exportFlag;
    args.ownCall = argText(ownCall);
    args.contestStart = readDateTime(contestStart);
    args.contestEnd = readDateTime(contestEnd);
    args.ownPrefix = argText(ownPrefix);
    args.ownContinent = argText(ownContinent);
    StateLock lock;
    closeAppendedFile();  // a burst of AddData0 calls is over: hold no file between calls
    resetLog(lock.state().log, args);
    useSettingsFolder(lock.state().log.contestFolder);
    resetBandInfoRows(lock.state().windows);
    if (args.exportFlag != 0) {
      prepareExport(lock, lock.state().log.ownCall, args.contestStart, args.contestEnd);
      writeSetting("Start", "1");
    }
    const bool startThread = toggleStart(lock.state().log.hostVersion, setupWindowExists());
    startBadQsoFile(lock.state().log, args);
    lock.release();
    if (startThread) StartWindowThread();
    return 1;
  });
}

const char* GetResult0(int* status) {
  return guarded<const char*>(kEmptyText, [&]() -> const char* {
    StateLock lock;
    closeAppendedFile();  // a burst of AddData0 calls is over: hold no file between calls
    computeAndClaim(lock.state());
    if (lock.state().log.exportFlag != 0) runCabrilloExport(lock);
    if (status) *status = -1;
    const FileMessage failure = lock.state().log.badQsoFile.takeFailureMessage();
    if (!failure.empty()) {
      StateLockReleased unlocked(lock);
      showFileMessageBox(failure, "Output");
    }
    return lock.state().result.resultText.c_str();
  });
}

int GetNumberOfSets(void) { return 1; }

const char* GetSetName(int index) { return index == 0 ? kSetName : kEmptyText; }

int GetExchgCount0(const char*, const char*, const char*) { return 1; }

int IsValidExchg0(const char* exch, const char*, const char*, const char*, int, int, int) {
  return guarded(0, [&] {
    const std::string text = argText(exch);
    StateLock lock;
    closeAppendedFile();  // a burst of AddData0 calls is over: hold no file between calls
    return isValidExchange(text, lock.state().log.DistrictList);
  });
}

unsigned long setVersion(const char*) {
  return guarded(0UL, [] {
    StateLock lock;
    closeAppendedFile();  // a burst of AddData0 calls is over: hold no file between calls
    lock.state().result.htmlForm = 1;
    return 0UL;
  });
}

void SetupSet0(void) {
  guarded(0, [] {
    showMessageBox(kNoSetupText, nullptr);
    return 0;
  });
}

const char* RunCommand0(int, const char* command) {
  return guarded<const char*>(kEmptyText, [&]() -> const char* {
    const std::string text = argText(command);
    if (text == "SHOWINFO")
      StartWindowThread();
    else if (text == "HIDEINFO")
      StopWindowThread();
    return kEmptyText;
  });
}

}  // extern "C"
