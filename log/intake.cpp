#include "log/intake.h"

#include "contest/contest_rules.h"
#include "contest/prefixes.h"
#include "log/bad_qso_file.h"
#include "platform/text.h"

namespace stats {
namespace {

// Every field of the record, so a reused one keeps nothing of its past.
void fill(CInfo& r, const QsoArgs& qso) {
  r.call.assign(qso.call);
  r.band.assign(qso.band);
  r.mode.assign(qso.mode);
  r.continent.assign(qso.continent);
  r.rstRcvd.assign(qso.rstRcvd);
  r.rstSent.assign(qso.rstSent);
  r.exchRcvd.assign(qso.exchRcvd);
  r.exchSent.assign(qso.exchSent);
  r.prefix.clear();
  r.district.clear();
  r.districtLine.clear();
  r.dupeLine.clear();
  r.freqKHz = static_cast<int32_t>(qso.freqHz / 1000);
  r.noScore = r.badQso = r.dupe = 0;
  r.qsoTime = qso.qsoTime;
}

CInfo recordOf(const QsoArgs& qso) {
  CInfo r;
  fill(r, qso);
  return r;
}

// Refused QSOs get their line and are not stored.
const char* refusal(const QsoArgs& qso) {
  if (!bandRules.contains(qso.band)) return kWrongBand;
  if (!modeRules.contains(qso.mode)) return kWrongMode;
  if (qso.exchRcvd.empty() || qso.exchSent.empty()) return kNoExchange;
  return nullptr;
}

}  // namespace

std::string normalisedDistrict(std::string_view exchRcvd) {
  // Built in place: half the QSOs of a reload come through here.
  const size_t n = exchRcvd.size();
  const std::string_view head = n < 2 ? exchRcvd : exchRcvd.substr(0, 2);
  const std::string_view tail = n < 2 ? exchRcvd : exchRcvd.substr(n - 2);
  char code[4];
  size_t end = 0;
  for (std::string_view part : {head, tail})
    for (char c : part) code[end++] = asciiUpper(c);
  size_t begin = 0;
  while (begin < end && isAsciiSpace(code[begin])) ++begin;
  while (end > begin && isAsciiSpace(code[end - 1])) --end;
  return std::string(code + begin, end - begin);
}

int addQso(LogSession& log, const QsoArgs& qso) {
  CInfo& record = log.qsoLog.nextRecord(qso.call);
  if (const char* reason = refusal(qso)) {
    log.badQsoFile.append(badQsoLine(qso, reason));
    return 0;
  }
  log.qsoLog.addWorkedBand(qso.band);
  fill(record, qso);
  record.prefix = FoldCountryPrefix(qso.prefix);
  if (IsRdaPrefix(qso.prefix)) {
    const std::string code = normalisedDistrict(qso.exchRcvd);
    if (log.DistrictList.IsKnownDistrict(code)) {
      record.district = code;
      record.exchRcvd = code;
    } else {
      record.badQso = record.noScore = 1;
      record.districtLine = badQsoLine(qso, unknownDistrictReason(code));
    }
  }
  // Earlier records count whatever their own flags.
  if (log.qsoLog.commitFlaggingDupe()) record.dupeLine = badQsoLine(qso, kDupe);
  if (!record.districtLine.empty() || !record.dupeLine.empty())
    log.badQsoFile.append(record.districtLine + record.dupeLine);
  return 1;
}

QsoRemoval removeQso(LogSession& log, const QsoArgs& qso) {
  QsoRemoval removal;
  const CInfo probe = recordOf(qso);
  std::string gone;  // the lines that leave the bad-QSO file with the contact
  const size_t match = log.qsoLog.findContact(probe);
  if (match != LogStore::npos) {
    const CInfo& removed = log.qsoLog.at(match);
    gone = removed.districtLine + removed.dupeLine;
    if (CInfo* promoted = log.qsoLog.removeAt(match)) {
      gone += promoted->dupeLine;
      promoted->dupeLine.clear();
    }
    if (!log.qsoLog.hasWorkedBand(probe.band)) removal.emptiedBand = exactBandIndex(probe.band);
  } else if (const char* reason = refusal(qso)) {
    gone = badQsoLine(qso, reason);
  }
  if (log.qsoLog.empty()) {
    log.qsoLog.clearWorkedBands();
    removal.logEmptied = true;
  }
  log.badQsoFile.remove(gone);
  return removal;
}

}  // namespace stats
