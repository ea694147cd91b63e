// rdac: scores a contest log through the plug-in's exports, as the logger would; follows a log
// while it grows; checks a whole contest's logs against each other.
#include "rdac/program.h"

#include <cstdlib>

#include "rdac/command_line.h"
#include "rdac/io/messages.h"
#include "rdac/subcommands.h"

namespace rdac {
namespace {

// The language is needed before the parser is built (its help is in it), so --lang is read
// here first; the parser declares it too, to accept it and list it in the help.
Language chosenLanguage(const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    std::optional<Language> named;
    if (args[i] == "--lang" && i + 1 < args.size()) named = languageNamed(args[i + 1]);
    if (args[i].rfind("--lang=", 0) == 0) named = languageNamed(args[i].substr(7));
    if (named) return *named;
  }
  if (const char* variable = std::getenv("RDAC_LANG"))
    if (const auto named = languageNamed(variable)) return *named;
  return systemLanguage();
}

}  // namespace

int runProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  setLanguage(chosenLanguage(args));
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
