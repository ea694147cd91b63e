#include "rdac/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <tuple>

#include "rdac/io/messages.h"
#include "rdac/io/process_info.h"
#include "rdac/logs/qso_fields.h"
#include "stats_version.h"

namespace rdac {

const char kVersion[] = STATS_VERSION;

std::optional<stats::COleDateTime> optionTime(const std::string& text, bool withTime) {
  const bool timed = withTime && text.size() == 16 && text[10] == ' ' && text[13] == ':';
  if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !(timed || text.size() == 10)) return std::nullopt;
  return qsoTime(text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2),
                 timed ? text.substr(11, 2) + text.substr(14, 2) : "0000");
}

namespace {

const char kDescription[] =
    "Scores an RDAC contest log (ADIF .adi/.adif or Cabrillo .log/.cbr) through the Stats\n"
    "plug-in, asks the plug-in what a callsign would be worth after that log, follows an\n"
    "ADIF log while a logger appends to it, or checks all logs of a contest against each other.";

const char kFooter[] =
    "ADIF may start with a header or with the first record, tags in any letter case; Cabrillo\n"
    "lines may end in CR LF, LF or CR. A record that cannot be read is reported with its line\n"
    "and skipped. QSOs are fed in time order (equal times in file order), as a logger feeds\n"
    "them; a QSO with a band and no frequency gets the band's lower edge. Callsigns resolve by\n"
    "the country file; an entity marked WAE-only there counts as its DXCC country, found in\n"
    "the cty.csv beside it, with its own continent.";

bool dateOption(const std::string& text, std::optional<stats::COleDateTime>& target) {
  target = optionTime(text, false);
  return target.has_value();
}

// "score, check, watch or crosscheck"
std::string namesOf(const std::vector<Subcommand>& subcommands) {
  std::string names;
  std::vector<const char*> offered;
  for (const Subcommand& subcommand : subcommands)
    if (!subcommand.hidden) offered.push_back(subcommand.name);
  for (size_t i = 0; i < offered.size(); ++i)
    names += (i == 0 ? "" : i + 1 == offered.size() ? tr(" or ") : ", ") + std::string(offered[i]);
  return names;
}

// CLI11's error messages name the argument inside a fixed English frame; the common frames in the
// operator's language, any other as it is.
std::string parseErrorText(const std::string& text) {
  // {the English frame's fixed part, the catalogue's text for the whole}
  static const std::pair<std::string, const char*> kHeads[] = {
      {"The following argument was not expected: ", "The following argument was not expected: {1}"},
      {"The following arguments were not expected: ", "The following arguments were not expected: {1}"}};
  static const std::pair<std::string, const char*> kTails[] = {{" is required", "{1} is required"},
                                                               {": 1 required TEXT missing", "{1}: a value is missing"}};
  for (const auto& [head, frame] : kHeads)
    if (text.rfind(head, 0) == 0) return tr(frame, {text.substr(head.size())});
  for (const auto& [tail, frame] : kTails)
    if (text.size() > tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
      return tr(frame, {text.substr(0, text.size() - tail.size())});
  return text;
}

// CLI11's own words in its help, and the options every command has.
void speakTheLanguage(CLI::App& app, std::string& languageGiven) {
  auto formatter = std::make_shared<CLI::Formatter>();
  for (const char* label : {"Usage", "OPTIONS", "SUBCOMMAND", "SUBCOMMANDS", "Positionals", "REQUIRED", "Needs",
                            "Excludes"})
    formatter->label(label, tr(label));
  formatter->column_width(34);
  app.formatter(formatter);
  app.option_defaults()->group(tr("Options"));
  app.set_help_flag("-h,--help", tr("Print this help message and exit"));
  app.add_option("--lang", languageGiven, tr("the language rdac speaks: ru or en (default: the system's; also RDAC_LANG)"))
      ->type_name("LANG");
  // --lang was read before the parse (program.cpp); given after the command it belongs to rdac.
  app.fallthrough();
}

}  // namespace

void addDistrictsOption(CLI::App& command, std::string& path, const char* description) {
  command.add_option("--districts", path, description)->type_name("FILE");
}

void addWorkdirOption(CLI::App& command, std::string& folder) {
  command.add_option("--workdir", folder, "where the plug-in's files land (default out/rdac)")->type_name("DIR");
}

void addCtyOption(CLI::App& command, std::string& path) {
  command.add_option("--cty", path, tr("country file (default {1})", {defaultCountryFile()}))->type_name("FILE");
}

void addPluginOption(CLI::App& command, std::string& path) {
  command.add_option("--plugin", path, tr("the plug-in library (default {1} beside rdac)", {kPluginFileName}))
      ->type_name("FILE");
}

void addTimingsOption(CLI::App& command, bool& timings) {
  command.add_flag("--timings", timings, "print how long each stage took on standard error");
}

void addReportOption(CLI::App& command, std::string& path) {
  command.add_option("--report", path,
                     "write the contest report (rates, score over time, tables) to FILE as one HTML page")
      ->type_name("FILE");
}

void addRunOptions(CLI::App& command, RunOptions& o, DateTexts& dates) {
  addDistrictsOption(command, o.districtsPath,
                     "RDA district table or the publisher's list, laid out as Plugins/rda_rus.dat");
  command.add_option("--hints", o.hintsPath, "station hint file, laid out as Plugins/RDAC.hlp")->type_name("FILE");
  addWorkdirOption(command, o.workdir);
  command.add_option("--call", o.ownCall, "own callsign (default: the log's STATION_CALLSIGN, OPERATOR or CALLSIGN:)")
      ->type_name("CALL");
  command.add_option("--prefix", o.ownPrefix, "own country prefix (default: from the country file)")->type_name("PFX");
  command.add_option("--continent", o.ownContinent, "own continent (default: from the country file)")->type_name("CC");
  command.add_option("--sent-exchange", o.sentExchange,
                     "own exchange sent, for the QSOs whose record gives none (a log kept without STX_STRING)")
      ->type_name("EXCH");
  command.add_option("--start", dates.start, "contest start (default: the first QSO)")->type_name("YYYY-MM-DD");
  command.add_option("--end", dates.end, "contest end (default: the last QSO)")->type_name("YYYY-MM-DD");
  addCtyOption(command, o.ctyPath);
  addPluginOption(command, o.pluginPath);
  addTimingsOption(command, o.timings);
}

bool finishRunOptions(RunOptions& o, const DateTexts& dates, std::string& error) {
  for (auto [name, text, target] : {std::tuple{"--start", &dates.start, &o.contestStart},
                                    std::tuple{"--end", &dates.end, &o.contestEnd}}) {
    if (!text->empty() && !dateOption(*text, *target)) {
      error = tr("{1} wants a date written YYYY-MM-DD, not '{2}'", {name, *text});
      return false;
    }
  }
  if (!o.ownCall.empty()) o.ownCall = normalisedCall(o.ownCall);
  return true;
}

bool parseCommandLine(const std::vector<Subcommand>& subcommands, const std::vector<std::string>& args,
                      CommandLine& parsed, std::string& error) {
  CLI::App app(tr(kDescription), "rdac");
  app.footer(tr(kFooter));
  std::string languageGiven;
  speakTheLanguage(app, languageGiven);
  app.set_version_flag("--version", std::string("rdac ") + kVersion, tr("Display program version information and exit"));
  app.require_subcommand(1);
  // CLI11 takes /name for an option on Windows, which a path may start with.
  app.allow_windows_style_options(false);
  std::vector<std::pair<CLI::App*, DeclaredCommand>> declared;
  for (const Subcommand& subcommand : subcommands) {
    CLI::App* command = app.add_subcommand(subcommand.name, tr(subcommand.description));
    command->group(subcommand.hidden ? "" : tr("Subcommands"));
    declared.emplace_back(command, subcommand.setup(*command));
    for (CLI::Option* option : command->get_options()) option->description(tr(option->get_description().c_str()));
    if (CLI::Option* help = command->get_help_ptr()) help->group(tr("Options"));
  }

  // CLI11 would only say that a command is missing.
  const auto named = [&](const auto& entry) { return entry.first->check_name(args[0]); };
  if (!args.empty() && args[0].rfind("-", 0) != 0 && std::none_of(declared.begin(), declared.end(), named)) {
    error = tr("unknown command '{1}': rdac takes {2}", {args[0], namesOf(subcommands)}) + "\n" +
            tr("run '{1}' for the options", {"rdac --help"});
    return false;
  }
  const auto given = [&] {
    return std::find_if(declared.begin(), declared.end(), [](const auto& entry) { return entry.first->parsed(); });
  };
  std::vector<std::string> reversed(args.rbegin(), args.rend());  // as CLI11 consumes them
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    parsed.helpText = app.help();
    return true;
  } catch (const CLI::CallForVersion& e) {
    parsed.helpText = e.what() + std::string("\n");
    return true;
  } catch (const CLI::ParseError& e) {
    const auto failed = given();
    error = parseErrorText(e.what()) + "\n" +
            tr("run '{1}' for the options",
               {"rdac " + (failed != declared.end() ? failed->first->get_name() + " " : "") + "--help"});
    return false;
  }
  parsed.command = std::move(given()->second);
  return parsed.command.finish(error);
}

}  // namespace rdac
