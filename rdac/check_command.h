#pragma once
// rdac check: what the plug-in says about a callsign after the log, as an operator sees it
// while typing the call.
#include <ostream>
#include <string>

#include "rdac/command_line.h"

namespace rdac {

struct CheckOptions {
  RunOptions run;
  DateTexts dates;
  std::string call, band, mode;
  bool finish(std::string& error);
};

void declareCheckOptions(CLI::App& command, CheckOptions& options);
int runCheck(const CheckOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
