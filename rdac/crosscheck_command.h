#pragma once
// rdac crosscheck: reads every log of a contest, checks each QSO against the other station's
// log, scores each entrant as claimed and as checked through the plug-in, and writes the
// committee's files.
#include <ostream>
#include <string>
#include <vector>

#include "rdac/command_line.h"

namespace rdac {

struct CrossCheckOptions {
  std::vector<std::string> logPaths;  // files, or folders of them
  std::string outDir;
  std::string districtsPath;
  int windowMinutes = 3;
  int clockWindowMinutes = 30;
  int largestClockOffset = 120;
  int bustWindowMinutes = 10;
  int creditedLogs = 3;
  double penalty = 0;  // times a QSO's points taken off for each own error
  std::string workdir = "out/rdac";
  std::string ctyPath;     // empty: the country file of the hamradio-files package
  std::string pluginPath;  // empty: libStats.so beside rdac
  bool timings = false;
  bool finish(std::string&) { return true; }
};

void declareCrossCheckOptions(CLI::App& command, CrossCheckOptions& options);
// The exit code: 0 done, 1 when a log, the plug-in or an output cannot be had.
int runCrossCheck(const CrossCheckOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
