#include "rdac/logs/cabrillo_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "rdac/io/text_lines.h"

namespace rdac {
namespace {

TEST(CabrilloReader, ReadsTheColumnsOfQsoLinesAndTheOwnCall) {
  const ContestLog log = readCabrillo(
      "START-OF-LOG: 3.0\r\nCONTEST: RDAC\r\nCALLSIGN: ra3aaa\r\n"
      "QSO:  3512 CW 2017-08-19 1200 RA3AAA        599 MA-03  K1ABC         599 001\r\n"
      "QSO: 14250 PH 2017-08-19 1201 RA3AAA        59  MA-03  UA9XYZ        59  SV12\r\n"
      "END-OF-LOG:\r\n");
  EXPECT_EQ(log.ownCall, "RA3AAA");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_TRUE(log.problems.empty());
  const LoggedQso& cw = log.qsos[0];
  EXPECT_EQ(cw.freqHz, 3512000u);
  EXPECT_EQ(cw.band, "80m");
  EXPECT_EQ(cw.mode, "CW");
  EXPECT_EQ(cw.time.Format("%Y-%m-%d %H%M"), "2017-08-19 1200");
  EXPECT_EQ(cw.rstSent, "599");
  EXPECT_EQ(cw.exchSent, "MA-03");
  EXPECT_EQ(cw.call, "K1ABC");
  EXPECT_EQ(cw.rstRcvd, "599");
  EXPECT_EQ(cw.exchRcvd, "001");
  EXPECT_EQ(cw.line, 4u);
  EXPECT_EQ(log.qsos[1].mode, "SSB");
  EXPECT_EQ(log.qsos[1].band, "20m");
  EXPECT_EQ(log.qsos[1].exchRcvd, "SV-12");
}

TEST(CabrilloReader, DropsTheTransmitterNumberOfAMultiTransmitterLog) {
  const ContestLog log =
      readCabrillo("QSO: 7012 CW 2017-08-19 1200 RA3AAA 599 MA03 K1ABC 599 001 1\n");
  ASSERT_EQ(log.qsos.size(), 1u);
  EXPECT_EQ(log.qsos[0].exchRcvd, "001");
}

TEST(CabrilloReader, SkipsLinesThatDoNotFitWithTheirNumbers) {
  const ContestLog log = readCabrillo(
      "CALLSIGN: RA3AAA\n"
      "QSO: 7012 CW 2017-08-19 1200 RA3AAA 599 MA03 K1ABC 599\n"      // a column short
      "QSO: 7.012 CW 2017-08-19 1200 RA3AAA 599 MA03 K1ABC 599 001\n"  // MHz, not kHz
      "QSO: 7012 CW 19-08-2017 1200 RA3AAA 599 MA03 K1ABC 599 001\n"
      "QSO: 99999999 CW 2017-08-19 1200 RA3AAA 599 MA03 K1ABC 599 001\n"
      "QSO: 28012 CW 2017-08-19 2359 RA3AAA 599 MA03 K2ABC 599 002\n");
  ASSERT_EQ(log.qsos.size(), 1u);
  EXPECT_EQ(log.qsos[0].band, "10m");
  ASSERT_EQ(log.problems.size(), 4u);
  EXPECT_EQ(log.problems[0].line, 2u);
  EXPECT_NE(log.problems[0].message.find("9 columns"), std::string::npos);
  EXPECT_NE(log.problems[1].message.find("7.012"), std::string::npos);
  EXPECT_NE(log.problems[2].message.find("19-08-2017"), std::string::npos);
  EXPECT_EQ(log.problems[3].line, 5u);
}

TEST(CabrilloReader, TakesCrLfLfAndLoneCrAsLineEnds) {
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    const ContestLog log = readCabrillo(
        "START-OF-LOG: 3.0" + end + "CALLSIGN: RA3AAA" + end +
        "QSO: 7012 CW 2017-08-19 1200 RA3AAA 599 MA03 K1ABC 599 001" + end +
        "QSO: 7012 CW 2017-08-19 1201 RA3AAA 599 MA03" + end +
        "QSO: 7013 CW 2017-08-19 1202 RA3AAA 599 MA03 K2ABC 599 002" + end + "END-OF-LOG:" + end);
    EXPECT_EQ(log.ownCall, "RA3AAA");
    ASSERT_EQ(log.qsos.size(), 2u);
    EXPECT_EQ(log.qsos[1].line, 5u);
    ASSERT_EQ(log.problems.size(), 1u);
    EXPECT_EQ(log.problems[0].line, 4u);
  }
}

TEST(CabrilloReader, ReadsNoBreakAndWideBlanksAsBlanks) {
  // 0xA0 of an 8-bit code page, in a file of that code page.
  std::string nbsp = "QSO: 7012 CW 2017-08-19 1200 RA3AAA  599 MA03 K1ABC 599 001";
  for (char& c : nbsp) c = c == ' ' ? '\xA0' : c;
  ContestLog log = readCabrillo("CALLSIGN:\xA0RA3AAA\n" + nbsp + "\n");
  EXPECT_EQ(log.ownCall, "RA3AAA");
  ASSERT_EQ(log.qsos.size(), 1u) << (log.problems.empty() ? "" : log.problems[0].message);
  EXPECT_EQ(log.qsos[0].exchRcvd, "001");
  // In UTF-8: no-break space, en quad, narrow no-break and ideographic space; the UTF-8 Р (D0 A0)
  // of the soapbox holds the byte 0xA0 and is no blank.
  log = readCabrillo("SOAPBOX: \xD0\xA0\xD0\xB0\xD0\xB4\n"
                     "QSO: 7012\xC2\xA0" "CW\xE2\x80\x80\xE2\x80\xAF" "2017-08-19\xE3\x80\x80"
                     "1201 RA3AAA 599 MA03 K2ABC 599 \xD0\xA0\xD0\x90-03\n");
  ASSERT_EQ(log.qsos.size(), 1u) << (log.problems.empty() ? "" : log.problems[0].message);
  EXPECT_EQ(log.qsos[0].mode, "CW");
  EXPECT_EQ(log.qsos[0].call, "K2ABC");
  EXPECT_EQ(log.qsos[0].exchRcvd, "PA-03");  // Cyrillic Р and А have Latin twins
}

TEST(CabrilloReader, ReadsKilohertzWithDecimalsSidebandsAndXQsoLines) {
  const ContestLog log = readCabrillo(
      "QSO: 14025.5 USB 2017-08-19 1200 RA3AAA 59 MA-3 K1ABC 59 001\n"
      "QSO: 3650,25 LSB 2017-08-19 1201 RA3AAA 59 MA-3 K2ABC 59 002\n"
      "X-QSO: 7012 CW 2017-08-19 1202 RA3AAA 599 MA-3 K3ABC 599 003\n");
  ASSERT_EQ(log.qsos.size(), 3u) << (log.problems.empty() ? "" : log.problems[0].message);
  EXPECT_EQ(log.qsos[0].freqHz, 14025500u);
  EXPECT_EQ(log.qsos[0].mode, "SSB");
  EXPECT_EQ(log.qsos[0].exchSent, "MA-03");
  EXPECT_EQ(log.qsos[1].freqHz, 3650250u);
  EXPECT_EQ(log.qsos[1].mode, "SSB");
  EXPECT_FALSE(log.qsos[1].xQso);
  EXPECT_TRUE(log.qsos[2].xQso);
}

// No contest log holds them: a call longer than any would cost the cross-check memory, a QSO
// dated from the year 5983 on would not fit its minutes.
TEST(CabrilloReader, ALineWithACallLongerThanAnyOrADateOutsideContestYearsIsSkipped) {
  const ContestLog log = readCabrillo("QSO: 7012 CW 2017-08-19 1200 RA3AAA 599 MA03 " + std::string(33, 'K') +
                                      " 599 001\nQSO: 7012 CW 2017-08-19 1200 RA3AAA 599 MA03 " + std::string(32, 'K') +
                                      " 599 001\nQSO: 7012 CW 9017-08-19 1300 RA3AAA 599 MA03 K1ABC 599 001\n"
                                      "QSO: 7012 CW 2099-12-31 2359 RA3AAA 599 MA03 K1ABC 599 001\n");
  EXPECT_EQ(log.qsos.size(), 2u);
  ASSERT_EQ(log.problems.size(), 2u);
  EXPECT_EQ(log.problems[0].message, "QSO line skipped: a call of 33 characters; no call is longer than 32");
  EXPECT_EQ(log.problems[1].message, "QSO line skipped: date 9017-08-19 outside the years 1900 to 2099");
  EXPECT_EQ(log.problems[1].line, 3u);
}

}  // namespace
}  // namespace rdac

// Line ends found by a plain scan, on random texts of short and window-long lines, all three
// ends mixed and a last line without one.
TEST(CabrilloReader, SplitsLinesAsAPlainScanDoesWhateverTheirLength) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int pieces = int(random() % 40);
    for (int p = 0; p < pieces; ++p) {
      const size_t length = random() % 4 == 0 ? 4000 + random() % 200 : random() % 30;
      text.append(length, char('a' + random() % 26));
      const char* const ends[] = {"\r\n", "\n", "\r", "\r\r\n", ""};
      text += ends[random() % 5];
    }
    std::vector<std::string_view> expected, got;
    for (size_t pos = 0; pos < text.size();) {
      size_t end = pos;
      while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
      expected.push_back(std::string_view(text).substr(pos, end - pos));
      pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    for (size_t pos = 0; pos < text.size();) got.push_back(rdac::nextLine(text, pos));
    ASSERT_EQ(got, expected) << "round " << round;
  }
}
