#pragma once
// rdac score: feeds a log through the plug-in as the logger would and prints its result; on
// request also the contest report, the plug-in's HTML result and its Cabrillo export.
#include <ostream>
#include <string>

#include "rdac/command_line.h"

namespace rdac {

struct ScoreOptions {
  RunOptions run;
  DateTexts dates;
  std::string htmlPath;    // the plug-in's HTML result; empty: none
  std::string reportPath;  // the contest report page; empty: none
  bool finish(std::string& error) { return finishRunOptions(run, dates, error); }
};

void declareScoreOptions(CLI::App& command, ScoreOptions& options);
int runScore(const ScoreOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
