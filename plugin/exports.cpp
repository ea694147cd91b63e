// The export table: each export turns its arguments into owned values, takes the state lock
// where it touches the state, calls one module function and returns. Nothing thrown inside
// ever reaches the host: every export catches everything and answers its neutral result.
#include "plugin/exports.h"

#include <string>

#include "contest/exchange.h"
#include "log/call_args.h"
#include "log/intake.h"
#include "platform/boundary.h"
#include "platform/file_append.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "plugin/session_calls.h"
#include "plugin/state.h"
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

// The state lock as every export but AddData0 takes it: a burst of AddData0 calls is over, so
// the file intake kept open for it is closed, and no file of ours stays open between bursts.
class LockAfterAppends : public StateLock {
 public:
  LockAfterAppends() { closeAppendedFile(); }
};

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
    LockAfterAppends lock;
    removeContact(lock, args);
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
    LockAfterAppends lock;
    return checkCallForHost(lock, args, hintBuffer);
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
    LockAfterAppends lock;
    resetContest(lock, args);
    return 1;
  });
}

const char* GetResult0(int* status) {
  return guarded<const char*>(kEmptyText, [&]() -> const char* {
    LockAfterAppends lock;
    const char* text = produceResult(lock).c_str();
    if (status) *status = -1;
    return text;
  });
}

int GetNumberOfSets(void) {
  return guarded(1, [] { return 1; });
}

const char* GetSetName(int index) {
  return guarded<const char*>(kEmptyText, [&] { return index == 0 ? kSetName : kEmptyText; });
}

int GetExchgCount0(const char*, const char*, const char*) {
  return guarded(1, [] { return 1; });
}

int IsValidExchg0(const char* exch, const char*, const char*, const char*, int, int, int) {
  return guarded(0, [&] {
    const std::string text = argText(exch);
    LockAfterAppends lock;
    return isValidExchange(text, lock.state().log.DistrictList);
  });
}

unsigned long setVersion(const char*) {
  return guarded(0UL, [] {
    LockAfterAppends lock;
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
