#pragma once
// The committee's check of every QSO against the other station's log.
#include <cstdint>
#include <functional>
#include <iterator>
#include <vector>

#include "rdac/crosscheck/clock_offsets.h"
#include "rdac/crosscheck/submitted_logs.h"

namespace rdac {

enum class Verdict : uint8_t {
  ok, dupe, nil, bustedCall, bustedExchange, timeMismatch, bandMismatch, unique, noLogCredited,
  partnerError, outOfPeriod, xQso
};

// What a verdict means wherever the cross-check's results go; a new verdict is a new row here.
struct VerdictRow {
  Verdict verdict;
  const char* csvName;     // as checked.csv and the summary write it
  const char* ubnHeading;  // its section of a UBN file; null: none
  bool counts;             // the QSO earns its points
  bool ownError;           // the entrant is at fault: the penalty takes the QSO's points off
  int ubnPlace;            // where its section comes in a UBN file: the entrant's own errors first
};

inline constexpr VerdictRow kVerdicts[] = {
    {Verdict::ok, "ok", nullptr, true, false, 0},
    {Verdict::dupe, "dupe", "Dupes", false, false, 8},
    {Verdict::nil, "nil", "NIL: not in the other station's log", false, true, 1},
    {Verdict::bustedCall, "busted_call", "Busted calls", false, true, 2},
    {Verdict::bustedExchange, "busted_exchange", "Busted exchanges", false, true, 3},
    {Verdict::timeMismatch, "time_mismatch", "Time mismatches", false, false, 5},
    {Verdict::bandMismatch, "band_mismatch", "Band or mode mismatches", false, false, 6},
    {Verdict::unique, "unique", "Unique calls: no log, in too few logs", false, false, 7},
    {Verdict::noLogCredited, "no_log_credited", "Credited without a log", true, false, 9},
    {Verdict::partnerError, "partner_error", "Partner errors: the other station busted your call or exchange", false,
     false, 4},
    {Verdict::outOfPeriod, "out_of_period", "Outside the contest period", false, false, 10},
    {Verdict::xQso, "x_qso", "X-QSO: not counted, as you asked; your partner's copy is confirmed", false, false, 11},
};
constexpr int kVerdictCount = static_cast<int>(std::size(kVerdicts));

constexpr bool rowsInEnumOrder() {
  for (int v = 0; v < kVerdictCount; ++v)
    if (static_cast<int>(kVerdicts[v].verdict) != v) return false;
  return true;
}
static_assert(rowsInEnumOrder(), "kVerdicts holds one row per verdict, in the enum's order");

inline const VerdictRow& rowOf(Verdict v) { return kVerdicts[static_cast<int>(v)]; }
inline const char* verdictName(Verdict v) { return rowOf(v).csvName; }
inline bool counts(Verdict v) { return rowOf(v).counts; }
inline bool ownError(Verdict v) { return rowOf(v).ownError; }

struct CheckPolicy {
  int windowMinutes = 3;        // the most two logs' times of one QSO may differ, after clocks
  int clockWindowMinutes = 30;  // paired further apart than the window but within this, after
                                // clocks, a QSO is a time mismatch
  int largestClockOffset = 120;  // the most minutes a log's clock may be off and be found; apart
                                 // from the windows, so finding clocks loosens no time test
  int bustWindowMinutes = 10;   // a busted call is looked for this far in time: the one who
                                // busted the call may have logged the time wrong as well
  int creditedLogs = 3;  // a station without a log counts when that many logs hold its call
  // The contest period, minutes since 30 December 1899, its end excluded: QSOs outside it by
  // their log's corrected clock are out_of_period. By default no QSO is.
  int64_t periodStart = INT64_MIN, periodEnd = INT64_MAX;
  bool partnerErrorsCount = false;  // as several large contests do: the partner's slip costs nothing
};

struct QsoCheck {
  Verdict verdict = Verdict::ok;
  uint32_t partnerQso = kNoQso;  // the other log's QSO it was paired with
  uint32_t partnerCall = stats::TextIds::kNone;  // for a busted call: the right one
  static constexpr uint32_t kNoQso = UINT32_MAX;
};

struct CheckOutcome {
  std::vector<QsoCheck> qsos;          // one per SubmittedLogs::qsos
  std::vector<ClockModel> clocks;      // each entrant's clock
  std::vector<uint32_t> logsHolding;   // by station id: how many logs hold it
  bool partnerErrorsCount = false;     // as the policy said

  // The QSO's minute with its log's clock error taken out.
  int32_t correctedMinute(const CheckedQso& q) const { return q.minute - clocks[q.entrant].aheadAt(q.minute); }
  bool countsQso(size_t qso) const {
    const Verdict v = qsos[qso].verdict;
    return counts(v) || (partnerErrorsCount && v == Verdict::partnerError);
  }
};

// `progress` is told how many pairs of QSOs it has found so far, now and then.
CheckOutcome crossCheck(const SubmittedLogs& logs, const CheckPolicy& policy,
                        const std::function<void(size_t)>& progress = {});

}  // namespace rdac
