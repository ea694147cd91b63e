#include "rdac/subcommands.h"

#include "rdac/check_command.h"
#include "rdac/crosscheck_command.h"
#include "rdac/districts_command.h"
#include "rdac/score_command.h"
#include "rdac/scoring_job_command.h"
#include "rdac/watch_command.h"

namespace rdac {

std::vector<Subcommand> rdacSubcommands() {
  return {
      subcommand<ScoreOptions>("score", "score a contest log and print the plug-in's result", declareScoreOptions,
                               runScore),
      subcommand<CheckOptions>("check", "what the plug-in says about CALL after the log", declareCheckOptions,
                               runCheck),
      subcommand<WatchCommandOptions>(
          "watch", "follow an ADIF log a logger appends to: status per new QSO, report kept current",
          declareWatchOptions, runWatch),
      subcommand<CrossCheckOptions>(
          "crosscheck", "check every QSO of a contest's logs against the other station's log, as the committee does",
          declareCrossCheckOptions, runCrossCheck),
      subcommand<DistrictsOptions>(
          "districts", "make the plug-in's district table (Plugins/rda_rus.dat) from the publisher's list",
          declareDistrictsOptions, runDistricts),
      hidden(subcommand<ScoringJobOptions>("scoring-job", "score the logs of a job crosscheck wrote (rdac's own use)",
                                           declareScoringJobOptions, runScoringJobCommand)),
  };
}

}  // namespace rdac
