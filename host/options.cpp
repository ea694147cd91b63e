#include "host/options.h"

#include "host/qso_fields.h"

namespace rdac {

const char kUsage[] =
    "usage: rdac score LOG [options]\n"
    "       rdac check CALL --band BAND --mode MODE LOG [options]\n"
    "\n"
    "Scores an RDAC contest log (ADIF .adi/.adif or Cabrillo .log/.cbr) through the Stats\n"
    "plug-in, or asks the plug-in what a callsign would be worth after that log.\n"
    "\n"
    "ADIF may start with a header or with the first record, tags in any letter case; Cabrillo\n"
    "lines may end in CR LF, LF or CR. A record that cannot be read is reported with its line\n"
    "and skipped. QSOs are fed in time order (equal times in file order), as a logger feeds\n"
    "them; a QSO with a band and no frequency gets the band's lower edge. Callsigns resolve by\n"
    "the country file; an entity marked WAE-only there counts as its DXCC country, found in\n"
    "the cty.csv beside it, with its own continent.\n"
    "\n"
    "  --districts FILE     RDA district table, laid out as Plugins/rda_rus.dat (needed\n"
    "                       unless the work folder already holds one); the publisher's list\n"
    "                       is laid out with its current codes, deleted ones left out\n"
    "  --hints FILE         station hint file, laid out as Plugins/RDAC.hlp\n"
    "  --workdir DIR        where the plug-in's files land (default out/rdac)\n"
    "  --call CALL          own callsign (default: the log's STATION_CALLSIGN, OPERATOR\n"
    "                       or CALLSIGN:)\n"
    "  --prefix PFX         own country prefix (default: from the country file)\n"
    "  --continent CC       own continent (default: from the country file)\n"
    "  --start YYYY-MM-DD   contest start (default: the first QSO)\n"
    "  --end YYYY-MM-DD     contest end (default: the last QSO)\n"
    "  --html FILE          also write the HTML result to FILE\n"
    "  --cabrillo           export run: the plug-in writes CALL.cbr into the work folder\n"
    "  --header-file FILE   Cabrillo header values, one 'LABEL: value' a line\n"
    "  --header KEY=VALUE   one Cabrillo header value (NAME, ADDRESS, ADDRESS-CITY,\n"
    "                       ADDRESS-POSTALCODE, ADDRESS-COUNTRY, LOCATION, E-MAIL, CLUB,\n"
    "                       SOAPBOX, OPERATORS, CATEGORY-OPERATOR, -BAND, -MODE, -POWER,\n"
    "                       -STATION, -TRANSMITTER; CATEGORY-MODE defaults to the log's:\n"
    "                       MIXED when it holds CW and SSB)\n"
    "  --cty FILE           country file (default /usr/share/hamradio-files/cty.dat)\n"
    "  --plugin FILE        the plug-in library (default libStats.so beside rdac)\n"
    "  --timings            print how long each stage took on standard error\n";

namespace {

bool dateOption(const std::string& text, std::optional<stats::COleDateTime>& target) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  target = qsoTime(text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2), "0000");
  return target.has_value();
}

}  // namespace

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      options.command = Options::Command::help;
      return true;
    }
    if (arg == "--cabrillo") {
      options.cabrillo = true;
      continue;
    }
    if (arg == "--timings") {
      options.timings = true;
      continue;
    }
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      positional.push_back(arg);
      continue;
    }
    std::string* target = arg == "--plugin"        ? &options.pluginPath
                          : arg == "--cty"         ? &options.ctyPath
                          : arg == "--districts"   ? &options.districtsPath
                          : arg == "--hints"       ? &options.hintsPath
                          : arg == "--workdir"     ? &options.workdir
                          : arg == "--call"        ? &options.ownCall
                          : arg == "--prefix"      ? &options.ownPrefix
                          : arg == "--continent"   ? &options.ownContinent
                          : arg == "--html"        ? &options.htmlPath
                          : arg == "--band"        ? &options.checkBand
                          : arg == "--mode"        ? &options.checkMode
                          : nullptr;
    const bool known = target || arg == "--header-file" || arg == "--header" || arg == "--start" ||
                       arg == "--end";
    if (!known) {
      error = "unknown option " + arg;
      return false;
    }
    if (i + 1 >= args.size()) {
      error = "option " + arg + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    if (target) {
      *target = arg == "--call" ? normalisedCall(value) : value;
    } else if (arg == "--header-file") {
      options.headerFiles.push_back(value);
    } else if (arg == "--header") {
      options.headerValues.push_back(value);
    } else if (!dateOption(value, arg == "--start" ? options.contestStart : options.contestEnd)) {
      error = arg + " wants a date written YYYY-MM-DD, not '" + value + "'";
      return false;
    }
  }
  if (positional.empty()) {
    error = "no command given";
    return false;
  }
  const std::string command = positional[0];
  if (command == "score" && positional.size() == 2) {
    options.command = Options::Command::score;
    options.logPath = positional[1];
  } else if (command == "check" && positional.size() == 3) {
    options.command = Options::Command::check;
    options.checkCall = normalisedCall(positional[1]);
    options.logPath = positional[2];
    if (options.checkBand.empty() || options.checkMode.empty()) {
      error = "check needs --band and --mode";
      return false;
    }
  } else if (command == "score" || command == "check") {
    error = command == "score" ? "score takes one log file" : "check takes a callsign and a log file";
    return false;
  } else {
    error = "unknown command '" + command + "'";
    return false;
  }
  if (!options.cabrillo && (!options.headerFiles.empty() || !options.headerValues.empty())) {
    error = "--header and --header-file only make sense with --cabrillo";
    return false;
  }
  return true;
}

}  // namespace rdac
