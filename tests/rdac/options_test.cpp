#include "rdac/command_line.h"

#include <gtest/gtest.h>

#include "rdac/check_command.h"
#include "rdac/crosscheck_command.h"
#include "rdac/score/cabrillo_header.h"
#include "rdac/score_command.h"
#include "rdac/subcommands.h"
#include "rdac/watch_command.h"

namespace rdac {
namespace {

bool parse(std::vector<std::string> args, CommandLine& parsed, std::string& error) {
  return parseCommandLine(rdacSubcommands(), args, parsed, error);
}

// The options struct of the subcommand the arguments give; null when they give another.
template <class Options>
std::shared_ptr<Options> optionsOf(const CommandLine& parsed) {
  const auto* options = std::any_cast<std::shared_ptr<Options>>(&parsed.command.options);
  return options ? *options : nullptr;
}

TEST(Options, ScoreTakesALogAndItsOptionsInAnyOrder) {
  CommandLine parsed;
  std::string error;
  ASSERT_TRUE(parse({"score", "--workdir", "w", "my.adi", "--call", "ra3aaa", "--cabrillo",
                     "--header", "NAME=Ivan", "--start", "2017-08-19", "--html", "r.html"},
                    parsed, error))
      << error;
  const auto o = optionsOf<ScoreOptions>(parsed);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->run.logPath, "my.adi");
  EXPECT_EQ(o->run.workdir, "w");
  EXPECT_EQ(o->run.ownCall, "RA3AAA");
  EXPECT_TRUE(o->run.cabrillo);
  EXPECT_EQ(o->run.headerValues, std::vector<std::string>{"NAME=Ivan"});
  EXPECT_EQ(o->run.contestStart->Format("%d.%m.%Y %H%M"), "19.08.2017 0000");
  EXPECT_FALSE(o->run.contestEnd.has_value());
  EXPECT_EQ(o->htmlPath, "r.html");
}

TEST(Options, CheckNeedsACallABandAModeAndALog) {
  CommandLine parsed;
  std::string error;
  // Band and mode as a log's are read, whatever their letter case.
  ASSERT_TRUE(parse({"check", "ua9abc", "--band", "20M", "--mode", "usb", "log.adi"}, parsed, error));
  const auto o = optionsOf<CheckOptions>(parsed);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->call, "UA9ABC");
  EXPECT_EQ(o->band, "20m");
  EXPECT_EQ(o->mode, "SSB");
  EXPECT_EQ(o->run.logPath, "log.adi");
  CommandLine withoutMode;
  EXPECT_FALSE(parse({"check", "UA9ABC", "--band", "20m", "log.adi"}, withoutMode, error));
  EXPECT_EQ(error.rfind("--mode is required\nrun 'rdac check --help'", 0), 0u) << error;
}

TEST(Options, CrosscheckTakesLogsAndFoldersInOrderAndWantsAnOutputFolder) {
  CommandLine parsed;
  std::string error;
  ASSERT_TRUE(parse({"crosscheck", "a.log", "logs", "--out", "o", "--window-minutes", "5", "--penalty", "3"}, parsed,
                    error))
      << error;
  const auto o = optionsOf<CrossCheckOptions>(parsed);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->logPaths, (std::vector<std::string>{"a.log", "logs"}));
  EXPECT_EQ(std::make_tuple(o->outDir, o->windowMinutes, o->clockWindowMinutes, o->creditedLogs, o->penalty),
            std::make_tuple(std::string("o"), 5, 30, 3, 3.0));
  CommandLine withoutOut;
  EXPECT_FALSE(parse({"crosscheck", "logs"}, withoutOut, error));
  EXPECT_EQ(error.rfind("--out is required\nrun 'rdac crosscheck --help'", 0), 0u) << error;
}

TEST(Options, WatchTakesALogAndHowOftenToLook) {
  CommandLine parsed;
  std::string error;
  ASSERT_TRUE(parse({"watch", "live.adi", "--report", "r.html", "--poll", "0.2"}, parsed, error)) << error;
  const auto o = optionsOf<WatchCommandOptions>(parsed);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->watch.run.logPath, "live.adi");
  EXPECT_EQ(o->watch.reportPath, "r.html");
  EXPECT_DOUBLE_EQ(o->watch.pollSeconds, 0.2);
  CommandLine help;
  ASSERT_TRUE(parse({"watch", "--help"}, help, error));
  EXPECT_FALSE(help.command.run);
  EXPECT_NE(help.helpText.find("Usage: rdac watch [OPTIONS] LOG"), std::string::npos) << help.helpText;
  EXPECT_NE(help.helpText.find("--poll"), std::string::npos);
  EXPECT_EQ(help.helpText.find("--cabrillo"), std::string::npos);  // score's, not watch's
}

TEST(Options, RefusesWhatDoesNotMakeACommand) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{}, "A subcommand is required"},
      {{"score"}, "LOG is required"},
      {{"score", "a.adi", "b.adi"}, "The following argument was not expected: b.adi"},
      {{"rate", "a.adi"}, "unknown command 'rate': rdac takes score, check, watch, crosscheck or districts"},
      {{"score", "a.adi", "--colour"}, "The following argument was not expected: --colour"},
      {{"score", "a.adi", "--call"}, "--call: 1 required CALL missing"},
      {{"score", "a.adi", "--end", "20.08.2017"}, "--end wants a date written YYYY-MM-DD, not '20.08.2017'"},
      {{"score", "a.adi", "--end", "2017-02-30"}, "--end wants a date written YYYY-MM-DD, not '2017-02-30'"},
      {{"score", "a.adi", "--header", "NAME=x"}, "--header requires --cabrillo"},
      {{"watch", "a.adi", "--poll", "0"}, "--poll: Value 0 not in range"},
      {{"check", "K1ABC", "a.adi", "--band", "21m", "--mode", "CW"},
       "--band wants an amateur band such as 20m or 160m, not '21m'"},
      {{"check", "K1ABC", "a.adi", "--band", "20m", "--mode", "C W"}, "--mode wants a mode such as CW or SSB, not 'C W'"},
  };
  for (const auto& [args, message] : cases) {
    CommandLine parsed;
    std::string error;
    EXPECT_FALSE(parse(args, parsed, error));
    EXPECT_EQ(error.rfind(message, 0), 0u) << error;
  }
  CommandLine parsed;
  std::string error;
  EXPECT_TRUE(parse({"score", "a.adi", "--help"}, parsed, error));
  EXPECT_FALSE(parsed.command.run);
}

TEST(CabrilloHeader, MapsCabrilloLabelsToTheSettingsKeysOfTheExport) {
  CabrilloHeader header;
  std::string error;
  ASSERT_TRUE(header.addFile("# my details\n\nNAME: Ivan Petrov\r\naddress-city: Moscow\n"
                             "SOAPBOX: first line\nSOAPBOX: second line\nE-MAIL: ivan@example.org\n",
                             "header.txt", error))
      << error;
  ASSERT_TRUE(header.addAssignment("LOCATION=MA", error));
  ASSERT_TRUE(header.addAssignment("name=Ivan P.", error));  // a later value replaces
  const std::vector<SettingValue>& s = header.settings();
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(s[0].key, "Name");
  EXPECT_EQ(s[0].value, "Ivan P.");
  EXPECT_EQ(s[1].key, "Address-City");
  EXPECT_EQ(s[1].value, "Moscow");
  EXPECT_EQ(s[2].key, "SoapBox");
  EXPECT_EQ(s[2].value, "first line<CR><LF>second line");  // the plug-in's stored line break
  EXPECT_EQ(s[3].key, "Email");
  EXPECT_EQ(s[4].key, "Loc");
}

TEST(CabrilloHeader, TakesTheCategoriesOfTheDialogsLists) {
  CabrilloHeader header;
  std::string error;
  ASSERT_TRUE(header.addAssignment("CATEGORY-POWER=low", error)) << error;
  ASSERT_TRUE(header.addFile("category-operator: MULTI-OP\nCATEGORY-BAND: 20m\n"
                             "CATEGORY-STATION: PORTABLE\nCATEGORY-TRANSMITTER: TWO\n",
                             "header.txt", error))
      << error;
  header.defaultModeFor({});
  std::string stored;
  for (const SettingValue& s : header.settings()) stored += s.key + "=" + s.value + " ";
  EXPECT_EQ(stored, "Power=LOW Category=MULTI-OP Band=20M Station=PORTABLE Transmitter=TWO Mode=CW ");
  EXPECT_FALSE(header.addAssignment("CATEGORY-POWER=QRO", error));
  EXPECT_EQ(error, "CATEGORY-POWER takes HIGH, LOW or QRP, not 'QRO'");
}

TEST(CabrilloHeader, CategoryModeDefaultsToTheLogsModes) {
  const auto modeFor = [](std::vector<std::string> modes, const char* given = nullptr) {
    std::vector<LoggedQso> qsos(modes.size());
    for (size_t i = 0; i < modes.size(); ++i) qsos[i].mode = modes[i];
    CabrilloHeader header;
    std::string error;
    if (given) header.addAssignment(std::string("CATEGORY-MODE=") + given, error);
    header.defaultModeFor(qsos);
    return header.settings().at(0).key + "=" + header.settings().at(0).value;
  };
  EXPECT_EQ(modeFor({"CW", "FM", "SSB"}), "Mode=MIXED");
  EXPECT_EQ(modeFor({"SSB", "SSB"}), "Mode=SSB");
  EXPECT_EQ(modeFor({"CW", "RTTY"}), "Mode=CW");
  EXPECT_EQ(modeFor({}), "Mode=CW");
  EXPECT_EQ(modeFor({"CW", "SSB"}, "cw"), "Mode=CW");  // a given mode stands
}

TEST(CabrilloHeader, RefusesValuesTheExportCannotTake) {
  CabrilloHeader header;
  std::string error;
  EXPECT_FALSE(header.addAssignment("CATEGORY-OVERLAY=ROOKIE", error));
  EXPECT_NE(error.find("CATEGORY-OVERLAY"), std::string::npos);
  EXPECT_FALSE(header.addAssignment("NAME", error));
  EXPECT_EQ(error, "--header wants KEY=VALUE, not 'NAME'");
  EXPECT_FALSE(header.addFile("NAME: x\nCLUB Radio club\n", "h.txt", error));
  EXPECT_EQ(error, "h.txt:2: not a 'LABEL: value' line");
}

}  // namespace
}  // namespace rdac
