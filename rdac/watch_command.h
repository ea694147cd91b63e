#pragma once
// rdac watch: the command line of following a log (rdac/watch/ does the following).
#include <ostream>
#include <string>

#include "rdac/command_line.h"
#include "rdac/watch/log_watch.h"

namespace rdac {

struct WatchCommandOptions {
  WatchOptions watch;
  DateTexts dates;
  bool finish(std::string& error) { return finishRunOptions(watch.run, dates, error); }
};

void declareWatchOptions(CLI::App& command, WatchCommandOptions& options);
int runWatch(const WatchCommandOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
