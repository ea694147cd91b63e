#include "rdac/logs/adif_reader.h"

#include <gtest/gtest.h>

namespace rdac {
namespace {

const char kRecord[] =
    "<CALL:6>RA3AAA<QSO_DATE:8>20170819<TIME_ON:4>1201<BAND:3>20m<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX_STRING:5>TA-04<EOR>\n";

TEST(AdifReader, ReadsTheFieldsOfARecordIntoTheHostsValues) {
  const ContestLog log = readAdif(kRecord);
  ASSERT_EQ(log.qsos.size(), 1u);
  ASSERT_TRUE(log.problems.empty());
  const LoggedQso& q = log.qsos[0];
  EXPECT_EQ(q.call, "RA3AAA");
  EXPECT_EQ(q.time.Format("%Y-%m-%d %H%M%S"), "2017-08-19 120100");
  EXPECT_EQ(q.band, "20m");
  EXPECT_EQ(q.mode, "CW");
  EXPECT_EQ(q.rstSent, "599");
  EXPECT_EQ(q.rstRcvd, "599");
  EXPECT_EQ(q.exchSent, "MA-03");
  EXPECT_EQ(q.exchRcvd, "TA-04");
  EXPECT_EQ(q.line, 1u);
}

TEST(AdifReader, TakesValuesByLengthSoTheyMayHoldTagCharactersAndLineEnds) {
  // The comment's value holds "<EOR>" and a CR LF; scanning for the next tag would split
  // the record there.
  const ContestLog log = readAdif(
      "<CALL:5>DL1AB<QSO_DATE:8>20170819<TIME_ON:6>120159<FREQ:6>14.025<MODE:2>CW"
      "<COMMENT:14>x<EOR>\r\nline 2<SRX:3>007<STX:2>12<EOR>");
  ASSERT_EQ(log.qsos.size(), 1u);
  EXPECT_TRUE(log.problems.empty());
  EXPECT_EQ(log.qsos[0].exchRcvd, "007");  // a zero-padded serial stays as sent
  EXPECT_EQ(log.qsos[0].exchSent, "12");
  EXPECT_EQ(log.qsos[0].time.Format("%H%M%S"), "120159");
}

TEST(AdifReader, AcceptsTagsInAnyCaseAndRecordsAcrossLines) {
  const ContestLog log = readAdif(
      "Exported by a logger <with a stray bracket\n"
      "<adif_ver:5>3.1.0 <station_callsign:6>ua3xyz\n<eoh>\n"
      "<call:5>k1abc\n<qso_date:8>20170820\n<time_on:4>0959\n<freq:7>3.51234\n"
      "<mode:3>SSB <submode:3>LSB <srx:3>001 <stx:1>5 <eor>\n");
  ASSERT_EQ(log.qsos.size(), 1u);
  EXPECT_EQ(log.ownCall, "UA3XYZ");
  EXPECT_EQ(log.qsos[0].call, "K1ABC");
  EXPECT_EQ(log.qsos[0].mode, "SSB");
  EXPECT_EQ(log.qsos[0].band, "80m");  // from FREQ, as there is no BAND
  EXPECT_EQ(log.qsos[0].freqHz, 3512340u);
  EXPECT_EQ(log.qsos[0].line, 4u);
}

TEST(AdifReader, PrefersTheStringExchangesAndFallsBackToTheSerials) {
  const ContestLog log = readAdif(
      "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>40M<MODE:3>USB"
      "<SRX:2>17<SRX_STRING:0><STX_STRING:4>MA03<STX:1>9<EOR>");
  ASSERT_EQ(log.qsos.size(), 1u);
  EXPECT_EQ(log.qsos[0].exchRcvd, "17");
  EXPECT_EQ(log.qsos[0].exchSent, "MA-03");
  EXPECT_EQ(log.qsos[0].band, "40m");
  EXPECT_EQ(log.qsos[0].mode, "SSB");  // an older logger's sideband in MODE
}

TEST(AdifReader, TakesTheOwnCallFromTheRecordsWhenTheHeaderHasNone) {
  const ContestLog log = readAdif(
      "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<OPERATOR:6>RA3AAA<EOR>"
      "<CALL:5>K2ABC<QSO_DATE:8>20170819<TIME_ON:4>1201<BAND:3>20m<MODE:2>CW<STATION_CALLSIGN:6>RA3BBB<EOR>");
  EXPECT_EQ(log.ownCall, "RA3AAA");
}

TEST(AdifReader, SkipsMalformedRecordsWithTheirLineAndGoesOn) {
  const ContestLog log = readAdif(
      "header\n<EOH>\n"
      "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<EOR>\n"
      "<CALL:5>K2ABC<QSO_DATE:8>20170832<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<EOR>\n"
      "<CALL:5>K3ABC<QSO_DATE:8>20170819\n<TIME_ON:x>1200<BAND:3>20m<MODE:2>CW<EOR>\n"
      "<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<EOR>\n"
      "<CALL:5>K5ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<MODE:2>CW<EOR>\n"
      "<CALL:5>K6ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<FREQ:4>14.x<MODE:2>CW<EOR>\n"
      "<CALL:5>K7ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW<EOR>\n");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.qsos[0].call, "K1ABC");
  EXPECT_EQ(log.qsos[1].call, "K7ABC");
  ASSERT_EQ(log.problems.size(), 5u);
  EXPECT_EQ(log.problems[0].line, 4u);
  EXPECT_NE(log.problems[0].message.find("QSO_DATE"), std::string::npos);
  EXPECT_EQ(log.problems[1].line, 5u);  // the record's first line, the bad tag is on the next
  EXPECT_NE(log.problems[1].message.find("line 6"), std::string::npos);
  EXPECT_EQ(log.problems[2].line, 7u);
  EXPECT_NE(log.problems[2].message.find("no CALL"), std::string::npos);
  EXPECT_NE(log.problems[3].message.find("neither BAND nor FREQ"), std::string::npos);
  EXPECT_NE(log.problems[4].message.find("14.x"), std::string::npos);
}

TEST(AdifReader, FreqInHzFallsBackToTheBandWithOneLineForAllSuchRecords) {
  const ContestLog log = readAdif(
      "<EOH>\n"
      "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<FREQ:8>14081011<MODE:3>FT8<EOR>\n"
      "<CALL:5>K2ABC<QSO_DATE:8>20170819<TIME_ON:4>1201<FREQ:7>7074000<MODE:3>FT8<EOR>\n"
      "<CALL:5>K3ABC<QSO_DATE:8>20170819<TIME_ON:4>1202<BAND:3>40M<FREQ:7>7074000<MODE:3>FT8<EOR>\n");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.qsos[0].band, "20m");
  EXPECT_EQ(log.qsos[0].freqHz, 14000000u);  // the band's edge, as for a QSO logged by band
  EXPECT_EQ(log.qsos[1].band, "40m");
  ASSERT_EQ(log.problems.size(), 2u);
  EXPECT_NE(log.problems[0].message.find("7074000"), std::string::npos);  // no band to fall back to
  EXPECT_EQ(log.problems[1].line, 2u);
  EXPECT_EQ(log.problems[1].message, "FREQ is not in MHz (\"14081011\") in 2 record(s): their BAND is used");
}

TEST(AdifReader, ReportsAValueThatRunsPastTheEndAndARecordWithoutEnd) {
  ContestLog log = readAdif(std::string(kRecord) + "<CALL:50>K1ABC<EOR>\n");
  EXPECT_EQ(log.qsos.size(), 1u);
  ASSERT_EQ(log.problems.size(), 1u);
  EXPECT_EQ(log.problems[0].line, 2u);
  EXPECT_NE(log.problems[0].message.find("past the end"), std::string::npos);

  log = readAdif(std::string(kRecord) + "<CALL:5>K1ABC<QSO_DATE:8>20170819");
  EXPECT_EQ(log.qsos.size(), 1u);
  ASSERT_EQ(log.problems.size(), 1u);
  EXPECT_NE(log.problems[0].message.find("<EOR>"), std::string::npos);
}

std::string records(int count, const std::string& bogusField = "") {
  std::string out;
  for (int i = 1; i <= count; ++i)
    out += "<CALL:5>K" + std::to_string(i) + "ABC<QSO_DATE:8>20170819<TIME_ON:4>120" + std::to_string(i) +
           "<BAND:3>20m" + (i == 2 ? bogusField : "") + "<MODE:2>CW<EOR>\n";
  return out;
}

TEST(AdifReader, TakesWhatPrecedesTheFirstEohAsTheHeaderHoweverItStarts) {
  const char* const headers[] = {
      "<ADIF_VER:5>3.1.0 <PROGRAMID:7>HandLog <STATION_CALLSIGN:6>RA3AAA <EOH>\r\n",
      "<programid:7>HandLog\n<station_callsign:6>ra3aaa\n<eoh>\n",
      "<ADIF_VER:5>3.1.0 written <by hand> for RA3AAA <OPERATOR:6>RA3AAA <Eoh>\n",
      "Plain text first\n<STATION_CALLSIGN:6>RA3AAA\n<EOH>\n",
  };
  for (const char* header : headers) {
    const ContestLog log = readAdif(header + records(2));
    ASSERT_EQ(log.qsos.size(), 2u) << header;
    EXPECT_EQ(log.qsos[0].call, "K1ABC");
    EXPECT_EQ(log.ownCall, "RA3AAA");
    EXPECT_TRUE(log.problems.empty()) << log.problems[0].message;
  }
}

TEST(AdifReader, SkipsTheHeaderOfALogAppendedToAnotherWithItsLine) {
  const ContestLog log = readAdif("<ADIF_VER:5>3.1.0 <EOH>\n" + records(1) +
                                  "<ADIF_VER:5>3.1.0 made <by hand>\n<PROGRAMID:4>test <EOH>\n" + records(1));
  EXPECT_EQ(log.qsos.size(), 2u);
  ASSERT_EQ(log.problems.size(), 1u);
  EXPECT_EQ(log.problems[0].line, 4u);
  EXPECT_NE(log.problems[0].message.find("<EOH>"), std::string::npos);
}

TEST(AdifReader, ALengthThatRunsPastItsRecordCostsThatRecordOnly) {
  for (const char* bogus : {"<RST_SENT:999999999>599", "<RST_SENT:150>599", "<COMMENT:99999>x"}) {
    const ContestLog log = readAdif(records(5, bogus));
    ASSERT_EQ(log.qsos.size(), 4u) << bogus;
    EXPECT_EQ(log.qsos[1].call, "K3ABC");
    ASSERT_EQ(log.problems.size(), 1u);
    EXPECT_EQ(log.problems[0].line, 2u);
  }
}

TEST(AdifReader, KeepsModesAndBandsOutsideTheContestForThePluginToReport) {
  const ContestLog log = readAdif(
      "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<FREQ:6>10.115<MODE:4>RTTY<EOR>"
      "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<FREQ:5>5.000<MODE:2>CW<EOR>");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.qsos[0].band, "30m");
  EXPECT_EQ(log.qsos[0].mode, "RTTY");
  EXPECT_EQ(log.qsos[1].band, "");  // 5 MHz lies in no amateur band
  EXPECT_EQ(log.qsos[1].freqHz, 5000000u);
}

// The contest's fields first; the award logs' subdivision only when it holds a district; never QTH.
TEST(AdifReader, TakesTheDistrictsFromCntyWhenNoContestFieldGivesThem) {
  const std::string head = "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>40M<MODE:2>CW";
  const ContestLog log = readAdif(head + "<CNTY:5>ma-03<MY_CNTY:4>TA04<QTH:5>SV-12<EOR>" + head +
                                  "<CNTY:5>MA-03<SRX:3>007<MY_CNTY:5>TA-04<STX_STRING:3>012<EOR>" + head +
                                  "<CNTY:9>Middlesex<QTH:5>SV-12<MY_CNTY:4>Kent<EOR>");
  ASSERT_EQ(log.qsos.size(), 3u);
  EXPECT_EQ(log.qsos[0].exchRcvd, "MA-03");
  EXPECT_EQ(log.qsos[0].exchSent, "TA-04");
  EXPECT_EQ(log.qsos[1].exchRcvd, "007");
  EXPECT_EQ(log.qsos[1].exchSent, "012");
  EXPECT_EQ(log.qsos[2].exchRcvd, "");
  EXPECT_EQ(log.qsos[2].exchSent, "");
}

TEST(AdifReader, DropsTheReportBeforeTheExchange) {
  const ContestLog log = readAdif(
      "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>40M<MODE:2>CW<RST_SENT:3>579<RST_RCVD:3>559"
      "<SRX_STRING:8>559 TA04<STX_STRING:8>579 MA03<EOR>");
  ASSERT_EQ(log.qsos.size(), 1u);
  EXPECT_EQ(log.qsos[0].exchRcvd, "TA-04");
  EXPECT_EQ(log.qsos[0].exchSent, "MA-03");
}

// Decided once for the file: Windows-1251 bytes become UTF-8, UTF-8 stays, and a value cut
// inside a letter leaves no broken byte behind.
TEST(AdifReader, HandsOverTextInUtf8WhateverTheFileWasWrittenIn) {
  const std::string head = "<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>40M<MODE:2>CW";
  ContestLog log = readAdif("<CALL:5>K1ABC" + head + "<SRX_STRING:5>\xD1\xCF-04<EOR>");
  ASSERT_EQ(log.qsos.size(), 1u);
  EXPECT_EQ(log.qsos[0].exchRcvd, "\xD0\xA1\xD0\x9F-04");
  log = readAdif("<CALL:5>K1ABC" + head + "<SRX_STRING:7>\xD0\xA1\xD0\x9F-04<COMMENT:3>\xD0\xA0x<EOR>"
                 "<CALL:5>K2ABC" + head + "<SRX_STRING:3>\xD0\xA1\xD0\x9F-04<EOR>");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.qsos[0].exchRcvd, "\xD0\xA1\xD0\x9F-04");
  EXPECT_EQ(log.qsos[1].exchRcvd, "\xD0\xA1?");
}

TEST(AdifReader, SkipsARecordWithACallLongerThanAnyOrADateOutsideContestYears) {
  const ContestLog log = readAdif("<CALL:40>" + std::string(40, 'K') +
                                  "<QSO_DATE:8>20170819<TIME_ON:4>1201<BAND:3>20m<MODE:2>CW<EOR>\n"
                                  "<CALL:5>K1ABC<QSO_DATE:8>59830101<TIME_ON:4>1201<BAND:3>20m<MODE:2>CW<EOR>\n");
  EXPECT_TRUE(log.qsos.empty());
  ASSERT_EQ(log.problems.size(), 2u);
  EXPECT_EQ(log.problems[0].message, "record skipped: a call of 40 characters; no call is longer than 32");
  EXPECT_EQ(log.problems[1].message, "record skipped: date 5983-01-01 outside the years 1900 to 2099");
}

}  // namespace
}  // namespace rdac
