// What a user sees when a run cannot go on, or loses single QSOs.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"

namespace rdac::testing {
namespace {

class Errors : public SmallLogTest {
 protected:
  RdacRun score(const std::string& log, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"score", log, "--districts", "districts.dat", "--plugin", RECORDING_PLUGIN_PATH};
    args.insert(args.end(), extra.begin(), extra.end());
    return runRdac(args);
  }
};

TEST_F(Errors, RunsThatCannotGoOnSayWhyAndFail) {
  const std::string here = dir.path() + "/";
  dir.write("folder/inside", "");
  dir.write("empty.adi", "");
  dir.write("header-only.adi", "<ADIF_VER:5>3.1.0 <PROGRAMID:4>test <EOH>\r\n");
  static const char junk[] = "\x7f" "ELF\x02\x01\x01\0<\0\0>\x90\xff junk";
  dir.write("junk.adi", std::string(junk, sizeof junk - 1));
  std::filesystem::resize_file(dir.write("huge.adi", ""), (std::uintmax_t{1} << 30) + 1);  // sparse
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"score", "missing.adi", "--districts", "districts.dat"},
       "rdac: cannot read the log " + here + "missing.adi: there is no such file or folder: check the name, or create the folder\n"},
      {{"score", "missing.adi", "--lang", "ru", "--districts", "districts.dat"},
       "rdac: не удаётся прочитать лог " + here + "missing.adi: такого файла или папки нет: проверьте имя или создайте папку\n"},
      {{"score", "log.adi", "--districts", "districts.dat", "--plugin", "nowhere/libStats.so"},
       "rdac: cannot load the plug-in " + here + "nowhere/libStats.so: "},
      {{"score", "log.adi", "--workdir", "fresh"}, "rdac: no district table: give --districts FILE"},
      {{"score", "log.adi", "--districts", "gone.dat"},
       "rdac: district table '" + here + "gone.dat' not found\n"},
      {{"score", "log.adi", "--districts", "districts.dat", "--cty", "districts.dat"},
       "rdac: " + here + "districts.dat holds no country in the cty.dat format\n"},
      {{"score", "log.adi", "--districts", "districts.dat", "--plugin", "districts.dat"},
       "rdac: cannot load the plug-in " + here + "districts.dat: "},
      {{"score", "log.adi", "--districts", "districts.dat", "--plugin", RECORDING_PLUGIN_PATH,
        "--cabrillo", "--header", "CATEGORY-MODE=RTTY"},
       "rdac: CATEGORY-MODE takes CW, SSB or MIXED, not 'RTTY'\n"},
      {{"score", "folder", "--districts", "districts.dat"},
       "rdac: cannot read the log " + here + "folder: it is a folder, not a file\n"},
      {{"score", "log.adi", "--districts", "districts.dat", "--cty", "folder"},
       "rdac: cannot read the country file " + here + "folder: it is a folder, not a file\n"},
      {{"score", "log.adi", "--districts", "districts.dat", "--cabrillo", "--header-file", "folder"},
       "rdac: cannot read the header file " + here + "folder: it is a folder, not a file\n"},
      {{"score", "/dev/null", "--districts", "districts.dat"},
       "rdac: cannot read the log /dev/null: it is not a regular file\n"},
      {{"score", "huge.adi", "--districts", "districts.dat"},
       "rdac: cannot read the log " + here + "huge.adi: it is larger than 1 GiB\n"},
      {{"score", "empty.adi", "--districts", "districts.dat"}, "rdac: no QSO record found in " + here + "empty.adi\n"},
      {{"score", "header-only.adi", "--districts", "districts.dat"},
       "rdac: no QSO record found in " + here + "header-only.adi\n"},
      {{"score", "junk.adi", "--districts", "districts.dat"},
       "rdac: no QSO record found in " + here + "junk.adi: it does not look like ADIF or Cabrillo\n"},
  };
  for (const Case& c : cases) {
    const RdacRun run = runRdac(c.args);
    EXPECT_EQ(run.exitCode, 1) << c.args[1];
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(Errors, ArgumentsThatMakeNoCommandNameTheOptionAndTheHelp) {
  const RdacRun run = runRdac({"score", "log.adi", "--frobnicate"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err, "rdac: The following argument was not expected: --frobnicate\n"
                     "run 'rdac score --help' for the options\n");
  const RdacRun help = runRdac({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage: rdac [OPTIONS] SUBCOMMAND"), std::string::npos) << help.out;
  const RdacRun version = runRdac({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("rdac 1.", 0), 0u) << version.out;
}

TEST_F(Errors, ALogWithoutItsOwnCallAsksForOne) {
  dir.write("anon.adi", "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<STX:1>1<EOR>");
  RdacRun run = score("anon.adi");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "rdac: the log does not name the own callsign: give --call CALL\n");
  run = score("anon.adi", {"--call", "XX0XX"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "rdac: the own callsign XX0XX has no country in the country file: give --prefix and --continent\n");
  run = score("anon.adi", {"--call", "XX0XX", "--prefix", "UA", "--continent", "EU"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  dir.write("neither.txt", "just some text\n");
  run = score("neither.txt");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "rdac: " + dir.path() + "/neither.txt is neither ADIF nor Cabrillo (name it .adi, .adif, .log or .cbr)\n");
}

TEST_F(Errors, MalformedRecordsAndUnknownCountriesCostOnlyTheirQsos) {
  dir.write("mixed.adi",
            "<EOH>\n"
            "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<STATION_CALLSIGN:6>RA3AAA<EOR>\n"
            "<CALL:5>K2ABC<QSO_DATE:8>20170819<TIME_ON:4>99<BAND:3>20m<MODE:2>CW<EOR>\n"
            "<CALL:5>XX0XX<QSO_DATE:8>20170819<TIME_ON:4>1201<BAND:3>20m<MODE:2>CW<EOR>\n"
            "<CALL:8>UA3AA/MM<QSO_DATE:8>20170819<TIME_ON:4>1202<BAND:3>20m<MODE:2>CW<EOR>\n"
            "<CALL:5>XX0XX<QSO_DATE:8>20170819<TIME_ON:4>1203<BAND:3>40m<MODE:2>CW<EOR>\n"
            "<CALL:5>K3ABC<QSO_DATE:8>20170819<TIME_ON:4>1204<BAND:3>20m<MODE:2>CW<EOR>\n");
  const RdacRun run = score("mixed.adi");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err,
            "rdac: mixed.adi:3: record skipped: no valid QSO_DATE and TIME_ON for K2ABC\n"
            "rdac: mixed.adi: 5 of 5 QSO(s) give no sent exchange (looked at STX_STRING, STX, a district in MY_CNTY, "
            "and the Cabrillo exchange sent): the plug-in refuses them; give the own exchange with --sent-exchange\n"
            "rdac: 3 QSO(s) not scored: no country in cty.dat for XX0XX UA3AA/MM\n");
  EXPECT_EQ(run.out.rfind("recorded 2 QSOs\n", 0), 0u) << run.out;
}

}  // namespace
}  // namespace rdac::testing
