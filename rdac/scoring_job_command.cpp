#include "rdac/scoring_job_command.h"

#include <CLI/CLI.hpp>

#include "rdac/crosscheck/scoring_helper.h"

namespace rdac {

void declareScoringJobOptions(CLI::App& command, ScoringJobOptions& o) {
  command.add_option("JOB", o.jobPath, "the job file")->type_name("FILE")->required();
}

int runScoringJobCommand(const ScoringJobOptions& options, std::ostream& out, std::ostream& err) {
  return runScoringJob(options.jobPath, out, err);
}

}  // namespace rdac
