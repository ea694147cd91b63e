#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/edited_text.h"
#include "platform/settings.h"
#include "tests/support/native_message_box.h"
#include "tests/support/plugin_fixture.h"
#include "ui/window_port.h"

namespace stats::testing {
namespace {

class ResetTest : public PluginTest {};

TEST_F(ResetTest, KeepsStationAndDatesAndEmptiesTheLog) {
  resetStats(Station{});
  addData(Qso{});
  Station st;
  st.call = "UA9XYZ";
  st.prefix = "UA9";
  st.continent = "AS";
  st.start = COleDateTime::fromParts(2018, 12, 31, 23, 59, 59);
  st.end = COleDateTime::fromParts(2019, 1, 1, 12, 0, 0);
  EXPECT_EQ(resetStats(st), 1);
  withState([](PluginState& s) {
    EXPECT_EQ(s.log.qsoLog.size(), 0u);
    EXPECT_TRUE(s.log.qsoLog.workedBands().empty());
    EXPECT_EQ(s.log.ownCall, "UA9XYZ");
    EXPECT_EQ(s.log.ownPrefix, "UA9");
    EXPECT_EQ(s.log.ownContinent, "AS");
    EXPECT_EQ(s.log.startDayMonth, "31.12");
    EXPECT_EQ(s.log.contestYear, "2018");
    EXPECT_EQ(s.log.endDate, "01.01.2019");
    EXPECT_EQ(s.log.badQsoFile.path().filename(), "BadQSO_DedodEVA_01_01_2019.txt");
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(s.windows.BandInfoRows[i][0], std::vector<std::string>({"160m", "80m", "40m", "20m", "15m", "10m"})[i]);
      for (int c = 1; c < 5; ++c) EXPECT_EQ(s.windows.BandInfoRows[i][c], "-");
    }
    return 0;
  });
  EXPECT_EQ(dir.read("BadQSO_DedodEVA_01_01_2019.txt"), "RDA Contest UBN file \r\n");
  // The old period's file stays as it was.
  EXPECT_NE(dir.read(badFile).find("599  001  0001  Russland District Area Code"), std::string::npos);
}

TEST_F(ResetTest, AResetCutsItsPeriodsFileBackToTheHeaderInPlace) {
  const std::string header = "RDA Contest UBN file \r\n";
  const auto inode = [&] {
    struct stat st {};
    EXPECT_EQ(::stat(dir.file(badFile).c_str(), &st), 0);
    return st.st_ino;
  };
  resetStats(Station{});
  const ino_t first = inode();
  addData(Qso{});
  ASSERT_NE(dir.read(badFile), header);
  resetStats(Station{});
  EXPECT_EQ(dir.read(badFile), header);
  resetStats(Station{});
  EXPECT_EQ(inode(), first);
  EXPECT_EQ(dir.read(badFile), header);
  // A file that does not begin with the header is written anew.
  dir.write(badFile, "RDA Contest\r\n");
  resetStats(Station{});
  EXPECT_EQ(dir.read(badFile), header);
}

TEST_F(ResetTest, ATableThatGivesNoCodeIsReportedAtEveryResetWithItsFullPath) {
  const std::string warning = "No RDA district code could be read from the district table " +
                              dir.file("Plugins/rda_rus.dat");
  dir.write("Plugins/rda_rus.dat", fileOfUtf8("Heading only\r\n- no code\r\n", TextEncoding::utf16Le));
  clearShownMessages();
  resetStats(Station{});
  resetStats(Station{});
  ASSERT_EQ(shownMessages().size(), 2u);
  EXPECT_EQ(shownMessages()[1].text, warning);
  std::remove(dir.file("Plugins/rda_rus.dat").c_str());
  resetStats(Station{});
  ASSERT_EQ(shownMessages().size(), 3u);
  EXPECT_EQ(shownMessages()[2].text, warning);
  dir.write("Plugins/rda_rus.dat", fileOfUtf8("MA-01\r", TextEncoding::utf16Be));
  resetStats(Station{});
  EXPECT_EQ(shownMessages().size(), 3u);
}

TEST_F(ResetTest, NullAndInvalidDatesFormatAsTheirTexts) {
  Station st;
  st.start.m_status = COleDateTime::null;
  st.end.m_status = COleDateTime::invalid;
  reset(st);
  EXPECT_EQ(log.startDayMonth, "");
  EXPECT_EQ(log.endDate, "Invalid DateTime");
  EXPECT_EQ(log.badQsoFile.path().filename(), "BadQSO_DedodEVA_Invalid DateTime.txt");
}

TEST_F(ResetTest, OwnPrefixFlagsOnlyEverGoUp) {
  auto flags = [&] { return std::make_pair(log.ownRussian, log.russianTexts); };
  Station st;
  st.prefix = "UN";
  reset(st);
  EXPECT_EQ(flags(), std::make_pair(0, 1));
  log = LogSession();
  st.prefix = "CE9/KC4";
  reset(st);
  EXPECT_EQ(flags(), std::make_pair(1, 0));
  log = LogSession();
  st.prefix = "UA9";
  reset(st);
  st.prefix = "DL";
  reset(st);
  EXPECT_EQ(flags(), std::make_pair(1, 1));
}

TEST_F(ResetTest, HostVersionFromTheHostsSettingsFile) {
  dir.write("Tarn2.ini", "Tarn=ignored: the current folder is not the host's\r\n");
  dir.write("host/other.ini", "");
  dir.write("host/Tarn2.ini", "[Main]\r\nTarn=2.20\r\nTarn=9.99\r\n");
  Station st;
  st.folder = dir.path() + "/host/";
  reset(st);
  EXPECT_EQ(log.hostVersion, "2.20");
  dir.write("host/Tarn2.ini", "[Main]\r\n Tarn=2.20\r\n");
  reset(st);
  EXPECT_EQ(log.hostVersion, "=2.20");  // five characters are cut wherever the key stands
  dir.write("host/Tarn2.ini", "[Main]\r\nnothing here\r\n");
  reset(st);
  EXPECT_EQ(log.hostVersion, "=2.20");  // no version line: kept
  st.folder = dir.path() + "/nowhere/";  // the current folder then
  reset(st);
  EXPECT_EQ(log.hostVersion, "ignored: the current folder is not the host's");
  std::remove(dir.file("Tarn2.ini").c_str());
  reset(st);
  EXPECT_EQ(log.hostVersion, "Tarn");
}

TEST_F(ResetTest, StartToggleDecidesTheWindowThread) {
  dir.write("Plugins/RDA.ini", "");
  resetStats(Station{});
  EXPECT_TRUE(setupWindowExists());
  EXPECT_EQ(readSetting("Start"), "1");
  StopWindowThread();
  resetStats(Station{});
  EXPECT_FALSE(setupWindowExists());
  EXPECT_EQ(readSetting("Start"), "0");
  resetStats(Station{});
  EXPECT_TRUE(setupWindowExists());
  resetStats(Station{});  // "1" in the file: written back as "0", the windows stay
  EXPECT_EQ(readSetting("Start"), "0");
  resetStats(Station{});  // the windows run: nothing written, nothing started
  EXPECT_EQ(readSetting("Start"), "0");
  EXPECT_TRUE(setupWindowExists());
}

TEST_F(ResetTest, HostVersionsWithTheirOwnWindowsNeverStartTheThread) {
  dir.write("host/Plugins/RDA.ini", "");
  Station st;
  st.folder = dir.path() + "/host/";
  for (const char* version : {"2.14R", "2.14", "2.15", "2.16", "2.17", "2.18"}) {
    dir.write("host/Tarn2.ini", std::string("Tarn=") + version + "\r\n");
    writeSetting("Start", "0");
    resetStats(st);
    EXPECT_FALSE(setupWindowExists()) << version;
    EXPECT_EQ(readSetting("Start"), "1") << version;
  }
}

TEST_F(ResetTest, AnExportResetNeverStartsTheThread) {
  dir.write("Plugins/RDA.ini", "[Settings]\r\nStart=0\r\n");
  Station st;
  st.exportFlag = 1;
  resetStats(st);
  EXPECT_FALSE(setupWindowExists());
  EXPECT_EQ(readSetting("Start"), "0");
  EXPECT_EQ(withState([](PluginState& s) { return s.log.exportFlag; }), 1);
}

TEST_F(ResetTest, ReturnsOneWhenEveryFileAccessFails) {
  ScratchDir empty;  // no Plugins folder, no data files
  Station st;
  st.folder = "/nonexistent/";
  EXPECT_EQ(resetStats(st), 1);
  EXPECT_FALSE(empty.exists("Plugins"));
  withState([](PluginState& s) {
    EXPECT_TRUE(s.log.DistrictList.codes().empty());
    EXPECT_TRUE(s.log.StationHintList.lines().empty());
    return 0;
  });
}

}  // namespace
}  // namespace stats::testing
