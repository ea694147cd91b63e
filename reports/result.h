#pragma once
// GetResult0: everything recomputed from the whole log on every call.
#include <array>
#include <string>
#include <vector>

#include "contest/contest_rules.h"
#include "log/intake.h"
#include "log/log_session.h"

namespace stats {

// The result's part of the plug-in's state: what the last GetResult0 computed, the text the
// host reads and the lists the windows show.
struct ResultState {
  int htmlForm = 0;  // set by setVersion, never cleared
  int claimedScore = 0;
  int badQsoCount = 0;
  std::string resultText;
  std::vector<std::string> workedDistricts;
  std::array<std::vector<std::string>, kBandCount> bandPrefixes;
};

// Puts workedBands into band order, counts the bad-QSO file, rebuilds workedDistricts and
// bandPrefixes (swapped in whole, so a reader never sees them half built), stores the claimed
// score, and rebuilds the result text (HTML once setVersion was called).
void computeResult(LogSession& log, ResultState& result);

// A removal emptied a band or the whole log: the lists must not show what they had.
void forgetRemovedQso(ResultState& result, const QsoRemoval& removal);

}  // namespace stats
