#include "host/options.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "host/qso_fields.h"
#include "stats_version.h"

namespace rdac {

const char kVersion[] = STATS_VERSION;

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

struct DateTexts {
  std::string start, end;
};

// The options every command shares: what the plug-in is given and where its files land.
void addRunOptions(CLI::App& command, Options& o, DateTexts& dates) {
  command.add_option("--districts", o.districtsPath,
                     "RDA district table or the publisher's list, laid out as Plugins/rda_rus.dat")
      ->type_name("FILE");
  command.add_option("--hints", o.hintsPath, "station hint file, laid out as Plugins/RDAC.hlp")->type_name("FILE");
  command.add_option("--workdir", o.workdir, "where the plug-in's files land (default out/rdac)")->type_name("DIR");
  command.add_option("--call", o.ownCall, "own callsign (default: the log's STATION_CALLSIGN, OPERATOR or CALLSIGN:)")
      ->type_name("CALL");
  command.add_option("--prefix", o.ownPrefix, "own country prefix (default: from the country file)")->type_name("PFX");
  command.add_option("--continent", o.ownContinent, "own continent (default: from the country file)")->type_name("CC");
  command.add_option("--start", dates.start, "contest start (default: the first QSO)")->type_name("YYYY-MM-DD");
  command.add_option("--end", dates.end, "contest end (default: the last QSO)")->type_name("YYYY-MM-DD");
  command.add_option("--cty", o.ctyPath, "country file (default /usr/share/hamradio-files/cty.dat)")->type_name("FILE");
  command.add_option("--plugin", o.pluginPath, "the plug-in library (default libStats.so beside rdac)")->type_name("FILE");
  command.add_flag("--timings", o.timings, "print how long each stage took on standard error");
}

void addReportOption(CLI::App& command, Options& o) {
  command.add_option("--report", o.reportPath,
                     "write the contest report (rates, score over time, tables) to FILE as one HTML page")
      ->type_name("FILE");
}

void addCabrilloOptions(CLI::App& command, Options& o) {
  CLI::Option* cabrillo =
      command.add_flag("--cabrillo", o.cabrillo, "export run: the plug-in writes CALL.cbr into the work folder");
  command.add_option("--header-file", o.headerFiles, "Cabrillo header values, one 'LABEL: value' a line")
      ->type_name("FILE")
      ->needs(cabrillo);
  command.add_option("--header", o.headerValues,
                     "one Cabrillo header value (NAME, ADDRESS, ADDRESS-CITY, ADDRESS-POSTALCODE, "
                     "ADDRESS-COUNTRY, LOCATION, E-MAIL, CLUB, SOAPBOX, OPERATORS, CATEGORY-OPERATOR, "
                     "-BAND, -MODE, -POWER, -STATION, -TRANSMITTER; CATEGORY-MODE defaults to the "
                     "log's: MIXED when it holds CW and SSB)")
      ->type_name("KEY=VALUE")
      ->needs(cabrillo);
}

void addCrossCheckCommand(CLI::App& app, Options& o) {
  CLI::App* command = app.add_subcommand(
      "crosscheck", "check every QSO of a contest's logs against the other station's log, as the committee does");
  command->add_option("LOG", o.logPaths, "the logs, or folders holding them (.adi, .adif, .log, .cbr)")
      ->type_name("FILE|DIR")
      ->required();
  command->add_option("--out", o.outDir, "where checked.csv, results.csv and one CALL.ubn per log land")
      ->type_name("DIR")
      ->required();
  command->add_option("--districts", o.districtsPath, "RDA district table or the publisher's list")->type_name("FILE");
  command->add_option("--window-minutes", o.windowMinutes,
                      "most minutes two logs' times of one QSO may differ after clock offsets (default 3)")
      ->check(CLI::Range(0, 60));
  command->add_option("--clock-window", o.clockWindowMinutes,
                      "minutes within which pairs estimate clock offsets; beyond the window they are a "
                      "time mismatch (default 30)")
      ->check(CLI::Range(1, 240));
  command->add_option("--credited-after", o.creditedLogs,
                      "a station that sent no log counts when this many logs hold its call (default 3)")
      ->check(CLI::Range(1, 1000000));
  command->add_option("--penalty", o.penalty,
                      "times its points taken off for each own busted call, busted exchange or NIL (default 0)")
      ->check(CLI::Range(0.0, 100.0));
  command->add_option("--workdir", o.workdir, "where the plug-in's files land (default out/rdac)")->type_name("DIR");
  command->add_option("--cty", o.ctyPath, "country file (default /usr/share/hamradio-files/cty.dat)")->type_name("FILE");
  command->add_option("--plugin", o.pluginPath, "the plug-in library (default libStats.so beside rdac)")->type_name("FILE");
  command->add_flag("--timings", o.timings, "print how long each stage took on standard error");
}

bool dateOption(const std::string& text, std::optional<stats::COleDateTime>& target) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  target = qsoTime(text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2), "0000");
  return target.has_value();
}

bool takeDates(const DateTexts& dates, Options& o, std::string& error) {
  for (auto [name, text, target] : {std::tuple{"--start", &dates.start, &o.contestStart},
                                    std::tuple{"--end", &dates.end, &o.contestEnd}}) {
    if (!text->empty() && !dateOption(*text, *target)) {
      error = std::string(name) + " wants a date written YYYY-MM-DD, not '" + *text + "'";
      return false;
    }
  }
  return true;
}

}  // namespace

bool parseOptions(const std::vector<std::string>& args, Options& o, std::string& error) {
  CLI::App app(kDescription, "rdac");
  app.footer(kFooter);
  app.set_version_flag("--version", std::string("rdac ") + kVersion);
  app.require_subcommand(1);
  DateTexts dates;

  CLI::App* score = app.add_subcommand("score", "score a contest log and print the plug-in's result");
  score->add_option("LOG", o.logPath, "the contest log")->type_name("FILE")->required();
  addRunOptions(*score, o, dates);
  score->add_option("--html", o.htmlPath, "also write the plug-in's HTML result to FILE")->type_name("FILE");
  addReportOption(*score, o);
  addCabrilloOptions(*score, o);

  CLI::App* check = app.add_subcommand("check", "what the plug-in says about CALL after the log");
  check->add_option("CALL", o.checkCall, "the callsign to check")->type_name("CALL")->required();
  check->add_option("LOG", o.logPath, "the contest log")->type_name("FILE")->required();
  check->add_option("--band", o.checkBand, "band of the check, 20m style")->type_name("BAND")->required();
  check->add_option("--mode", o.checkMode, "mode of the check, CW or SSB")->type_name("MODE")->required();
  addRunOptions(*check, o, dates);

  CLI::App* watch = app.add_subcommand(
      "watch", "follow an ADIF log a logger appends to: status per new QSO, report kept current");
  watch->add_option("LOG", o.logPath, "the ADIF log the logger writes")->type_name("FILE")->required();
  addRunOptions(*watch, o, dates);
  addReportOption(*watch, o);
  watch->add_option("--poll", o.pollSeconds, "seconds between two looks at the log (default 0.5)")
      ->type_name("SECONDS")
      ->check(CLI::Range(0.01, 60.0));
  watch->add_option("--report-every", o.reportEverySeconds,
                    "least seconds between two rewrites of the report (default 3)")
      ->type_name("SECONDS")
      ->check(CLI::Range(0.0, 3600.0));

  addCrossCheckCommand(app, o);
  const CLI::App* crosscheck = app.get_subcommand("crosscheck");

  // CLI11 would only say that a command is missing.
  const auto named = [&](const CLI::App* command) { return command->check_name(args[0]); };
  if (!args.empty() && args[0].rfind("-", 0) != 0 && !named(score) && !named(check) && !named(watch) &&
      !named(crosscheck)) {
    error = "unknown command '" + args[0] +
            "': rdac takes score, check, watch or crosscheck\nrun 'rdac --help' for the options";
    return false;
  }
  std::vector<std::string> reversed(args.rbegin(), args.rend());  // as CLI11 consumes them
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    o.command = Options::Command::help;
    o.helpText = app.help();
    return true;
  } catch (const CLI::CallForVersion& e) {
    o.command = Options::Command::help;
    o.helpText = e.what() + std::string("\n");
    return true;
  } catch (const CLI::ParseError& e) {
    const CLI::App* failed = score->parsed()        ? score
                             : check->parsed()      ? check
                             : watch->parsed()      ? watch
                             : crosscheck->parsed() ? crosscheck
                                                    : nullptr;
    error = std::string(e.what()) + "\nrun 'rdac " + (failed ? failed->get_name() + " " : "") +
            "--help' for the options";
    return false;
  }
  o.command = score->parsed()        ? Options::Command::score
              : check->parsed()      ? Options::Command::check
              : crosscheck->parsed() ? Options::Command::crosscheck
                                     : Options::Command::watch;
  if (!takeDates(dates, o, error)) return false;
  if (!o.ownCall.empty()) o.ownCall = normalisedCall(o.ownCall);
  if (!o.checkCall.empty()) o.checkCall = normalisedCall(o.checkCall);
  return true;
}

}  // namespace rdac
