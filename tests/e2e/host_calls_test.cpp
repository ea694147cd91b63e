// What rdac passes to the plug-in, position by position, seen through a recording stand-in.
#include <gtest/gtest.h>

#include "platform/edited_text.h"
#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"

namespace rdac::testing {
namespace {

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& head) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    if (line.rfind(head, 0) == 0) out.push_back(line);
    pos = end + 1;
  }
  return out;
}

class HostCalls : public SmallLogTest {
 protected:
  RdacRun score(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"score", "log.adi", "--districts", "districts.dat", "--plugin",
                                  RECORDING_PLUGIN_PATH};
    args.insert(args.end(), extra.begin(), extra.end());
    return runRdac(args);
  }
  std::string calls(const std::string& workdir = "out/rdac") const {
    return dir.read(workdir + "/calls.txt");
  }
};

TEST_F(HostCalls, ResetCarriesTheOwnStationAndTheContestDates) {
  const RdacRun run = score();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto resets = linesStartingWith(calls(), "ResetStats0");
  ASSERT_EQ(resets.size(), 1u);
  // 2017-08-19 is day 42966 after 1899-12-30; the last QSO is at 12:06.
  EXPECT_EQ(resets[0], "ResetStats0 0=" + dir.path() + "/out/rdac/ 1=0 2=RA3AAA 3=42966.500000/0 "
                       "4=42966.504167/0 5= 13= 14=UA 20= 21=EU 22=");
}

TEST_F(HostCalls, EveryQsoGoesToAddData0InTheHostsArgumentPositions) {
  const RdacRun run = score();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto adds = linesStartingWith(calls(), "AddData0");
  ASSERT_EQ(adds.size(), 7u);
  EXPECT_EQ(adds[0], "AddData0 0=RA3AAA 1=UA0ABC 2=42966.500000/0 6=0 7=14025000 8=CW 9=599 10=579 "
                     "11=MA-03 12=SV-12 13= 14= 15= 16= 17= 18= 19= 20= 21= 22=UA9 28= 29=AS 30= "
                     "31=20m 32=");
  // The band from the frequency when the record has none; SSB with its sideband; the
  // record that ran across lines.
  EXPECT_NE(adds[1].find(" 1=DL1ABC "), std::string::npos);
  EXPECT_NE(adds[1].find(" 12=001 "), std::string::npos);
  EXPECT_NE(adds[1].find(" 22=DL 28= 29=EU 30= 31=20m "), std::string::npos);
  EXPECT_NE(adds[2].find(" 31=20m "), std::string::npos);  // BAND 20M as the plug-in spells it
  EXPECT_NE(adds[3].find(" 1=RA3BBB 2=42966.502083/0 6=0 7=3700000 8=SSB 9=59 10=59 11=MA-03 12=MA-03 "),
            std::string::npos);
  EXPECT_NE(adds[3].find(" 31=80m "), std::string::npos);
  EXPECT_NE(adds[5].find(" 7=10115000 8=CW "), std::string::npos);
  EXPECT_NE(adds[5].find(" 31=30m "), std::string::npos);  // left for the plug-in to refuse
  EXPECT_NE(adds[6].find(" 1=RA3DDD/P "), std::string::npos);
  EXPECT_NE(adds[6].find(" 22=UA "), std::string::npos);
}

TEST_F(HostCalls, HtmlComesAfterThePrintedTextAndGoesToItsFile) {
  const RdacRun run = score({"--html", "result.html"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("recorded 7 QSOs\nHTML result: result.html\n", 0), 0u) << run.out;
  EXPECT_EQ(dir.read("result.html"), "<html>recorded 7 QSOs\r\n");
  const std::string c = calls();
  EXPECT_LT(c.find("GetResult0"), c.find("setVersion"));
  EXPECT_LT(c.find("setVersion"), c.rfind("GetResult0"));
}

TEST_F(HostCalls, LaysOutTheWorkFolderTheWayThePluginNamesItsFiles) {
  dir.write("hints.hlp", "UA0ABC SV12\r\n");
  const RdacRun run = score({"--workdir", "w", "--hints", "hints.hlp"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(dir.read("w/Plugins/rda_rus.dat"), kDistricts);
  EXPECT_EQ(dir.read("w/Plugins/RDAC.hlp"), "UA0ABC SV12\r\n");
  EXPECT_TRUE(dir.exists("w/calls.txt"));  // the plug-in ran with w as its current folder
}

TEST_F(HostCalls, AnExportRunWritesTheHeaderToTheSettingsBeforeTheReset) {
  dir.write("w/Plugins/RDA.ini", "[Settings]\r\nStart=0\r\nName=Old name\r\n");
  dir.write("header.txt", "NAME: Ivan Petrov\nSOAPBOX: line one\nSOAPBOX: line two\n");
  dir.write("w/RA3AAA.cbr", "from an earlier export\r\n");
  const RdacRun run = score({"--workdir", "w", "--cabrillo", "--header-file", "header.txt",
                             "--header", "CLUB=Test club"});
  EXPECT_EQ(dir.read("w/Plugins/RDA.ini"),
            "[Settings]\r\nStart=0\r\nName=Ivan Petrov\r\nSoapBox=line one<CR><LF>line two\r\n"
            "Club=Test club\r\nMode=MIXED\r\n");
  const auto resets = linesStartingWith(calls("w"), "ResetStats0");
  ASSERT_EQ(resets.size(), 1u);
  EXPECT_NE(resets[0].find("/w/ 1=1 2=RA3AAA "), std::string::npos);
  // The stand-in writes no Cabrillo file: a failure, not a success, whatever an earlier
  // export left there.
  EXPECT_FALSE(dir.exists("w/RA3AAA.cbr"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("rdac: the plug-in wrote no Cabrillo file"), std::string::npos) << run.err;
}

TEST_F(HostCalls, AReportedExportRunAsksForTheExportOnce) {
  // Each result asked for in an export run rewrites the Cabrillo file and shows a message box:
  // the report's many come from a plain pass before it.
  score({"--cabrillo", "--report", "report.html"});
  const std::string log = calls();
  const auto resets = linesStartingWith(log, "ResetStats0");
  ASSERT_EQ(resets.size(), 2u);
  EXPECT_NE(resets[0].find(" 1=0 "), std::string::npos);
  EXPECT_NE(resets[1].find(" 1=1 "), std::string::npos);
  EXPECT_EQ(linesStartingWith(log.substr(log.rfind("ResetStats0")), "GetResult0").size(), 1u);
  EXPECT_NE(dir.read("report.html").find("recorded 7 QSOs"), std::string::npos);
}

TEST_F(HostCalls, CheckAsksWithTheResolvedPrefixAndShowsTheAnswerInWords) {
  const RdacRun run = runRdac({"check", "ua9abc", "--band", "15m", "--mode", "SSB", "log.adi",
                               "--districts", "districts.dat", "--plugin", RECORDING_PLUGIN_PATH});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto checks = linesStartingWith(calls(), "CheckCall0");
  ASSERT_EQ(checks.size(), 1u);
  EXPECT_EQ(checks[0], "CheckCall0 0=UA9ABC 3=SSB 4= 12= 13=UA9 23= 24=15m 25=15m 27=");
  EXPECT_EQ(run.out, "UA9ABC (UA9) on 15m SSB: new multiplier\nhint: ZZ99\n");
}

TEST_F(HostCalls, FeedsTheQsosInTimeOrderKeepingTheFileOrderOfEqualTimes) {
  dir.write("newest-first.adi",
            "<EOH>\n"
            "<CALL:5>K3ABC<QSO_DATE:8>20170819<TIME_ON:4>1202<BAND:3>20m<MODE:2>CW<OPERATOR:6>RA3AAA<EOR>\n"
            "<CALL:5>K2ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<EOR>\n"
            "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>40m<MODE:2>CW<EOR>\n"
            "<CALL:5>K0ABC<QSO_DATE:8>20170818<TIME_ON:4>2359<BAND:3>40m<MODE:2>CW<EOR>\n");
  const RdacRun run = runRdac({"score", "newest-first.adi", "--districts", "districts.dat", "--plugin",
                               RECORDING_PLUGIN_PATH});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "rdac: newest-first.adi: 4 of 4 QSO(s) give no sent exchange (looked at STX_STRING, STX, a district "
                     "in MY_CNTY, and the Cabrillo exchange sent): the plug-in refuses them; give the own exchange with "
                     "--sent-exchange\n"
                     "rdac: newest-first.adi is not in time order: its QSOs are fed sorted by date and time\n");
  std::string calls;
  for (const std::string& add : linesStartingWith(this->calls(), "AddData0")) calls += add.substr(add.find(" 1=") + 3, 5) + " ";
  EXPECT_EQ(calls, "K0ABC K2ABC K1ABC K3ABC ");
}

TEST_F(HostCalls, LaysOutThePublishersDistrictListWithItsCurrentCodesOnly) {
  const std::string list =
      "RDA districts, as of 01.03.2021\r\n"
      "\r\n"
      "\tKhanty-Mansi Area (HM)\tUA9K, RA9K\r\n"
      "HM-01\tFirst town\r\n"
      "HM-02\tdeleted 01.01.2010\tHM-01\r\n"
      "HM-03\tThird town, since 01.02.2016\r\n"
      "\tMoscow (MA)\tUA3A, RA3A\r\n"
      "MA-01\tFirst district\r\n"
      "MA-02\tDeleted\t***\r\n";
  // Copied from a web page: no tab before a heading, runs of spaces for the others.
  std::string copied;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] != '\t')
      copied += list[i];
    else if (i > 0 && list[i - 1] != '\n')
      copied += "   ";
  // As published, as an editor saves it in UTF-16 with a byte-order mark, and as copied.
  for (const std::string& saved : {list, stats::fileOfUtf8(list, stats::TextEncoding::utf16Le), copied}) {
    dir.write("rda-list.txt", saved);
    const RdacRun run = runRdac({"score", "log.adi", "--districts", "rda-list.txt", "--plugin", RECORDING_PLUGIN_PATH});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err,
              "rdac: publisher's district list rda-list.txt: 3 current district code(s) written, 2 deleted one(s) left "
              "out\n");
    EXPECT_EQ(dir.read("out/rdac/Plugins/rda_rus.dat"), "HM-01\r\nHM-03\r\nMA-01\r\n");
  }
}

TEST_F(HostCalls, DistrictsMakesTheTableWithoutALogFromWhateverEncodingItWasSavedIn) {
  // Windows-1251 with lone CR line ends, as an old editor saves the publisher's list.
  dir.write("list-1251.txt",
            "\t\xcc\xee\xf1\xea\xe2\xe0 (MA)\tUA3A\rMA-01\t\xd0\xe0\xe9\xee\xed\rMA-02\tdeleted\t***\r"
            "MA-03\t\xd0\xe0\xe9\xee\xed\r");
  RdacRun run = runRdac({"districts", "list-1251.txt", "--out", "Plugins/rda_rus.dat"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "publisher's district list list-1251.txt: 2 current district code(s) written, 1 deleted one(s) left out\n"
            "Written to " + dir.path() + "/Plugins/rda_rus.dat\n");
  EXPECT_EQ(dir.read("Plugins/rda_rus.dat"), "MA-01\r\nMA-03\r\n");

  // A table of codes in UTF-8 with a byte-order mark and LF, with names after some codes.
  // A line that says its code is deleted never gives it.
  dir.write("table.txt", "\xEF\xBB\xBFRDA\n  SV-12 \xd0\x95\xd0\xba\xd0\xb1\nHM-01\nHM-02 deleted 01.01.2012 HM-01\n");
  run = runRdac({"districts", "table.txt", "--out", "Plugins/rda_rus.dat"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "district table table.txt: 2 current district code(s) written, 1 deleted one(s) left out\n"
                     "Written to " + dir.path() + "/Plugins/rda_rus.dat\n");
  EXPECT_EQ(dir.read("Plugins/rda_rus.dat"), "SV-12\r\nHM-01\r\n");

  // Nothing that gives a code is refused, and the table there stays.
  dir.write("notes.txt", stats::fileOfUtf8("Moscow, districts 1 to 3\r\n", stats::TextEncoding::utf16Le));
  run = runRdac({"districts", "notes.txt", "--out", "Plugins/rda_rus.dat"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("rdac: no RDA district code in notes.txt: it is neither the publisher's district list"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(dir.read("Plugins/rda_rus.dat"), "SV-12\r\nHM-01\r\n");
}

TEST_F(HostCalls, ReadsCabrilloQsoLines) {
  dir.write("log.cbr",
            "START-OF-LOG: 3.0\r\nCALLSIGN: UA9ABC\r\n"
            "QSO: 21012 PH 2017-08-19 1200 UA9ABC        59  SV-12  RA3AAA        59  MA-03\r\n"
            "END-OF-LOG:\r\n");
  const RdacRun run = runRdac({"score", "log.cbr", "--districts", "districts.dat", "--plugin", RECORDING_PLUGIN_PATH});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string c = calls();
  EXPECT_NE(c.find(" 2=UA9ABC "), std::string::npos);  // own call from CALLSIGN:
  EXPECT_NE(c.find(" 14=UA9 "), std::string::npos);
  EXPECT_NE(c.find("AddData0 0=UA9ABC 1=RA3AAA 2=42966.500000/0 6=0 7=21012000 8=SSB 9=59 10=59 "
                   "11=SV-12 12=MA-03 "),
            std::string::npos);
  EXPECT_NE(c.find(" 22=UA 28= 29=EU 30= 31=15m "), std::string::npos);
}

// rdac keeps texts in UTF-8; the plug-in, as in its logger, speaks Windows-1251.
TEST_F(HostCalls, UtfEightTextsReachThePluginInWindows1251) {
  dir.write("utf8.adi", "<EOH>\r\n<CALL:6>UA9ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW"
                        "<STX_STRING:5>MA-03<SRX_STRING:7>\xD0\xA1\xD0\x9F-04<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n");
  const RdacRun run = runRdac({"score", "utf8.adi", "--districts", "districts.dat", "--plugin", RECORDING_PLUGIN_PATH});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(calls().find(" 11=MA-03 12=\xD1\xCF-04 "), std::string::npos);
}

// A general log gives no sent exchange; a Cabrillo log's X-QSO lines are not the entrant's.
TEST_F(HostCalls, TheStatedSentExchangeFillsTheGapsAndXQsosAreSetAside) {
  dir.write("general.adi", "<EOH>\r\n<CALL:6>UA9ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW"
                           "<SRX:4>sv12<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n");
  RdacRun run = runRdac({"score", "general.adi", "--districts", "districts.dat", "--plugin", RECORDING_PLUGIN_PATH,
                         "--sent-exchange", "ma3"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(calls().find(" 11=MA-03 12=SV-12 "), std::string::npos);

  dir.write("x.log", "START-OF-LOG: 3.0\r\nCALLSIGN: UA9ABC\r\n"
                     "QSO: 21012 CW 2017-08-19 1200 UA9ABC 599 SV-12 RA3AAA 599 MA-03\r\n"
                     "X-QSO: 21013 CW 2017-08-19 1201 UA9ABC 599 SV-12 RA3BBB 599 MA-03\r\n");
  run = runRdac({"score", "x.log", "--districts", "districts.dat", "--plugin", RECORDING_PLUGIN_PATH, "--workdir", "x"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "rdac: x.log: 1 X-QSO line(s) set aside: not counted for this log, as its sender asked\n");
  EXPECT_EQ(linesStartingWith(calls("x"), "AddData0").size(), 1u);
}

}  // namespace
}  // namespace rdac::testing
