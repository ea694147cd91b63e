// Logs in the shapes loggers write them, each meeting a partner who logged the same QSO plainly:
// every shape is read to the same QSO, so nobody is penalised.
#include <gtest/gtest.h>

#include "platform/edited_text.h"
#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"
#include "tests/support/scratch_dir.h"

namespace rdac::testing {
namespace {

std::string field(const std::string& name, const std::string& value) {
  return "<" + name + ":" + std::to_string(value.size()) + ">" + value;
}

// RA3AAA worked at `time` on 20m CW by `own`, with the record's other fields.
std::string adifQso(const std::string& own, const std::string& time, const std::string& fields) {
  return field("CALL", "RA3AAA") + field("QSO_DATE", "20170819") + field("TIME_ON", time) + field("FREQ", "14.025") +
         field("MODE", "CW") + field("STATION_CALLSIGN", own) + fields + "<EOR>\r\n";
}

std::string cabrilloLog(const std::string& call, const std::string& lines) {
  return "START-OF-LOG: 3.0\r\nCALLSIGN: " + call + "\r\n" + lines + "END-OF-LOG:\r\n";
}

std::string plainQso(const std::string& time, const std::string& call, const std::string& received,
                     const std::string& mode = "CW") {
  const std::string report = mode == "CW" ? "599" : "59";
  return "QSO: 14025 " + mode + " 2017-08-19 " + time + " RA3AAA " + report + " MA-03 " + call + " " + report + " " +
         received + "\r\n";
}

class ReadingShapes : public ::testing::Test {
 protected:
  stats::testing::ScratchDir dir;

  void SetUp() override {
    dir.write("districts.dat", kDistricts);
    dir.write("logs/RA3AAA.log",
              cabrilloLog("RA3AAA", plainQso("1200", "RA4AAA", "TA-04") + plainQso("1201", "RA4BBB", "TA-04") +
                                        plainQso("1202", "RA4CCC", "TA-04") + plainQso("1203", "RA4DDD", "TA-04", "PH") +
                                        plainQso("1204", "RA4EEE", "TA-04") + plainQso("1205", "RA4FFF", "TA-04") +
                                        plainQso("1206", "RA4GGG", "TA-04") + plainQso("1207", "RA4HHH", "TA-04")));
    // A report before the district, in both exchange fields.
    dir.write("logs/RA4AAA.adi", "<EOH>\r\n" + adifQso("RA4AAA", "1200",
                                                       field("RST_SENT", "599") + field("RST_RCVD", "599") +
                                                           field("SRX_STRING", "599 MA03") + field("STX_STRING", "599 TA04")));
    // An award log: the districts in CNTY and MY_CNTY; QTH is free text and never read.
    dir.write("logs/RA4BBB.adi", "<EOH>\r\n" + adifQso("RA4BBB", "1201", field("CNTY", "MA-03") + field("MY_CNTY", "TA-04") +
                                                                             field("QTH", "SV-12")));
    // A general log: no sent exchange (the committee states it), the district without its zero.
    dir.write("logs/RA4CCC.adi", "<EOH>\r\n" + adifQso("RA4CCC", "1202", field("SRX", "ma3")));
    // UTF-8: kHz with a decimal, USB, a district typed in Cyrillic, a no-break blank, a Cyrillic soapbox.
    dir.write("logs/RA4DDD.log", cabrilloLog("RA4DDD", "SOAPBOX: \xD0\xA0\xD0\xB0\xD0\xB4\r\n"
                                                       "QSO: 14025.5 USB 2017-08-19 1203 RA4DDD 59\xC2\xA0TA-04 RA3AAA 59 "
                                                       "\xD0\x9C\xD0\x90-03\r\n"));
    // Just below the band's edge.
    dir.write("logs/RA4EEE.log", cabrilloLog("RA4EEE", "QSO: 13997 CW 2017-08-19 1204 RA4EEE 599 TA-04 RA3AAA 599 MA-03\r\n"));
    // Saved by Notepad as "Unicode".
    dir.write("logs/RA4FFF.adi",
              stats::fileOfUtf8("<EOH>\r\n" + adifQso("RA4FFF", "1205", field("SRX_STRING", "MA-03") +
                                                                          field("STX_STRING", "TA-04")),
                                stats::TextEncoding::utf16Le));
    // A QSO its sender asks not to be counted.
    dir.write("logs/RA4GGG.log", cabrilloLog("RA4GGG", "X-QSO: 14025 CW 2017-08-19 1206 RA4GGG 599 TA-04 RA3AAA 599 MA-03\r\n"));
    // Windows-1251 with no-break blanks (0xA0) and the district in Cyrillic.
    dir.write("logs/RA4HHH.log", cabrilloLog("RA4HHH", "QSO:\xA0" "14025 CW 2017-08-19 1207 RA4HHH 599 TA-04 RA3AAA 599 "
                                                       "\xCC\xC0-03\r\n"));
  }
};

TEST_F(ReadingShapes, EveryShapeMeetsItsPlainPartnerWithoutPenalty) {
  const RdacRun run = runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "out", "--penalty", "1",
                               "--sent-exchange", "ra4ccc=TA-04"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("9 logs, 16 QSOs checked: ok 15 x_qso 1\n"), std::string::npos) << run.out << run.err;
  const std::string checked = fileText(dir.file("out/checked.csv"));
  EXPECT_EQ(checked.find("busted"), std::string::npos) << checked;
  EXPECT_NE(checked.find("outside the band"), std::string::npos) << checked;
  EXPECT_TRUE(stats::looksLikeUtf8(checked + "\xD0\xB0")) << "checked.csv holds invalid UTF-8";
  const std::string ubn = fileText(dir.file("out/RA3AAA.ubn"));
  EXPECT_NE(ubn.find("Checked: 8 QSOs"), std::string::npos) << ubn;
  EXPECT_EQ(ubn.find("Penalty"), std::string::npos) << ubn;
  EXPECT_NE(fileText(dir.file("out/RA4GGG.ubn")).find("Claimed: 0 QSOs"), std::string::npos);
  EXPECT_NE(fileText(dir.file("out/RA4EEE.ubn")).find("\nOutside the band: 1\n"), std::string::npos);
  EXPECT_EQ(run.err.find("give no sent exchange"), std::string::npos) << run.err;
}

TEST_F(ReadingShapes, ALogWithoutASentExchangeIsNamedOnceAndBustsNoPartner) {
  const RdacRun run = runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "out"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("RA4CCC.adi: 1 of 1 QSO(s) give no sent exchange (looked at STX_STRING, STX, a district in "
                         "MY_CNTY, and the Cabrillo exchange sent): the plug-in refuses them; give the own exchange with "
                         "--sent-exchange CALL=EXCH\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("ok 15 x_qso 1\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace rdac::testing
