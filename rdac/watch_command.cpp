#include "rdac/watch_command.h"

#include <CLI/CLI.hpp>

namespace rdac {

void declareWatchOptions(CLI::App& command, WatchCommandOptions& o) {
  command.add_option("LOG", o.watch.run.logPath, "the ADIF log the logger writes")->type_name("FILE")->required();
  addRunOptions(command, o.watch.run, o.dates);
  addReportOption(command, o.watch.reportPath);
  command.add_option("--poll", o.watch.pollSeconds, "seconds between two looks at the log (default 0.5)")
      ->type_name("SECONDS")
      ->check(CLI::Range(0.01, 60.0));
  command.add_option("--report-every", o.watch.reportEverySeconds,
                     "least seconds between two rewrites of the report (default 3)")
      ->type_name("SECONDS")
      ->check(CLI::Range(0.0, 3600.0));
}

int runWatch(const WatchCommandOptions& options, std::ostream& out, std::ostream& err) {
  return watchLog(options.watch, out, err);
}

}  // namespace rdac
