#pragma once
// The command line of rdac.
#include <optional>
#include <string>
#include <vector>

#include "platform/ole_date_time.h"

namespace rdac {

struct Options {
  enum class Command { score, check, help };
  Command command = Command::help;
  std::string logPath;
  std::string checkCall, checkBand, checkMode;  // rdac check

  std::string pluginPath;  // empty: libStats.so beside rdac
  std::string ctyPath;     // empty: the country file of the hamradio-files package
  std::string districtsPath, hintsPath;
  std::string workdir = "out/rdac";

  std::string ownCall, ownPrefix, ownContinent;  // empty: from the log and the country file
  std::optional<stats::COleDateTime> contestStart, contestEnd;

  std::string htmlPath;
  bool cabrillo = false;
  std::vector<std::string> headerFiles;
  std::vector<std::string> headerValues;  // KEY=VALUE
  bool timings = false;
};

// Fills `options` from the arguments after the program name; false with `error` set when
// they do not make a command.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

extern const char kUsage[];

}  // namespace rdac
