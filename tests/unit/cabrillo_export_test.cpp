#include "plugin/cabrillo_export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "platform/settings.h"
#include "platform/text.h"
#include "tests/support/cabrillo_checker.h"
#include "tests/support/log_records.h"
#include "tests/support/native_cabrillo_dialog.h"
#include "tests/support/native_windows.h"
#include "tests/support/plugin_state_reset.h"
#include "tests/support/scratch_dir.h"

namespace stats {
namespace {

using ::testing::IsEmpty;
using testing::cabrilloProblems;
using testing::ScratchDir;

const COleDateTime kStart = COleDateTime::fromParts(2017, 12, 16, 14, 0);
const COleDateTime kEnd = COleDateTime::fromParts(2017, 12, 17, 13, 59);

class CabrilloExport : public ::testing::Test {
 protected:
  void SetUp() override {
    resetPluginStateForTests();
    setCabrilloDialogAnswer(nullptr);
    clearShownCabrilloDialogs();
    clearShownMessages();
    dir_.write("Plugins/.keep", "");
    StateLock lock;
    lock.state().log.exportFlag = 1;
  }
  void TearDown() override { setCabrilloDialogAnswer(nullptr); }

  void prepare(const std::string& ownCall) {
    StateLock lock;
    prepareExport(lock, ownCall, kStart, kEnd);
  }
  std::string settingsBytes() const { return dir_.read("Plugins/RDA.ini"); }

  ScratchDir dir_;
};

CInfo record(const std::string& call, int freqKHz, const std::string& mode, int minute,
             const std::string& exchRcvd, int dupe = 0) {
  CInfo r;
  r.call = call;
  r.freqKHz = freqKHz;
  r.mode = mode;
  r.qsoTime = COleDateTime::fromParts(2017, 12, 16, 14, minute);
  r.rstSent = mode == "CW" ? "599" : "59";
  r.rstRcvd = r.rstSent;
  r.exchSent = "SP-01";
  r.exchRcvd = exchRcvd;
  r.dupe = r.noScore = dupe;
  return r;
}

TEST_F(CabrilloExport, FirstExportShowsTheStartingValuesAndSavesTheKeysInOrder) {
  prepare("R1ABC/P");
  const auto shown = shownCabrilloDialogs();
  ASSERT_EQ(shown.size(), 1u);
  CabrilloHeader expected;
  expected.contest = "RDAC";
  expected.callsign = "R1ABC/P";
  expected.operators = "R1ABC/P";
  expected.categoryOperator = "SINGLE-OP";
  expected.categoryBand = "ALL";
  expected.categoryMode = "CW";
  expected.categoryPower = "HIGH";
  expected.categoryTransmitter = "ONE";
  expected.categoryStation = "FIXED";
  EXPECT_TRUE(shown[0] == expected);
  EXPECT_EQ(settingsBytes(),
            "[Settings]\r\nBand=ALL\r\nPower=HIGH\r\nOperators=R1ABC/P\r\nName=\r\nAddress=\r\n"
            "Address-City=\r\nAddress-PostalCode=\r\nAddress-Country=\r\nCategory=SINGLE-OP\r\n"
            "Contest=RDAC\r\nEmail=\r\nClub=\r\nSoapBox=\r\nLoc=\r\nMode=CW\r\n"
            "Station=FIXED\r\nTransmitter=ONE\r\n");
  StateLock lock;
  EXPECT_EQ(lock.state().log.exportFlag, 1);
  EXPECT_EQ(lock.state().cabrilloLog.fileBase, "R1ABC_P");
  EXPECT_EQ(lock.state().cabrilloLog.contestStart, kStart);
  EXPECT_EQ(lock.state().cabrilloLog.contestEnd, kEnd);
}

TEST_F(CabrilloExport, LaterExportsLoadTheFieldsAndTheSavedCategories) {
  dir_.write("Plugins/RDA.ini",
             "[Settings]\r\nCategory=MULTI-OP\r\nPower=LOW\r\nMode=MIXED\r\nBand=20M\r\n"
             "Station=PORTABLE\r\nTransmitter=TWO\r\n"
             "Contest=OTHER\r\nOperators=R1XYZ\r\nName=Ivan\r\nAddress=Nevsky 1\r\n"
             "Address-City=Spb\r\nAddress-PostalCode=190000\r\nAddress-Country=Russia\r\n"
             "Claimed=1234\r\nLoc=LO\r\nEmail=a@b.c\r\nClub=RCC\r\n"
             "SoapBox=first<CR><LF>second\r\n");
  prepare("R1ABC");
  // A saved value that is none of its list's entries gives way to the fixed default.
  dir_.write("Plugins/RDA.ini",
             "[Settings]\r\nCategory=MULTI\r\nPower=low\r\nMode=RTTY\r\nBand=\r\n"
             "Station=MOBILE\r\nTransmitter=ONE TWO\r\n");
  prepare("R1ABC");
  const auto shown = shownCabrilloDialogs();
  ASSERT_EQ(shown.size(), 2u);
  const CabrilloHeader& h = shown[0];
  EXPECT_EQ(h.categoryOperator + "|" + h.categoryPower + "|" + h.categoryMode + "|" +
                h.categoryBand + "|" + h.categoryStation + "|" + h.categoryTransmitter,
            "MULTI-OP|LOW|MIXED|20M|PORTABLE|TWO");
  EXPECT_EQ(h.contest, "RDAC");
  EXPECT_EQ(h.callsign, "R1ABC");
  EXPECT_EQ(h.operators, "R1XYZ");
  EXPECT_EQ(h.name + "|" + h.address + "|" + h.addressCity + "|" + h.addressPostalCode + "|" +
                h.addressCountry + "|" + h.claimed + "|" + h.location + "|" + h.email + "|" + h.club,
            "Ivan|Nevsky 1|Spb|190000|Russia|1234|LO|a@b.c|RCC");
  EXPECT_EQ(h.soapbox, "first\r\nsecond");
  const CabrilloHeader& fallback = shown[1];
  EXPECT_EQ(fallback.categoryOperator + "|" + fallback.categoryPower + "|" +
                fallback.categoryMode + "|" + fallback.categoryBand + "|" +
                fallback.categoryStation + "|" + fallback.categoryTransmitter,
            "SINGLE-OP|HIGH|CW|ALL|FIXED|ONE");
}

TEST_F(CabrilloExport, ALongSoapboxSurvivesSaveLoadAndExportWhole) {
  std::string typed;
  for (int line = 0; typed.size() < 1000; ++line)
    typed += (line ? "\r\n" : "") + std::string(60, static_cast<char>('a' + line));
  typed.resize(1000);
  setCabrilloDialogAnswer([&typed](CabrilloHeader& h) {
    h.soapbox = typed;
    return true;
  });
  prepare("R1ABC");
  setCabrilloDialogAnswer(nullptr);
  prepare("R1ABC");  // shown as loaded, and saved again unchanged
  const auto shown = shownCabrilloDialogs();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].soapbox, typed);
  {
    StateLock lock;
    runCabrilloExport(lock);
  }
  const std::string file = dir_.read("R1ABC.cbr");
  const std::string expected = "\r\nSOAPBOX: " + replaceAll(typed, "\r\n", "\r\nSOAPBOX: ") +
                               "\r\nEND-OF-LOG:\r\n";
  EXPECT_NE(file.find(expected), std::string::npos);
}

TEST_F(CabrilloExport, OkSavesTheEditsAndReadiesTheRecordForTheFile) {
  dir_.write("Plugins/RDA.ini", "[Settings]\r\nClaimed=1234\r\n");
  {
    StateLock lock;
    lock.state().cabrilloLog.qsoLines = {"QSO: stale\r\n"};
  }
  setCabrilloDialogAnswer([](CabrilloHeader& h) {
    h.callsign = "R1ABC";
    h.claimed = "99999";
    h.categoryOperator = "MULTI-OP";
    h.categoryTransmitter = "TWO";
    h.categoryPower = "LOW";
    h.name = "Ivan";
    h.soapbox = "Good contest\r\n73";
    return true;
  });
  prepare("R1ABC/P");
  EXPECT_EQ(readSetting("Category"), "MULTI-OP");
  EXPECT_EQ(readSetting("Power"), "LOW");
  EXPECT_EQ(readSetting("Name"), "Ivan");
  EXPECT_EQ(readSetting("SoapBox"), "Good contest<CR><LF>73");
  EXPECT_EQ(readSetting("Claimed"), "1234");

  StateLock lock;
  const CabrilloLog& record = lock.state().cabrilloLog;
  EXPECT_EQ(record.callsign, "R1ABC");
  EXPECT_EQ(record.fileBase, "R1ABC_P");
  EXPECT_EQ(record.categoryOperator, "MULTI-OP");
  EXPECT_EQ(record.claimed, "1234");
  EXPECT_EQ(record.soapbox, "Good contest\r\nSOAPBOX: 73");
  EXPECT_THAT(record.qsoLines, IsEmpty());
  EXPECT_EQ(lock.state().log.exportFlag, 1);
}

TEST_F(CabrilloExport, CancelCallsTheExportOffAndWritesNothing) {
  const std::string before = "[Settings]\r\nName=Ivan\r\nSoapBox=a<CR><LF>b\r\n";
  dir_.write("Plugins/RDA.ini", before);
  {
    StateLock lock;
    lock.state().cabrilloLog.qsoLines = {"QSO: kept\r\n"};
  }
  setCabrilloDialogAnswer([](CabrilloHeader& h) {
    h.name = "Changed";
    return false;
  });
  prepare("R1ABC/P");
  EXPECT_EQ(settingsBytes(), before);
  StateLock lock;
  EXPECT_EQ(lock.state().log.exportFlag, 0);
  const CabrilloLog& record = lock.state().cabrilloLog;
  EXPECT_EQ(record.name, "Ivan");
  EXPECT_EQ(record.soapbox, "a\r\nb");
  EXPECT_EQ(record.fileBase, "R1ABC_P");
  EXPECT_EQ(record.qsoLines, std::vector<std::string>{"QSO: kept\r\n"});
}

TEST_F(CabrilloExport, TheDialogRunsWithoutTheStateLock) {
  bool lockWasFree = false;
  setCabrilloDialogAnswer([&](CabrilloHeader&) {
    // The host may call in again from the dialog's message loop, and the window thread paints.
    lockWasFree = stateMutex().try_lock();
    if (lockWasFree) stateMutex().unlock();
    return true;
  });
  StateLock lock;
  prepareExport(lock, "R1ABC", kStart, kEnd);
  EXPECT_TRUE(lockWasFree);
  const bool heldAgain = !std::async(std::launch::async, [] {
                           const bool got = stateMutex().try_lock();
                           if (got) stateMutex().unlock();
                           return got;
                         }).get();
  EXPECT_TRUE(heldAgain);
}

TEST_F(CabrilloExport, EachPassWritesEveryRecordOnceAndReportsTheFile) {
  setCabrilloDialogAnswer([](CabrilloHeader& h) {
    h.callsign = "R1ABC";
    h.email = "r1abc@example.org";
    return true;
  });
  prepare("R1ABC/P ");
  {
    StateLock lock;
    PluginState& s = lock.state();
    appendRecord(s.log.qsoLog, record("UA3AAA", 3512, "CW", 1, "MO-12"));
    appendRecord(s.log.qsoLog, record("UA3AAA", 3512, "CW", 2, "MO-12", 1));  // dupes are written too
    appendRecord(s.log.qsoLog, record("DL1AA", 14210, "SSB", 3, "001"));
    appendRecord(s.log.qsoLog, record("", 28010, "CW", 4, "MO-12"));
    appendRecord(s.log.qsoLog, record("UA9AA", 144010, "CW", 5, "SV-01"));
    s.result.claimedScore = 1234;
    s.log.hostVersion = "2.20";
    runCabrilloExport(lock);
    runCabrilloExport(lock);
  }
  const std::string file = dir_.read("R1ABC_P.cbr");
  EXPECT_EQ(file,
            "START-OF-LOG: 3.0\r\nCONTEST: RDAC\r\nCALLSIGN: R1ABC\r\n"
            "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\nCATEGORY-POWER: HIGH\r\n"
            "CATEGORY-MODE: CW\r\nCATEGORY-STATION: FIXED\r\nCLAIMED-SCORE: 1234\r\nCLUB: \r\n"
            "CREATED-BY: Tarn 2.20\r\nLOCATION: \r\nNAME: \r\nADDRESS: \r\nADDRESS-CITY: \r\n"
            "ADDRESS-POSTALCODE: \r\nADDRESS-COUNTRY: \r\nEMAIL: r1abc@example.org\r\n"
            "SOAPBOX: \r\n"
            "QSO:  3512 CW 2017-12-16 1401 R1ABC         599 SP-01  UA3AAA        599 MO-12\r\n"
            "QSO:  3512 CW 2017-12-16 1402 R1ABC         599 SP-01  UA3AAA        599 MO-12\r\n"
            "QSO: 14210 PH 2017-12-16 1403 R1ABC         59  SP-01  DL1AA         59  001\r\n"
            "QSO: 28010 CW 2017-12-16 1404 R1ABC         599 SP-01                599 MO-12\r\n"
            "QSO: 144010 CW 2017-12-16 1405 R1ABC         599 SP-01  UA9AA         599 SV-01\r\n"
            "END-OF-LOG:\r\n");
  const auto shown = shownMessages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "File produced: R1ABC_P.cbr");
  EXPECT_EQ(shown[1].caption, "Output");
  StateLock lock;
  EXPECT_EQ(lock.state().log.exportFlag, 1);
}

TEST_F(CabrilloExport, AnEmptyLogGivesAValidFileWithTheComputedScore) {
  setCabrilloDialogAnswer([](CabrilloHeader& h) {
    h.claimed = "500";
    h.soapbox = "Short\r\nbut fun";
    return true;
  });
  prepare("R1ABC");
  {
    StateLock lock;
    runCabrilloExport(lock);
  }
  const std::string file = dir_.read("R1ABC.cbr");
  EXPECT_NE(file.find("\r\nCLAIMED-SCORE: 0\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nSOAPBOX: Short\r\nSOAPBOX: but fun\r\nEND-OF-LOG:\r\n"), std::string::npos);
  EXPECT_THAT(cabrilloProblems(file), IsEmpty());
}

TEST_F(CabrilloExport, AFileThatCannotBeWrittenIsNotReportedAsProduced) {
  std::filesystem::create_directory(dir_.file("R1ABC.cbr"));
  prepare("R1ABC");
  {
    StateLock lock;
    runCabrilloExport(lock);
  }
  const auto shown = shownMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "File could not be written: R1ABC.cbr");
  EXPECT_EQ(shown[0].caption, "Output");
}

}  // namespace
}  // namespace stats
