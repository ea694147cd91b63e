#pragma once
// The result the host shows: tab-separated text, or the HTML page once the host asked for it.
#include <string>

#include "reports/score.h"

namespace stats {

struct ResultTitle {
  std::string startDayMonth;
  std::string endDate;
  std::string ownCall;
};

// `withRates`: the rates block closes the text (no export running and a non-empty log).
std::string resultText(const ScoreSummary& s, const ResultTitle& title, int badQsoCount, bool withRates);

// `sevenColumns`: the layout with the DXCC column (own station in Russia at the last reset).
std::string resultHtml(const ScoreSummary& s, const ResultTitle& title, int badQsoCount, bool sevenColumns);

}  // namespace stats
