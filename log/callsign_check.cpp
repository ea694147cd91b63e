#include "log/callsign_check.h"

#include <cstring>

#include "contest/contest_rules.h"
#include "contest/prefixes.h"
#include "platform/text.h"

namespace stats {
namespace {

bool canOfferHint(const HintInputs& hints, const std::string& hint) {
  return hints.useHint && !hint.empty() && hint != "STO" && hint != "SPEC";
}

}  // namespace

CallCheck checkCall(const LogSession& log, const HintInputs& hints, const CheckArgs& args) {
  CallCheck check;
  if (args.call.size() < 4) return check;
  log.qsoLog.expectCall(args.call);  // loads while the band, mode and station are checked

  const bool lenientHost = log.hostVersion == "2.19" || log.hostVersion == "2.20";
  const int cannotCount = lenientHost ? kOrdinary : kCannotCount;
  check.result = cannotCount;
  if (args.band && args.secondBand && !equalsNoCase(*args.band, *args.secondBand)) return check;
  const std::string band = args.band.value_or(std::string());
  if (!bandRules.contains(band) || !modeRules.contains(args.mode)) return check;
  const bool russianStation = IsRdaPrefix(args.prefix) == 1;
  if (log.ownRussian == 0 && !russianStation) return check;

  // A dupe answers at once; otherwise a Russian station's hint is the exchange of its last QSO.
  const LogStore::CallRecords worked = log.qsoLog.lookupCall(args.call, band, args.mode);
  std::string hint;
  if (worked.worked && russianStation) hint = worked.lastExchRcvd;
  if (worked.hasContact) {
    check.result = kDupeCall;
    return check;
  }
  check.result = log.qsoLog.hasBandPrefix(band, args.prefix) ? kOrdinary : kNewMultiplier;

  if (hints.callEntered && russianStation && hint.empty())
    hint = GuessRdaRegion(hints.enteredCall, log.StationHintList);
  if (canOfferHint(hints, hint)) check.hint = hint;
  return check;
}

void writeHint(char* hintBuffer, const std::string& hint) {
  if (!hintBuffer || hint.empty()) return;
  if (hint.size() >= LogStore::kHintView) {
    hintBuffer[0] = '\0';
    return;
  }
  std::memcpy(hintBuffer, hint.c_str(), hint.size() + 1);
}

}  // namespace stats
