#pragma once
// Claimed and checked scores of every entrant, as the plug-in computes them: reset for the
// entrant's own call, fed the QSOs (all of them, or only those that count), asked for its result.
#include <cstdint>
#include <functional>
#include <vector>

#include "rdac/crosscheck/cross_check.h"
#include "rdac/logs/country_file.h"
#include "rdac/score/plugin_library.h"

namespace rdac {

struct EntrantScore {
  bool scored = false;  // false: the country file places the entrant's own call nowhere
  int64_t claimedScore = 0, checkedScore = 0;
  int claimedPoints = 0, checkedPoints = 0;
  int penaltyPoints = 0;  // taken off the checked points
  size_t claimedQsos = 0, checkedQsos = 0;  // QSOs in the log, and those that count
};

// Scores of the entrants from `first` up to `last` (the others stay unscored). The plug-in runs
// in the current folder, laid out already. `penalty` times the points of each QSO the entrant
// is at fault for (busted call, busted exchange, NIL) is taken off the points.
std::vector<EntrantScore> scoreEntrants(PluginLibrary& plugin, const CountryFile& countries,
                                        const SubmittedLogs& logs, const CheckOutcome& outcome, double penalty,
                                        size_t first, size_t last, const std::function<void(size_t)>& progress);


}  // namespace rdac
