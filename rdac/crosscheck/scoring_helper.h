#pragma once
// Scoring the entrants in two processes at once: the plug-in's state is one per process, and
// scoring is most of a cross-check's time. The second process is forked; its scores come back
// through a pipe.
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "rdac/crosscheck/cross_check_scores.h"

namespace rdac {

// The entrants from `first` up to `last`, scored by the plug-in at `pluginPath` working in
// `folder` (laid out already).
struct ScoringJob {
  std::string folder;
  std::string pluginPath;
  const CountryFile& countries;
  const SubmittedLogs& logs;
  const CheckOutcome& outcome;
  double penalty = 0;
  size_t first = 0, last = 0;
  std::function<void(size_t)> progress;  // entrants done so far; may be empty
  std::function<void()> done;            // when its scoring is over, before more is said; may be empty
};

// Runs the job in this process; false, said on `err`, when the folder or the plug-in cannot
// be had. `scores` then holds a score for every entrant, those outside the job unscored.
bool scoreHere(const ScoringJob& job, std::vector<EntrantScore>& scores, std::ostream& err);

// Runs `helped` in a second process while `own` runs in this one; `scores` gets both. False,
// said on `err`, when either fails.
bool scoreWithHelper(const ScoringJob& own, const ScoringJob& helped, std::vector<EntrantScore>& scores,
                     std::ostream& err);

}  // namespace rdac
