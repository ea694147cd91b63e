#pragma once
// rdac crosscheck: reads every log of a contest, checks each QSO against the other station's
// log, scores each entrant as claimed and as checked through the plug-in, and writes the
// committee's files.
#include <cstdint>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "rdac/command_line.h"

namespace rdac {

struct CrossCheckOptions {
  std::vector<std::string> logPaths;  // files, or folders of them
  std::string outDir;
  std::string reportDir;      // empty: no pages
  std::string categoriesPath; // the committee's categories; empty: the logs' headers alone
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
  bool partnerErrorsCount = false;
  std::string startText, endText;  // the contest period as given
  // CALL=EXCH as given: a station's own exchange for the QSOs its log gives none; each log has
  // its own station, so one value for all would be wrong.
  std::vector<std::string> sentExchangeTexts;
  std::unordered_map<std::string, std::string> sentExchanges;  // by station, read from the texts
  // Minutes since 30 December 1899, the end excluded; unbounded when neither is given, and 24
  // hours long when one is.
  int64_t periodStart = INT64_MIN, periodEnd = INT64_MAX;
  bool finish(std::string& error);
};

void declareCrossCheckOptions(CLI::App& command, CrossCheckOptions& options);
// The exit code: 0 done, 1 when a log, the plug-in or an output cannot be had (the outputs that
// can be had are written all the same).
int runCrossCheck(const CrossCheckOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
