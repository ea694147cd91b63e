#pragma once
// The command line of rdac.
#include <optional>
#include <string>
#include <vector>

#include "platform/ole_date_time.h"

namespace rdac {

struct Options {
  enum class Command { score, check, watch, crosscheck, help };
  Command command = Command::help;
  std::string helpText;  // what --help or --version prints, for Command::help
  std::string logPath;
  std::string checkCall, checkBand, checkMode;  // rdac check

  std::string pluginPath;  // empty: libStats.so beside rdac
  std::string ctyPath;     // empty: the country file of the hamradio-files package
  std::string districtsPath, hintsPath;
  std::string workdir = "out/rdac";

  std::string ownCall, ownPrefix, ownContinent;  // empty: from the log and the country file
  std::optional<stats::COleDateTime> contestStart, contestEnd;

  std::string htmlPath;
  std::string reportPath;  // the contest report page; empty: none
  bool cabrillo = false;
  std::vector<std::string> headerFiles;
  std::vector<std::string> headerValues;  // KEY=VALUE
  bool timings = false;

  // rdac crosscheck
  std::vector<std::string> logPaths;  // files, or folders of them
  std::string outDir;
  int windowMinutes = 3;
  int clockWindowMinutes = 30;
  int creditedLogs = 3;
  double penalty = 0;  // times a QSO's points taken off for each own error

  double pollSeconds = 0.5;           // rdac watch: how often it looks at the log
  double reportEverySeconds = 3;      // rdac watch: least time between two report writes
};

// Fills `options` from the arguments after the program name; false with `error` set (naming
// the option at fault, and how to get help) when they do not make a command.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// rdac's version, from `git describe` when it was built.
extern const char kVersion[];

}  // namespace rdac
