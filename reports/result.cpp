#include "reports/result.h"

#include "plugin/settings.h"
#include "reports/bad_qso_file.h"
#include "reports/result_text.h"
#include "reports/score.h"

namespace stats {

namespace {
constexpr size_t kResultCapacity = 64 * 1024;
}  // namespace

void computeResult(PluginState& state) {
  state.qsoLog.setWorkedBands(sortedBands(state.qsoLog.workedBands()));
  state.badQsoCount = state.badQsoFile.countBad();

  const bool exporting = state.exportFlag != 0;
  ScoreSummary summary = summarise(state.qsoLog, state.qsoLog.workedBands(),
                                   {state.ownPrefix, state.ownContinent}, !exporting);
  // Lists of bands that no longer have a row keep what the last call built for them.
  for (size_t i = 0; i < summary.bandPrefixes.size(); ++i) {
    bool hasRow = false;
    for (const BandRow& row : summary.rows) hasRow |= exactBandIndex(row.band) == static_cast<int>(i);
    if (hasRow) state.bandPrefixes[i].swap(summary.bandPrefixes[i]);
  }
  state.workedDistricts.swap(summary.workedDistricts);

  state.claimedScore = summary.score;
  writeSetting("Claimed", std::to_string(summary.score));

  const ResultTitle title{state.startDayMonth, state.endDate, state.ownCall};
  const std::string text =
      state.htmlForm
          ? resultHtml(summary, title, state.badQsoCount, state.ownRussian != 0)
          : resultText(summary, title, state.badQsoCount, !exporting && !state.qsoLog.empty());
  // Rebuilt in the same buffer, so a host that kept the pointer still reads the latest text.
  if (state.resultText.capacity() < kResultCapacity) state.resultText.reserve(kResultCapacity);
  state.resultText.assign(text);
}

}  // namespace stats
