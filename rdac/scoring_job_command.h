#pragma once
// rdac scoring-job FILE: not for people. Where there is no fork (Windows), crosscheck starts
// rdac again with this command to score half of the logs with a plug-in state of its own.
#include <ostream>
#include <string>

#include "rdac/command_line.h"

namespace rdac {

struct ScoringJobOptions {
  std::string jobPath;
  bool finish(std::string&) { return true; }
};

void declareScoringJobOptions(CLI::App& command, ScoringJobOptions& options);
int runScoringJobCommand(const ScoringJobOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
