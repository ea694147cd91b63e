#pragma once
// The committee's check of every QSO against the other station's log.
#include <cstdint>
#include <functional>
#include <vector>

#include "rdac/crosscheck/submitted_logs.h"

namespace rdac {

enum class Verdict : uint8_t {
  ok, dupe, nil, bustedCall, bustedExchange, timeMismatch, bandMismatch, unique, noLogCredited,
  partnerError
};
constexpr int kVerdictCount = 10;

// As checked.csv writes it: "ok", "busted_call", ...
const char* verdictName(Verdict verdict);
// Whether a QSO with this verdict earns its points.
inline bool counts(Verdict v) { return v == Verdict::ok || v == Verdict::noLogCredited; }

struct CheckPolicy {
  int windowMinutes = 3;        // the most two logs' times of one QSO may differ, after clocks
  int clockWindowMinutes = 30;  // pairs this close in time estimate the clocks; beyond the window
                                // they are a time mismatch
  int creditedLogs = 3;  // a station without a log counts when that many logs hold its call
};

struct QsoCheck {
  Verdict verdict = Verdict::ok;
  uint32_t partnerQso = kNoQso;  // the other log's QSO it was paired with
  uint32_t partnerCall = TextPool::kNone;  // for a busted call: the right one
  static constexpr uint32_t kNoQso = UINT32_MAX;
};

struct CheckOutcome {
  std::vector<QsoCheck> qsos;          // one per SubmittedLogs::qsos
  std::vector<int> clockOffsets;       // minutes each entrant's clock was ahead
  std::vector<uint32_t> logsHolding;   // by station id: how many logs hold it
};

// `progress` is told how many pairs of QSOs it has found so far, now and then.
CheckOutcome crossCheck(const SubmittedLogs& logs, const CheckPolicy& policy,
                        const std::function<void(size_t)>& progress = {});

}  // namespace rdac
