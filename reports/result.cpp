#include "reports/result.h"

#include "contest/contest_rules.h"
#include "reports/result_text.h"
#include "reports/score.h"

namespace stats {

namespace {
constexpr size_t kResultCapacity = 64 * 1024;
}  // namespace

void computeResult(LogSession& log, ResultState& result) {
  log.qsoLog.setWorkedBands(sortedBands(log.qsoLog.workedBands()));
  result.badQsoCount = log.badQsoFile.countBad();

  const bool exporting = log.exportFlag != 0;
  ScoreSummary summary = summarise(log.qsoLog, log.qsoLog.workedBands(),
                                   {log.ownPrefix, log.ownContinent}, !exporting);
  // Lists of bands that no longer have a row keep what the last call built for them.
  for (size_t i = 0; i < summary.bandPrefixes.size(); ++i) {
    bool hasRow = false;
    for (const BandRow& row : summary.rows) hasRow |= exactBandIndex(row.band) == static_cast<int>(i);
    if (hasRow) result.bandPrefixes[i].swap(summary.bandPrefixes[i]);
  }
  result.workedDistricts.swap(summary.workedDistricts);

  result.claimedScore = summary.score;

  const ResultTitle title{log.startDayMonth, log.endDate, log.ownCall};
  const std::string text =
      result.htmlForm
          ? resultHtml(summary, title, result.badQsoCount, log.ownRussian != 0)
          : resultText(summary, title, result.badQsoCount, !exporting && !log.qsoLog.empty());
  // Rebuilt in the same buffer, so a host that kept the pointer still reads the latest text.
  if (result.resultText.capacity() < kResultCapacity) result.resultText.reserve(kResultCapacity);
  result.resultText.assign(text);
}

void forgetRemovedQso(ResultState& result, const QsoRemoval& removal) {
  if (removal.emptiedBand >= 0) result.bandPrefixes[removal.emptiedBand].clear();
  if (!removal.logEmptied) return;
  result.workedDistricts.clear();
  for (auto& prefixes : result.bandPrefixes) prefixes.clear();
}

}  // namespace stats
