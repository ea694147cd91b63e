#pragma once
// The command line of rdac: a table of subcommands, each declaring and owning its options, and
// the options several of them share, each declared once.
#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ole_date_time.h"
#include "rdac/score/contest_run.h"

namespace CLI {
class App;
}

namespace rdac {

enum ExitCode { kOk = 0, kFailed = 1, kBadArguments = 2 };

using CommandRun = std::function<int(std::ostream& out, std::ostream& err)>;

// What a subcommand's setup leaves for after the parse: `finish` completes what the parser
// cannot check alone (false with `error` set), `run` does the command.
struct DeclaredCommand {
  std::function<bool(std::string& error)> finish;
  CommandRun run;
  std::any options;  // shared_ptr to the command's options struct, for tests to look at
};

struct Subcommand {
  const char* name;
  const char* description;
  std::function<DeclaredCommand(CLI::App& command)> setup;
  bool hidden = false;  // rdac's own use: not in the help, not offered
};

// A subcommand whose options struct `Options` (with `bool finish(std::string& error)`) is
// declared on the parser by `declare` and done by `run`.
template <class Options>
Subcommand subcommand(const char* name, const char* description, void (*declare)(CLI::App&, Options&),
                      int (*run)(const Options&, std::ostream&, std::ostream&)) {
  return {name, description, [declare, run](CLI::App& command) {
            auto options = std::make_shared<Options>();
            declare(command, *options);
            return DeclaredCommand{[options](std::string& error) { return options->finish(error); },
                                   [options, run](std::ostream& out, std::ostream& err) { return run(*options, out, err); },
                                   options};
          }};
}

inline Subcommand hidden(Subcommand subcommand) {
  subcommand.hidden = true;
  return subcommand;
}

struct CommandLine {
  std::string helpText;     // what --help or --version prints; then there is no command
  DeclaredCommand command;  // the subcommand given, its options filled
};

// Parses the arguments after the program name against the table; false with `error` set
// (naming the option at fault, and how to get help) when they do not make a command.
bool parseCommandLine(const std::vector<Subcommand>& subcommands, const std::vector<std::string>& args,
                      CommandLine& parsed, std::string& error);

// The options score, check and watch share: what the plug-in is given and where its files land.
// A UTC time given on the command line: a date YYYY-MM-DD (its midnight), or with `withTime`
// also "YYYY-MM-DD HH:MM"; nothing for any other text or a date that does not exist.
std::optional<stats::COleDateTime> optionTime(const std::string& text, bool withTime);

// The dates arrive as texts, which `finishRunOptions` reads.
struct DateTexts {
  std::string start, end;
};
void addRunOptions(CLI::App& command, RunOptions& options, DateTexts& dates);
bool finishRunOptions(RunOptions& options, const DateTexts& dates, std::string& error);
void addDistrictsOption(CLI::App& command, std::string& path, const char* description);
void addWorkdirOption(CLI::App& command, std::string& folder);
void addCtyOption(CLI::App& command, std::string& path);
void addPluginOption(CLI::App& command, std::string& path);
void addTimingsOption(CLI::App& command, bool& timings);
void addReportOption(CLI::App& command, std::string& path);

// rdac's version, from `git describe` when it was built.
extern const char kVersion[];

}  // namespace rdac
