#include <gtest/gtest.h>

#include <algorithm>

#include "log/intake.h"
#include "tests/support/plugin_fixture.h"

namespace stats::testing {
namespace {

const std::string kHeader = "RDA Contest UBN file \r\n";

class IntakeTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    reset(Station{});
  }
  size_t logSize() { return log.qsoLog.size(); }
  CInfo record(size_t i) { return log.qsoLog.at(i); }
  std::vector<std::string> workedBands() { return log.qsoLog.workedBands(); }
};

TEST_F(IntakeTest, RefusedQsosGetOneLineAndAreNotStored) {
  Qso wrongBand;
  wrongBand.band = "30m";
  wrongBand.mode = "RTTY";  // the band is tested first: one line only
  wrongBand.freqHz = 10123999;
  EXPECT_EQ(add(wrongBand), 0);
  Qso wrongMode;
  wrongMode.mode = "CW ";
  EXPECT_EQ(add(wrongMode), 0);
  Qso noSent;
  noSent.exchSent = "";
  EXPECT_EQ(add(noSent), 0);
  Qso noRcvd;
  noRcvd.exchRcvd = "";
  EXPECT_EQ(add(noRcvd), 0);
  Qso blanks;
  blanks.exchRcvd = " ";  // present: no trimming
  blanks.prefix = "DL";
  EXPECT_EQ(add(blanks), 1);
  EXPECT_EQ(logSize(), 1u);
  EXPECT_EQ(workedBands(), (std::vector<std::string>{"20m"}));
  EXPECT_EQ(badLines(),
            kHeader +
                "QSO:  10123  RTTY  2017-09-05 1200  RA3AA  599  MA01  UA9AAA  599  001    WRONG BAND !!!\r\n"
                "QSO:  14025  CW   2017-09-05 1200  RA3AA  599  MA01  UA9AAA  599  001    WRONG MODE !!!\r\n"
                "QSO:  14025  CW  2017-09-05 1200  RA3AA  599    UA9AAA  599  001    NO RX NUMBER !!!\r\n"
                "QSO:  14025  CW  2017-09-05 1200  RA3AA  599  MA01  UA9AAA  599      NO RX NUMBER !!!\r\n");
}

TEST_F(IntakeTest, RussianDistrictsAreNormalisedAndChecked) {
  Qso known;
  known.exchRcvd = "ma-01";
  EXPECT_EQ(add(known), 1);
  CInfo r = record(0);
  EXPECT_EQ(r.district, "MA01");
  EXPECT_EQ(r.exchRcvd, "MA01");
  EXPECT_EQ(r.badQso + r.noScore + r.dupe, 0);
  EXPECT_EQ(badLines(), kHeader);

  Qso unknown;
  unknown.call = "RA9BB";
  unknown.exchRcvd = "xy-99";
  EXPECT_EQ(add(unknown), 1);
  r = record(1);
  EXPECT_EQ(r.district, "");
  EXPECT_EQ(r.exchRcvd, "xy-99");
  EXPECT_EQ(r.badQso, 1);
  EXPECT_EQ(r.noScore, 1);
  EXPECT_EQ(badLines(), kHeader +
                            "QSO:  14025  CW  2017-09-05 1200  RA3AA  599  MA01  RA9BB  599  xy-99  "
                            "XY99  Russland District Area Code is not acceptable !!!\r\n");
}

TEST_F(IntakeTest, ShortAndLongExchangesFormTheirCodeFromBothEnds) {
  EXPECT_EQ(normalisedDistrict("5"), "55");
  EXPECT_EQ(normalisedDistrict("ab"), "ABAB");
  EXPECT_EQ(normalisedDistrict("abc"), "ABBC");
  EXPECT_EQ(normalisedDistrict("MA01"), "MA01");
  EXPECT_EQ(normalisedDistrict("MA-01"), "MA01");
  EXPECT_EQ(normalisedDistrict(" MA 01 "), "M1");
  EXPECT_EQ(normalisedDistrict("MA\xe0" "01"), "MA01");
  EXPECT_EQ(normalisedDistrict(std::string(100000, 'x') + "01"), "XX01");
}

TEST_F(IntakeTest, NonRussianStationsAreNotChecked) {
  Qso dx;
  dx.prefix = "DL";
  dx.call = "DL1AA";
  dx.exchRcvd = "anything at all";
  EXPECT_EQ(add(dx), 1);
  EXPECT_EQ(record(0).badQso, 0);
  EXPECT_EQ(record(0).exchRcvd, "anything at all");
  EXPECT_EQ(badLines(), kHeader);
}

TEST_F(IntakeTest, DupesByExactCallBandAndMode) {
  Qso first;
  first.exchRcvd = "MA01";
  ASSERT_EQ(add(first), 1);
  EXPECT_EQ(add(first), 1);
  Qso otherBand = first, otherMode = first, otherCase = first;
  otherBand.band = "40m";
  otherMode.mode = "SSB";
  otherCase.call = "ua9aaa";
  add(otherBand);
  add(otherMode);
  add(otherCase);
  EXPECT_EQ(record(1).dupe, 1);
  EXPECT_EQ(record(1).noScore, 1);
  for (size_t i : {0u, 2u, 3u, 4u}) EXPECT_EQ(record(i).dupe, 0) << i;
  EXPECT_EQ(badLines(), kHeader +
                            "QSO:  14025  CW  2017-09-05 1200  RA3AA  599  MA01  UA9AAA  599  MA01 "
                            "DUPE !!!\r\n");
}

TEST_F(IntakeTest, BandTextsDifferingInCaseAreDifferentBands) {
  Qso lower, upper;
  upper.band = "20M";
  add(lower);
  add(upper);
  EXPECT_EQ(record(1).dupe, 0);
  EXPECT_EQ(workedBands(), (std::vector<std::string>{"20m", "20M"}));
}

TEST_F(IntakeTest, ABadDupeGetsTwoLinesDistrictFirst) {
  Qso q;
  q.exchRcvd = "ZZ99";
  add(q);
  add(q);
  const CInfo r = record(1);
  EXPECT_EQ(r.badQso, 1);
  EXPECT_EQ(r.dupe, 1);
  const std::string line = "QSO:  14025  CW  2017-09-05 1200  RA3AA  599  MA01  UA9AAA  599  ZZ99";
  EXPECT_EQ(badLines(), kHeader + line + "  ZZ99  Russland District Area Code is not acceptable !!!\r\n" +
                            line + "  ZZ99  Russland District Area Code is not acceptable !!!\r\n" +
                            line + " DUPE !!!\r\n");
}

TEST_F(IntakeTest, ControlBytesInAFieldStayInsideItsLine) {
  Qso q;
  q.band = "30m";
  q.call = "UA9\r\nAAA";
  q.rstSent = "5\t9";
  q.exchRcvd = "001\nQSO: forged\x7f";
  EXPECT_EQ(add(q), 0);
  EXPECT_EQ(badLines(), kHeader +
                            "QSO:  14025  CW  2017-09-05 1200  RA3AA  5 9  MA01  UA9  AAA  599  "
                            "001 QSO: forged     WRONG BAND !!!\r\n");
}

TEST_F(IntakeTest, SicilyIsStoredAsItalyAndOtherPrefixesUnchanged) {
  Qso sicily, lower;
  sicily.prefix = "IT9";
  sicily.call = "IT9AAA";
  lower.prefix = "ua9";
  lower.call = "X1";
  add(sicily);
  add(lower);
  EXPECT_EQ(record(0).prefix, "I");
  EXPECT_EQ(record(1).prefix, "ua9");
  EXPECT_EQ(record(1).district, "");  // "ua9" is not a Russian prefix
}

TEST_F(IntakeTest, FrequencyDatesAndOddTextsAreSafe) {
  Qso q;
  q.freqHz = 4294967295u;
  q.time.m_status = COleDateTime::invalid;
  q.call = std::string(100000, '\xff');
  q.prefix = "DL";
  EXPECT_EQ(add(q), 1);
  EXPECT_EQ(add(q), 1);
  EXPECT_EQ(record(0).freqKHz, 4294967);
  EXPECT_EQ(record(1).dupe, 1);
  Qso nullTime;
  nullTime.time.m_status = COleDateTime::null;
  nullTime.band = "BAD";
  nullTime.freqHz = 0;
  EXPECT_EQ(add(nullTime), 0);
  EXPECT_NE(badLines().find("QSO:  0  CW    RA3AA"), std::string::npos);
  EXPECT_NE(badLines().find("QSO:  4294967  CW  Invalid DateTime  RA3AA"), std::string::npos);
}

// Through a run of AddData0 calls the file is kept by name, as a reload needs; any other export
// ends the run, and the next line goes to the file the name leads to then.
TEST_F(IntakeTest, AFileDeletedOrReplacedBetweenQsosGetsTheNextLines) {
  resetStats(Station{});
  Qso bad;
  bad.band = "30m";
  addData(bad);
  std::remove(dir.file(badFile).c_str());
  checkCall("RA9X", "20m", "CW", "RA9");
  bad.call = "RA9AFTER";
  addData(bad);
  EXPECT_EQ(badLines(),
            "QSO:  14025  CW  2017-09-05 1200  RA3AA  599  MA01  RA9AFTER  599  001    WRONG BAND !!!\r\n");
  dir.write(badFile, "replaced\r\n");
  checkCall("RA9X", "20m", "CW", "RA9");
  bad.call = "RA9NEXT";
  addData(bad);
  EXPECT_EQ(badLines(),
            "replaced\r\nQSO:  14025  CW  2017-09-05 1200  RA3AA  599  MA01  RA9NEXT  599  001    WRONG BAND !!!\r\n");
}

TEST_F(IntakeTest, EveryLineIsInTheFileWhenAddDataReturns) {
  Qso bad;
  bad.band = "30m";
  for (const char* call : {"RA1", "RA2", "RA3"}) {
    bad.call = call;
    add(bad);
  }
  const std::string lines = dir.read(badFile);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4);
  EXPECT_NE(lines.find("RA3  599  001    WRONG BAND !!!\r\n"), std::string::npos);
}

TEST_F(IntakeTest, LinesStayInTheContestsFolderWhenTheHostMovesTheCurrentFolder) {
  resetStats(Station{});
  Qso bad;
  bad.band = "30m";
  addData(bad);
  ScratchDir other;  // a file dialog of the host moved its current folder
  checkCall("RA9X", "20m", "CW", "RA9");
  bad.call = "RA9OTHER";
  addData(bad);
  EXPECT_FALSE(other.exists(badFile));
  const std::string lines = badLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3);
  EXPECT_NE(lines.find("RA9OTHER  599  001    WRONG BAND !!!\r\n"), std::string::npos);
}

// Removal through the exports, whose answer is always 1; the lists it leaves on parts of its own.
class RemovalTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    resetStats(Station{});
  }
  size_t logSize() {
    return withState([](PluginState& s) { return s.log.qsoLog.size(); });
  }
  CInfo record(size_t i) {
    return withState([i](PluginState& s) { return s.log.qsoLog.at(i); });
  }
};

TEST_F(RemovalTest, RemovesExactlyTheMatchingRecordAndPromotesItsTwin) {
  Qso a, b, c;
  b.call = "RA9BB";
  c.call = "RA9CC";
  addData(a);
  addData(a);  // dupe of a
  addData(b);
  addData(c);
  EXPECT_EQ(removeData(a), 1);  // the earliest match goes
  ASSERT_EQ(logSize(), 3u);
  EXPECT_EQ(record(0).call, "UA9AAA");
  EXPECT_EQ(record(0).dupe, 0);  // the first of its call, band and mode now
  EXPECT_EQ(record(1).call, "RA9BB");
  Qso later = c;
  later.time.m_dt += 1e-9;
  EXPECT_EQ(removeData(later), 1);
  EXPECT_EQ(logSize(), 3u);
  Qso neverAdded;
  neverAdded.call = "NOBODY";
  EXPECT_EQ(removeData(neverAdded), 1);
  EXPECT_EQ(logSize(), 3u);
}

TEST_F(RemovalTest, RemovingTheLastRecordEmptiesTheWorkedLists) {
  reset(Station{});
  Qso a, b;
  b.band = "40m";
  add(a);
  add(b);
  computedResult();
  remove(a);
  EXPECT_EQ(log.qsoLog.workedBands(), (std::vector<std::string>{"40m"}));  // 20m has no record left
  remove(b);
  EXPECT_TRUE(log.qsoLog.workedBands().empty());
  EXPECT_TRUE(result.workedDistricts.empty());
  for (const auto& prefixes : result.bandPrefixes) EXPECT_TRUE(prefixes.empty());
}

TEST_F(RemovalTest, OnlyTheRemovedContactsLinesGo) {
  Qso a, other, longer, sameTimeOtherDay;
  a.call = "UA1A";
  a.exchRcvd = "ZZ01";
  other.call = "UA1A";
  other.exchRcvd = "ZZ02";
  other.at(13, 0);
  longer.call = "UA1AB";  // contains the removed call, same time
  longer.exchRcvd = "ZZ03";
  sameTimeOtherDay = a;
  sameTimeOtherDay.time.m_dt -= 1.0;
  sameTimeOtherDay.exchRcvd = "ZZ04";
  for (const Qso& q : {a, a, other, longer, sameTimeOtherDay}) addData(q);
  const std::string before = badLines();
  removeData(a);
  const std::string after = badLines();
  // One district line goes with the record; its twin, no longer a dupe, keeps its district
  // line and loses its dupe line.
  const auto linesOfA = [](const std::string& text) {
    size_t n = 0;
    for (size_t at = 0; (at = text.find("UA1A  599  ZZ01", at)) != std::string::npos; ++at) ++n;
    return n;
  };
  EXPECT_EQ(linesOfA(before), 3u);
  EXPECT_EQ(linesOfA(after), 1u);
  EXPECT_EQ(after.find("ZZ01 DUPE"), std::string::npos);
  EXPECT_NE(after.find("UA1A  599  ZZ02"), std::string::npos);
  EXPECT_NE(after.find("UA1AB  599  ZZ03"), std::string::npos);
  EXPECT_NE(after.find("UA1A  599  ZZ04"), std::string::npos);
  EXPECT_EQ(after.rfind(kHeader, 0), 0u);
  EXPECT_EQ(std::count(before.begin(), before.end(), '\n') - 2,
            std::count(after.begin(), after.end(), '\n'));
}

TEST_F(RemovalTest, TheRewriteKeepsHeaderOrderAndCrLf) {
  dir.write(badFile, "edited by hand\nQSO:  1  CW  x  y\n\nlast line");
  Qso neverFlagged;
  neverFlagged.call = "UA9ZZZ";
  removeData(neverFlagged);
  EXPECT_EQ(badLines(), kHeader + "QSO:  1  CW  x  y\r\n\r\nlast line\r\n");
  removeData(neverFlagged);
  EXPECT_EQ(badLines(), kHeader + "QSO:  1  CW  x  y\r\n\r\nlast line\r\n");
}

TEST_F(RemovalTest, AMissingFileIsRecreatedAndAFolderInItsPlaceIsLeftAlone) {
  std::remove(dir.file(badFile).c_str());
  Qso q;
  removeData(q);
  EXPECT_EQ(badLines(), kHeader);

  std::remove(dir.file(badFile).c_str());
  dir.write(badFile + "/inside", "x");
  q.band = "30m";
  EXPECT_EQ(addData(q), 0);
  EXPECT_EQ(removeData(q), 1);
  EXPECT_EQ(dir.read(badFile + "/inside"), "x");
  EXPECT_NE(getResult().find("Bad QSO\t 0"), std::string::npos);
  EXPECT_FALSE(dir.exists(badFile + ".tmp"));
}

}  // namespace
}  // namespace stats::testing
