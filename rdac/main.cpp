// rdac: scores a contest log through the plug-in's exports, as the logger would; follows a log
// while it grows; checks a whole contest's logs against each other.
#include <iostream>
#include <string>
#include <vector>

#include "rdac/command_line.h"
#include "rdac/subcommands.h"

int main(int argc, char** argv) {
  using namespace rdac;
  CommandLine parsed;
  std::string error;
  if (!parseCommandLine(rdacSubcommands(), std::vector<std::string>(argv + 1, argv + argc), parsed, error)) {
    std::cerr << "rdac: " << error << '\n';
    return kBadArguments;
  }
  if (!parsed.command.run) {
    std::cout << parsed.helpText;
    return kOk;
  }
  return parsed.command.run(std::cout, std::cerr);
}
