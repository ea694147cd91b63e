// The plug-in's main job run by rdac: the small log scored through the real libStats.so.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"

namespace rdac::testing {
namespace {

// Own station RA3AAA in European Russia. 80m: RA3BBB, same prefix (1 point), and RA3CCC
// with a district not in the table (refused). 40m: RA3DDD/P (10 points). 20m: UA0ABC in Asia
// (2 points), DL1ABC in Europe (3 points) and UA0ABC again (a dupe). K1ABC on 30m is refused.
// The rates count only the last QSO's band, 40m.
const char kExpectedResult[] =
    "\t\tRDA CONTEST 19.08-19.08.2017\n"
    "\t\t\tContestant: RA3AAA \n"
    "\tQSOs\tPoints\tDXCC\tRDA\tCW\tSSB\n"
    "80m\t 1\t 1\t 1\t\t 0\t 1\n"
    "40m\t 1\t 10\t 1\t\t 1\t 0\n"
    "20m\t 2\t 5\t 2\t\t 2\t 0\n"
    "Total\t 4\t 16\t 4\t 3\t 3\t 1\n"
    "Dupe\t 1\n"
    "Bad QSO\t 2\n"
    "\n"
    "Score: 16*(4+3) = 112\n"
    "Last QSO points:    10\n"
    "Hourly (10min/1 hour) QSO rate:     1 /6\n"
    "Hourly (10min/1 hour) pts rate:    10 /60\n"
    "Created by RDAC (C)\n";

// Counts by reason, not the lines: the file keeps them.
const char kExpectedBadQsoSummary[] =
    "Bad-QSO file out/rdac/BadQSO_DedodEVA_19_08_2017.txt: 3 line(s)\n"
    "      1  DUPE !!!\n"
    "      1  Russland District Area Code is not acceptable !!!\n"
    "      1  WRONG BAND !!!\n";

class Scoring : public SmallLogTest {};

TEST_F(Scoring, PrintsThePluginsResultAndTheBadQsoFile) {
  const RdacRun run = runRdac({"score", "log.adi", "--districts", "districts.dat"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, std::string(kExpectedResult) + "\n" + kExpectedBadQsoSummary);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(dir.read("out/rdac/Plugins/RDA.ini").find("Claimed=112\r\n"), std::string::npos);
}

TEST_F(Scoring, WritesTheHtmlFormOfTheSameResult) {
  const RdacRun run = runRdac({"score", "log.adi", "--districts", "districts.dat", "--html", "r.html"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind(kExpectedResult, 0), 0u);  // the text form is printed first
  const std::string html = dir.read("r.html");
  EXPECT_EQ(html.rfind("<html><head><meta charset=\"utf-8\"><style>", 0), 0u);
  EXPECT_NE(html.find("<center><b>   RDA CONTEST 19.08-19.08.2017</b></center><center>Contestant:  <b>RA3AAA</center>"),
            std::string::npos);
  EXPECT_NE(html.find("<center>16 * (4 + 3) = 112</center>"), std::string::npos);
}

TEST_F(Scoring, AnExportedCabrilloLogScoresTheSameWhenReadBack) {
  RdacRun run = runRdac({"score", "log.adi", "--districts", "districts.dat", "--cabrillo",
                         "--header", "NAME=\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD Petrov", "--header", "SOAPBOX=first", "--header", "SOAPBOX=second",
                         "--header", "CATEGORY-POWER=LOW"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Score: 16*(4+3) = 112"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Cabrillo file: out/rdac/RA3AAA.cbr\n"), std::string::npos);
  const std::string cabrillo = dir.read("out/rdac/RA3AAA.cbr");
  EXPECT_NE(cabrillo.find("\r\nNAME: \xC8\xE2\xE0\xED Petrov\r\n"), std::string::npos);  // in Windows-1251, as its other lines
  EXPECT_NE(cabrillo.find("\r\nCREATED-BY: rdac "), std::string::npos);  // no logger made it
  // The given power and the mode of a log with CW and SSB, through the dialog's saved choices.
  EXPECT_NE(cabrillo.find("\r\nCATEGORY-POWER: LOW\r\nCATEGORY-MODE: MIXED\r\n"), std::string::npos);
  EXPECT_NE(cabrillo.find("\r\nSOAPBOX: first\r\nSOAPBOX: second\r\n"), std::string::npos);
  EXPECT_NE(cabrillo.find("\r\nCLAIMED-SCORE: 112\r\n"), std::string::npos);
  // Every stored QSO once, the refused one on 30m not at all.
  size_t qsoLines = 0;
  for (size_t at = cabrillo.find("QSO: "); at != std::string::npos; at = cabrillo.find("QSO: ", at + 1)) ++qsoLines;
  EXPECT_EQ(qsoLines, 6u);

  run = runRdac({"score", "out/rdac/RA3AAA.cbr", "--districts", "districts.dat", "--workdir", "again"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Score: 16*(4+3) = 112"), std::string::npos) << run.out;
}

std::string scoreLine(const std::string& out) {
  const size_t at = out.find("Score: ");
  return at == std::string::npos ? "(no score)" : out.substr(at, out.find('\n', at) - at);
}

TEST_F(Scoring, ALogByBandOnlyExportsBandEdgesThatReadBackWithTheSameScore) {
  dir.write("bands.adi",
            "<EOH>\n"
            "<CALL:6>UA0ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<RST_SENT:3>599"
            "<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX_STRING:5>SV-12<STATION_CALLSIGN:6>RA3AAA<EOR>\n"
            "<CALL:6>DL1ABC<QSO_DATE:8>20170819<TIME_ON:4>1201<BAND:4>160M<MODE:2>CW<RST_SENT:3>599"
            "<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX:3>001<STATION_CALLSIGN:6>RA3AAA<EOR>\n"
            "<CALL:6>RA3BBB<QSO_DATE:8>20170819<TIME_ON:4>1202<BAND:3>10m<MODE:3>SSB<RST_SENT:2>59"
            "<RST_RCVD:2>59<STX_STRING:5>MA-03<SRX_STRING:5>TA-04<STATION_CALLSIGN:6>RA3AAA<EOR>\n");
  RdacRun run = runRdac({"score", "bands.adi", "--districts", "districts.dat", "--cabrillo"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string score = scoreLine(run.out);
  EXPECT_EQ(score, "Score: 6*(3+2) = 30");
  run = runRdac({"score", "out/rdac/RA3AAA.cbr", "--districts", "districts.dat", "--workdir", "again"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(scoreLine(run.out), score);
}

// I and IT9 are one DXCC country, GM and GM/s, TA and TA1; European Turkey keeps its continent.
TEST_F(Scoring, CountsWaeOnlyEntitiesAsTheirDxccCountry) {
  std::string log = "<EOH>\n";
  int minute = 0;
  for (const std::string call : {"I1ABC", "IT9ABC", "GM0ABC", "TA1ABC", "TA3ABC"})
    log += "<CALL:" + std::to_string(call.size()) + ">" + call + "<QSO_DATE:8>20170819<TIME_ON:4>120" +
           std::to_string(minute++) + "<BAND:3>40m<MODE:2>CW<RST_SENT:3>599<RST_RCVD:3>599"
           "<STX_STRING:5>MA-03<SRX:3>001<STATION_CALLSIGN:6>RA3AAA<EOR>\n";
  dir.write("wae.adi", log);
  RdacRun run = runRdac({"score", "wae.adi", "--districts", "districts.dat"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("\n40m\t 5\t 17\t 3\t\t 5\t 0\n"), std::string::npos) << run.out;

  dir.write("only-dat/cty.dat", fileText("/usr/share/hamradio-files/cty.dat"));
  run = runRdac({"score", "wae.adi", "--districts", "districts.dat", "--cty", "only-dat/cty.dat"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "rdac: no cty.csv beside cty.dat: WAE-only entities such as Sicily count as DXCC countries of their own\n");
  // The plug-in folds IT9 into I by itself, not TA1 into TA.
  EXPECT_NE(run.out.find("\n40m\t 5\t 17\t 4\t\t 5\t 0\n"), std::string::npos) << run.out;
}

TEST_F(Scoring, ChecksACallsignAgainstTheFedLog) {
  struct Case {
    const char *call, *band, *mode, *answer;
  };
  const Case cases[] = {
      {"UA0ABC", "20m", "CW", "UA0ABC (UA9) on 20m CW: dupe\n"},
      // SHOWINFO's setup window takes "Use hint" on: the earlier district is offered.
      {"UA0ABC", "20m", "SSB", "UA0ABC (UA9) on 20m SSB: ordinary\nhint: SV12\n"},
      {"JA1ABC", "20m", "CW", "JA1ABC (JA) on 20m CW: new multiplier\n"},
      {"K1ABC", "30m", "CW", "K1ABC (K) on 30m CW: cannot count\n"},
      // Not scored, as score and watch have it, be it digits or a call typed in Cyrillic.
      {"1234", "20m", "CW", "1234 (no country) on 20m CW: not scored: no country in cty.dat\n"},
      {"\xd0\x95\xd0\x90" "1\xd0\x90\xd0\x90\xd0\x90", "20m", "CW",
       "\xd0\x95\xd0\x90" "1\xd0\x90\xd0\x90\xd0\x90 (no country) on 20m CW: not scored: no country in cty.dat\n"},
  };
  for (const Case& c : cases) {
    const RdacRun run = runRdac({"check", c.call, "--band", c.band, "--mode", c.mode, "log.adi",
                                 "--districts", "districts.dat"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, c.answer);
  }
}

TEST_F(Scoring, ChecksGiveTheDistrictOfAnEarlierQsoAsTheHint) {
  const RdacRun run = runRdac({"check", "RA3BBB", "--band", "20m", "--mode", "CW", "log.adi",
                               "--districts", "districts.dat"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "RA3BBB (UA) on 20m CW: new multiplier\nhint: MA03\n");
}

TEST_F(Scoring, CtrlCKeepsTheBadQsoFileOfTheLastCompleteRun) {
  // Dupes of one QSO, each a line of the file: a feed long enough to stop in its middle.
  std::string log = "<EOH>\n";
  for (int i = 0; i < 40000; ++i)
    log += "<CALL:6>UA0ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<RST_SENT:3>599<RST_RCVD:3>599"
           "<STX_STRING:5>MA-03<SRX_STRING:5>SV-12<STATION_CALLSIGN:6>RA3AAA<EOR>\n";
  dir.write("long.adi", log);
  const std::vector<std::string> args{"score", "long.adi", "--districts", "districts.dat"};
  ASSERT_EQ(runRdac(args).exitCode, 0);
  const std::string badQsos = "out/rdac/BadQSO_DedodEVA_19_08_2017.txt";
  const std::string complete = dir.read(badQsos);
  ASSERT_GT(complete.size(), 100000u);

  const pid_t pid = startRdac(args, "rdac.out", "rdac.err");
  ASSERT_GT(pid, 0);
  // Ctrl-C once the new run has begun a file of its own.
  for (int i = 0; i < 10000; ++i) {
    const size_t now = dir.read(badQsos).size();
    if (now > 0 && now < complete.size()) break;
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
  EXPECT_TRUE(dir.read(badQsos) == complete);  // not printed: megabytes
  EXPECT_NE(dir.read("rdac.err").find("rdac: stopped after feeding "), std::string::npos) << dir.read("rdac.err");
}

}  // namespace
}  // namespace rdac::testing
