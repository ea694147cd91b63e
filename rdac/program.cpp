// rdac: scores a contest log through the plug-in's exports, as the logger would; follows a log
// while it grows; checks a whole contest's logs against each other.
#include "rdac/program.h"

#include "rdac/command_line.h"
#include "rdac/subcommands.h"

namespace rdac {

int runProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandLine parsed;
  std::string error;
  if (!parseCommandLine(rdacSubcommands(), args, parsed, error)) {
    err << "rdac: " << error << '\n';
    return kBadArguments;
  }
  if (!parsed.command.run) {
    out << parsed.helpText;
    return kOk;
  }
  return parsed.command.run(out, err);
}

}  // namespace rdac
