#pragma once
// Scoring the entrants in two processes at once: the plug-in's state is one per process, and
// scoring is most of a cross-check's time. On Linux the second process is forked; Windows has
// no fork, so there rdac.exe starts itself again on a scoring job written to a file. The scores
// come back through a pipe.
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "rdac/crosscheck/cross_check_scores.h"

namespace rdac {

// The entrants from `first` up to `last`, scored by the plug-in at `pluginPath` working in
// `folder` (laid out already). The one description of the work for both kinds of helper: the
// forked one reads it in memory, a process of its own from scoringJobText, so whatever changes a
// score belongs here and in that text.
struct ScoringJob {
  std::string folder;
  std::string pluginPath;
  const CountryFile& countries;
  const SubmittedLogs& logs;
  const CheckOutcome& outcome;  // checked under `policy`
  CheckPolicy policy;
  double penalty = 0;
  size_t first = 0, last = 0;
  std::function<void(size_t)> progress;  // entrants done so far; may be empty
  std::function<void()> done;            // when its scoring is over, before more is said; may be empty
  std::string ctyPath;                   // where `countries` came from, for a process of its own
  size_t claimedBefore = 0;  // the entrants below come with their claimed scores in the scores given
  // Once the other process runs, before this one scores; may be empty. Threads of this process
  // start only then: fork copies the calling thread alone, and a lock another thread held at that
  // moment would stay held in the copy.
  std::function<void()> started = nullptr;
};

// Runs the job in this process; false, said on `err`, when the folder or the plug-in cannot
// be had. `scores` then holds a score for every entrant, those outside the job unscored.
bool scoreHere(const ScoringJob& job, std::vector<EntrantScore>& scores, std::ostream& err);

// Runs `helped` in a second process while `own` runs in this one; `scores` gets both. False,
// said on `err`, when either fails.
bool scoreWithHelper(const ScoringJob& own, const ScoringJob& helped, std::vector<EntrantScore>& scores,
                     std::ostream& err);

// A process started on its own gets the job as text: its folder, plug-in and country file, the
// check's policy and the penalty, and each of its entrants' QSOs with their verdicts and, below
// claimedBefore, the claimed score of `scores`.
std::string scoringJobText(const ScoringJob& job, const std::vector<EntrantScore>& scores);
// Scores the job of that text's file as scoreHere would and writes the scores on `out`, one
// line per entrant; the exit code.
int runScoringJob(const std::string& jobPath, std::ostream& out, std::ostream& err);
// The scores of runScoringJob's output into `scores` at the job's entrants; false when it is
// cut short.
bool takeJobScores(const std::string& output, const ScoringJob& job, std::vector<EntrantScore>& scores);

}  // namespace rdac
