#pragma once
// Claimed and checked scores of every entrant, as the plug-in computes them: reset for the
// entrant's own call, fed the QSOs (all of them, or only those that count), asked for its result.
#include <atomic>
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

// Claimed scores, which need no check: entrant after entrant until all have theirs or `stop`
// is set; how many have. `scores` gets one per entrant, those not reached unscored. The
// plug-in runs in the current folder, laid out already.
size_t scoreClaimedWhile(PluginLibrary& plugin, const CountryFile& countries, const SubmittedLogs& logs,
                         const std::atomic<bool>& stop, std::vector<EntrantScore>& scores);

// Scores of the entrants from `first` up to `last` into `scores` (sized for every entrant; the
// others keep theirs). Those below `claimedBefore` come with their claimed scores from
// scoreClaimedWhile and get their checked ones. The plug-in runs in the current folder, laid
// out already. `penalty` times the points of each QSO the entrant is at fault for (busted call,
// busted exchange, NIL) is taken off the points.
void scoreEntrants(PluginLibrary& plugin, const CountryFile& countries, const SubmittedLogs& logs,
                   const CheckOutcome& outcome, double penalty, size_t first, size_t last, size_t claimedBefore,
                   const std::function<void(size_t)>& progress, std::vector<EntrantScore>& scores);

}  // namespace rdac
