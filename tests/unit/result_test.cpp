#include <gtest/gtest.h>

#include "platform/settings.h"
#include "plugin/exports.h"
#include "tests/support/plugin_fixture.h"

namespace stats::testing {
namespace {

const std::string kRussianHead =
    "\t\tRDA CONTEST 02.09-05.09.2017\r\n\t\t\tContestant: RA3AA \r\n"
    "\tQSOs\tPoints\tDXCC\tRDA\tCW\tSSB\r\n";
const std::string kAbroadHead =
    "\t\tRDA CONTEST 02.09-05.09.2017\r\n\t\t\tContestant: DL1AA \r\n"
    "\tQSOs\tPoints\tRDA\tCW\tSSB\r\n";

Qso qso(const std::string& call, const std::string& prefix, const std::string& continent,
        const std::string& band, const std::string& mode, const std::string& exch, int hour,
        int minute, double second = 0) {
  Qso q;
  q.call = call;
  q.prefix = prefix;
  q.continent = continent;
  q.band = band;
  q.mode = mode;
  q.exchRcvd = exch;
  q.at(hour, minute, second);
  return q;
}

std::string rates(int last, int hourQsos, int tenQsos, int hourPoints, int tenPoints) {
  char text[256];
  std::snprintf(text, sizeof text,
                "\r\nLast QSO points: %5i\r\nHourly (10min/1 hour) QSO rate: %5i /%i\r\n"
                "Hourly (10min/1 hour) pts rate: %5i /%i\r\nCreated by RDAC (C)\r\n",
                last, hourQsos, tenQsos * 6, hourPoints, tenPoints * 6);
  return text;
}

class ResultTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    dir.write("Plugins/RDA.ini", "[Settings]\r\nStart=1\r\n");
    resetStats(Station{});
  }
  static Station abroad() {
    Station station;
    station.call = "DL1AA";
    station.prefix = "DL";
    station.continent = "EU";
    return station;
  }
  void resetAbroad() {
    resetPluginStateForTests();
    resetStats(abroad());
  }
};

TEST_F(ResultTest, EmptyLogInRussia) {
  EXPECT_EQ(getResult(), kRussianHead +
                             "Total\t 0\t 0\t 0\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\n"
                             "Score: 0*(0+0) = 0");
  EXPECT_EQ(readSetting("Claimed"), "0");
}

TEST_F(ResultTest, ScoredLogInRussia) {
  for (const Qso& q : {qso("UA9ABC", "UA9", "AS", "20m", "CW", "MA01", 12, 0),
                       qso("RA3XYZ", "UA", "EU", "20m", "SSB", "MA-02", 12, 30),
                       qso("DL1ABC", "DL", "EU", "20m", "CW", "001", 12, 40),
                       qso("K1ABC", "K", "NA", "20m", "CW", "002", 12, 50),
                       qso("UA9ABC", "UA9", "AS", "20m", "CW", "MA01", 12, 55),
                       qso("RA3P/P", "UA", "EU", "80m", "CW", "MA01", 11, 0),
                       qso("UA9BAD", "UA9", "AS", "20m", "CW", "ZZ99", 12, 58)})
    addData(q);
  EXPECT_EQ(getResult(), kRussianHead +
                             "80m\t 1\t 10\t 1\t\t 1\t 0\r\n"
                             "20m\t 4\t 11\t 4\t\t 3\t 1\r\n"
                             "Total\t 5\t 21\t 5\t 2\t 4\t 1\r\nDupe\t 1\r\nBad QSO\t 1\r\n\r\n"
                             "Score: 21*(5+2) = 147" +
                             rates(5, 4, 1, 11, 5));
  EXPECT_EQ(readSetting("Claimed"), "147");
  withState([](PluginState& s) {
    EXPECT_EQ(s.result.claimedScore, 147);
    EXPECT_EQ(s.result.badQsoCount, 1);
    EXPECT_EQ(s.result.workedDistricts, (std::vector<std::string>{"MA01", "MA02"}));
    EXPECT_EQ(s.result.bandPrefixes[1], (std::vector<std::string>{"UA"}));
    EXPECT_EQ(s.result.bandPrefixes[3], (std::vector<std::string>{"UA9", "UA", "DL", "K"}));
    EXPECT_EQ(s.log.qsoLog.workedBands(), (std::vector<std::string>{"80m", "20m"}));
    return 0;
  });
}

TEST_F(ResultTest, ScoredLogAbroad) {
  reset(abroad());
  add(qso("UA9ABC", "UA9", "AS", "20m", "CW", "MA01", 10, 0));
  add(qso("DL2XX", "DL", "EU", "20m", "CW", "001", 10, 5));
  add(qso("RA3XX", "UA", "EU", "40m", "SSB", "MA02", 10, 10));
  EXPECT_EQ(computedResult(), kAbroadHead +
                             "40m\t 1\t 10\t\t 0\t 1\r\n"
                             "20m\t 2\t 10\t\t 2\t 0\r\n"
                             "Total\t 3\t 20\t 2\t 2\t 1\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\n"
                             "Score: 20*2 = 40\r\n" +
                             rates(10, 1, 1, 10, 10));
  for (const auto& prefixes : result.bandPrefixes) EXPECT_TRUE(prefixes.empty());
}

TEST_F(ResultTest, RateWindowsBySecondsRoundedToWholeMinutes) {
  addData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 11, 0, 0.6));   // 59:59.4 before
  addData(qso("DL2AA", "DL", "EU", "20m", "CW", "2", 11, 0, 0.4));   // 59:59.6 before
  addData(qso("DL3AA", "DL", "EU", "40m", "CW", "3", 11, 59, 59.0)); // other band: never
  addData(qso("DL4AA", "DL", "EU", "20m", "CW", "4", 11, 50, 0.6));  // 9:59.4 before
  addData(qso("DL5AA", "DL", "EU", "20m", "CW", "5", 12, 30));       // after the last: counts
  addData(qso("DL6AA", "DL", "EU", "20m", "CW", "6", 12, 0));
  const std::string text = getResult();
  EXPECT_NE(text.find(rates(3, 4, 3, 12, 9)), std::string::npos) << text;
}

TEST_F(ResultTest, AbroadTheRatesAndLastQsoPointsCreditOnlyRussianStations) {
  resetAbroad();
  addData(qso("UA9ABC", "UA9", "AS", "20m", "CW", "MA01", 10, 0));
  addData(qso("DL2XX", "DL", "EU", "20m", "CW", "001", 10, 5));
  const std::string text = getResult();
  EXPECT_NE(text.find("Score: 10*1 = 10\r\n" + rates(0, 2, 2, 10, 10)), std::string::npos) << text;
}

// The plug-in's own lines are told by their layout: callsigns holding "UBN" or "DUPE" count
// like any other, a dupe line does not; a line added by hand counts as before.
TEST_F(ResultTest, BadQsosCountTheFilesQsoLinesButDupesWhateverTheirCallsigns) {
  Station own;
  own.call = "UA1UBN";
  resetStats(own);
  for (Qso q : {qso("UA3UBN", "UA", "EU", "30m", "CW", "MA01", 10, 0),
                qso("R3DUPE", "UA", "EU", "30m", "CW", "MA01", 10, 1),
                qso("DL1AA", "DL", "EU", "20m", "CW", "1", 10, 2),
                qso("DL1AA", "DL", "EU", "20m", "CW", "1", 10, 3)}) {
    q.ownCall = own.call;
    addData(q);
  }
  getResult();  // ends the burst of appends
  dir.write(badFile, dir.read(badFile) + "checked by hand\r\n");
  EXPECT_NE(getResult().find("Bad QSO\t 3\r\n"), std::string::npos);
}

TEST_F(ResultTest, OneRecordCountsInBothWindows) {
  addData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 12, 0));
  EXPECT_NE(getResult().find("QSO rate:     1 /6\r\n"), std::string::npos);
}

TEST_F(ResultTest, LastQsoPointsSkipALastDupe) {
  addData(qso("K1AA", "K", "NA", "40m", "CW", "1", 11, 0));
  addData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 11, 0));
  addData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 12, 0));
  EXPECT_NE(getResult().find("Last QSO points:     3\r\n"), std::string::npos);
  resetStats(Station{});
  addData(qso("K1AA", "K", "NA", "40m", "CW", "1", 11, 0));
  addData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 11, 0));
  addData(qso("UA9AA", "UA9", "AS", "20m", "CW", "XX99", 12, 0));  // bad district
  removeData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 11, 0));
  EXPECT_NE(getResult().find("Last QSO points:     0\r\n"), std::string::npos);
}

TEST_F(ResultTest, PointsTableForAStationInRussia) {
  Station own;
  own.prefix = "UA9";
  own.continent = "AS";
  resetStats(own);
  addData(qso("RA9P/P", "UA9", "AS", "20m", "CW", "MA01", 12, 0));   // 10
  addData(qso("RA9Q/p", "UA2", "EU", "20m", "CW", "MA01", 12, 0));   // 2: other prefix, continent
  addData(qso("RA9R", "UA9", "EU", "20m", "CW", "MA01", 12, 0));     // 1: own prefix
  addData(qso("RA3S", "UA", "AS", "20m", "CW", "MA01", 12, 0));      // 1: own continent
  addData(qso("JA1AA", "JA", "AS", "20m", "CW", "1", 12, 0));        // 3
  addData(qso("W1AA", "K", "NA", "20m", "CW", "1", 12, 0));          // 5
  addData(qso("XX1AA", "", "AF", "20m", "cw", "1", 12, 0));          // 5, empty prefix, "cw"
  EXPECT_NE(getResult().find("20m\t 7\t 27\t 6\t\t 6\t 0\r\nTotal\t 7\t 27\t 6\t 1\t 6\t 0\r\n"),
            std::string::npos)
      << getResult();
}

TEST_F(ResultTest, ADistrictCountsOnceOnTheFirstBandInBandOrder) {
  reset(Station{});
  add(qso("UA9AA", "UA9", "AS", "20m", "CW", "MA01", 12, 0));
  add(qso("UA9AA", "UA9", "AS", "80m", "CW", "MA01", 12, 1));
  computedResult();
  EXPECT_EQ(result.workedDistricts, (std::vector<std::string>{"MA01"}));
  EXPECT_EQ(result.bandPrefixes[1], (std::vector<std::string>{"UA9"}));
  EXPECT_EQ(result.bandPrefixes[3], (std::vector<std::string>{"UA9"}));
  EXPECT_NE(computedResult().find("Total\t 2\t 4\t 2\t 1\t 2\t 0\r\n"), std::string::npos);
}

TEST_F(ResultTest, BandsComeOutInBandOrderAndStaySo) {
  reset(Station{});
  for (const char* band : {"20m", "160m", "80m", "20M"})
    add(qso("DL1AA", "DL", "EU", band, "CW", "1", 12, 0));
  const std::string text = computedResult();
  const size_t b160 = text.find("\r\n160m\t"), b80 = text.find("\r\n80m\t"),
               b20 = text.find("\r\n20m\t"), b20M = text.find("\r\n20M\t");
  ASSERT_NE(b20M, std::string::npos);
  EXPECT_LT(b160, b80);
  EXPECT_LT(b80, b20);
  EXPECT_LT(b20, b20M);  // "20m" sorts above "20M" byte by byte
  EXPECT_EQ(log.qsoLog.workedBands(), (std::vector<std::string>{"160m", "80m", "20m", "20M"}));
}

TEST_F(ResultTest, HtmlFormForAnEmptyLogInRussia) {
  setVersion("");
  EXPECT_EQ(getResult(),
            "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; "
            "border-collapse: collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ "
            "background-color: #fffac6; color: black}</style></head><body>"
            "<center><b>   RDA CONTEST 02.09-05.09.2017</b></center><center>Contestant:  "
            "<b>RA3AA</center></b><table>"
            "<tr><th> Band</th><th> QSOs</th><th> Points</th><th> DXCC</th><th> RDA</th><th> "
            "CW</th><th> SSB</th></tr>"
            "<tr><th> <center>Total</center></th><td><center>0</center></td><td><center>0</center>"
            "</td><td><center>0</center></td><td><center>0</center></td><td><center>0</center>"
            "</td><td><center>0</center></td></tr>"
            "<tr><th> <center>Dupe</center></th><td><center>0</center></td><td colspan=8> </td></tr>"
            "<tr><th> <center>Bad QSO</center></th><td><center>0</center></td><td colspan=8> "
            "</td></tr>"
            "<tr><th>Score:</th><td colspan=9><center>0 * (0 + 0) = 0</center></td></tr>"
            "<tr><th>Last QSO points:</small></th><td colspan=9><center>    0</center></td></tr>"
            "<th colspan=10><center>Rate</center></th></tr>"
            "<tr><th> Hourly (10min/1 hour) QSO rate: </th><td colspan=9><center>    0 /0</center>"
            "</td></tr>"
            "<tr><th> Hourly (10min/1 hour) pts rate: </th><td colspan=9><center>    0 /0</center>"
            "</td></tr>"
            "</table></body></html>");
}

TEST_F(ResultTest, HtmlFormAbroadWithSixColumns) {
  resetAbroad();
  setVersion(nullptr);
  addData(qso("UA9ABC", "UA9", "AS", "20m", "CW", "MA01", 10, 0));
  const std::string html = getResult();
  EXPECT_NE(html.find("<tr><th> Band</th><th> QSOs</th><th> Points</th><th> RDA</th><th> CW</th>"
                      "<th> SSB</th></tr>"
                      "<tr><th> <center>20m</center></th><td><center>1</center></td><td><center>10"
                      "</center></td><th> <center> </center></th><td><center>1</center></td><td>"
                      "<center>0</center></td></tr>"
                      "<tr><th> <center>Total</center></th><td><center>1</center></td><td><center>"
                      "10</center></td><td><center>1</center></td><td><center>1</center></td><td>"
                      "<center>0</center></td></tr>"),
            std::string::npos)
      << html;
  EXPECT_NE(html.find("<center>10 * 1 = 10</center>"), std::string::npos);
  EXPECT_NE(html.find("QSO rate: </th><td colspan=9><center>    1 /6</center>"), std::string::npos);
}

TEST_F(ResultTest, ExportResultEndsAfterTheTotals) {
  Station exporting;
  exporting.exportFlag = 1;
  resetStats(exporting);
  addData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 12, 0));
  const std::string text = getResult();
  EXPECT_EQ(text.substr(text.size() - 19), "\nScore: 3*(1+0) = 3");
  EXPECT_EQ(text.find("Last QSO"), std::string::npos);
  // The export ran: every record once in the file, however often the result is asked for.
  getResult();
  const std::string cabrillo = dir.read("RA3AA.cbr");
  EXPECT_NE(cabrillo.find("CLAIMED-SCORE: 3\r\n"), std::string::npos) << cabrillo;
  EXPECT_EQ(cabrillo.find("QSO:"), cabrillo.rfind("QSO:"));
  const auto shown = shownMessages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].caption, "Output");
  EXPECT_EQ(shown[1].text.find("File produced: "), 0u);
}

TEST_F(ResultTest, StatusIsMinusOneAndThePointerStays) {
  int status = 0;
  const char* first = GetResult0(&status);
  EXPECT_EQ(status, -1);
  addData(qso("DL1AA", "DL", "EU", "20m", "CW", "1", 12, 0));
  status = 0;
  EXPECT_EQ(GetResult0(&status), first);
  EXPECT_EQ(status, -1);
  EXPECT_NE(std::string(first).find("20m\t 1\t 3\t 1"), std::string::npos);
}

}  // namespace
}  // namespace stats::testing
