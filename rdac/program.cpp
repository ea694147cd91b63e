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
// here first; the parser declares it too, to accept it and list it in the help. False when
// --lang names neither language.
bool chooseLanguage(const std::vector<std::string>& args, std::string& error) {
  std::optional<Language> chosen;
  if (const char* variable = std::getenv("RDAC_LANG")) chosen = languageNamed(variable);
  for (size_t i = 0; i < args.size(); ++i) {
    const bool joined = args[i].rfind("--lang=", 0) == 0;
    if (args[i] != "--lang" && !joined) continue;
    const std::string value = joined ? args[i].substr(7) : i + 1 < args.size() ? args[i + 1] : "";
    if (value != "ru" && value != "en") {
      setLanguage(chosen.value_or(systemLanguage()));
      error = tr("--lang takes ru or en, not '{1}'", {value});
      return false;
    }
    chosen = languageNamed(value);
  }
  setLanguage(chosen.value_or(systemLanguage()));
  return true;
}

}  // namespace

int runProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandLine parsed;
  std::string error;
  if (!chooseLanguage(args, error) || !parseCommandLine(rdacSubcommands(), args, parsed, error)) {
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
