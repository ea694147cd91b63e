#include "contest/district_table.h"

#include <gtest/gtest.h>

#include "platform/edited_text.h"
#include "platform/text.h"
#include "tests/support/scratch_dir.h"

namespace stats {
namespace {

using testing::ScratchDir;

TEST(DistrictTable, EntryLinesGiveFourCharacterCodesInFileOrder) {
  DistrictTable table;
  table.loadFromText(
      "Sample district table\r\n"
      "MA-01 Some district\r\n"
      "-- heading with a dash first\r\n"
      "\r\n"
      "no dash on this line\r\n"
      "MA-01 the same code again\r\n"
      "ma-02 lower case\r\n"
      " MO-03 indented\n"
      "AR-2\n"
      "A-\n"
      "SP-15");  // last line without terminator
  EXPECT_EQ(table.codes(),
            (std::vector<std::string>{"MA01", "MA01", "ma02", " M-0", "AR-2", "A-A-", "SP15"}));
  EXPECT_EQ(table.IsKnownDistrict("MA01"), 1);
  EXPECT_EQ(table.IsKnownDistrict("SP15"), 1);
  EXPECT_EQ(table.IsKnownDistrict("MA02"), 0);
  EXPECT_EQ(table.IsKnownDistrict("MO03"), 0);
  EXPECT_EQ(table.IsKnownDistrict("ma01"), 0);
  EXPECT_EQ(table.IsKnownDistrict(""), 0);
}

TEST(DistrictTable, OddBytesStayInTheirOwnLine) {
  DistrictTable table;
  std::string bytes = "MA-01\n";
  bytes += std::string("K\0-03 nul inside\n", 17);
  bytes += "\xcc\xc0-05 \xcc\xee\xf1\xea\xe2\xe0\n";  // Windows-1251 letters
  bytes += "AB-" + std::string(5 * 1024 * 1024, 'x') + "\n";
  bytes += "SP-15\n";
  table.loadFromText(bytes);
  ASSERT_EQ(table.codes().size(), 5u);
  EXPECT_EQ(table.codes()[1], std::string("K\0-03", 5).substr(0, 2) + "03");
  EXPECT_EQ(table.codes()[2], "\xcc\xc0" "05");
  EXPECT_EQ(table.codes()[3], "ABxx");
  EXPECT_EQ(table.IsKnownDistrict("SP15"), 1);
}

TEST(DistrictTable, LoadsFromThePluginsFolderAndForgetsTheLastLoad) {
  ScratchDir dir;
  dir.write("Plugins/rda_rus.dat", "MA-01\r\nMA-02\r\n");
  DistrictTable table;
  table.load(hostPath(kDistrictFileName));
  EXPECT_EQ(table.codes().size(), 2u);
  dir.write("Plugins/rda_rus.dat", "");
  table.load(hostPath(kDistrictFileName));
  EXPECT_TRUE(table.codes().empty());
  EXPECT_EQ(table.IsKnownDistrict("MA01"), 0);
  dir.write("Plugins/rda_rus.dat", "SP-15\n");
  table.load(hostPath(kDistrictFileName));
  std::remove((dir.path() + "/Plugins/rda_rus.dat").c_str());
  table.load(hostPath(kDistrictFileName));
  EXPECT_TRUE(table.codes().empty());
  EXPECT_EQ(table.IsKnownDistrict("SP15"), 0);
}

// A reset per entrant reads the same file again; whatever was loaded in between, it is the
// file's codes that count.
TEST(DistrictTable, TheSameFileAgainGivesItsCodesWhateverWasLoadedBetween) {
  ScratchDir dir;
  dir.write("Plugins/rda_rus.dat", "MA-01\r\n");
  DistrictTable table;
  table.load(hostPath(kDistrictFileName));
  table.loadFromText("SP-15\n");
  table.load(hostPath(kDistrictFileName));
  EXPECT_EQ(table.codes(), std::vector<std::string>{"MA01"});
  table.clear();
  table.load(hostPath(kDistrictFileName));
  EXPECT_EQ(table.IsKnownDistrict("MA01"), 1);
}

// What an editor saves: the same table and hint file in Windows-1251, UTF-8 with and without a
// byte-order mark and UTF-16 LE and BE, each with CR LF, LF and lone CR line ends.
std::vector<std::string> asSavedByEditors(const std::string& windows1251) {
  const std::string utf8 = utf8OfWindows1251(windows1251);
  return {windows1251, utf8, fileOfUtf8(utf8, TextEncoding::utf8Bom),
          fileOfUtf8(utf8, TextEncoding::utf16Le), fileOfUtf8(utf8, TextEncoding::utf16Be)};
}

TEST(DistrictTable, ReadsAlikeInEveryEncodingAndLineEndAnEditorSaves) {
  const std::string table = "\xd0\xe0\xe9\xee\xed\xfb\nMA-01 \xcc\xee\xf1\xea\xe2\xe0\nSP-15\n";
  const std::string hints = "R9/DL1ABC UD12\n\n\xc8\xe2\xe0\xed UA3AAA MA01";
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const auto tables = asSavedByEditors(replaceAll(table, "\n", end));
    const auto hintFiles = asSavedByEditors(replaceAll(hints, "\n", end));
    for (size_t i = 0; i < tables.size(); ++i) {
      SCOPED_TRACE("encoding " + std::to_string(i) + (end[0] == '\n' ? ", LF" : end[1] ? ", CR LF" : ", CR"));
      DistrictTable districts;
      districts.loadFromText(tables[i]);
      EXPECT_EQ(districts.codes(), (std::vector<std::string>{"MA01", "SP15"}));
      StationHints stations;
      stations.loadFromText(hintFiles[i]);
      EXPECT_EQ(stations.lines(), (std::vector<std::string>{"R9/DL1ABC UD12", "", "\xc8\xe2\xe0\xed UA3AAA MA01"}));
    }
  }
}

TEST(StationHints, EveryLineVerbatimEmptyOnesIncluded) {
  ScratchDir dir;
  dir.write("Plugins/RDAC.hlp", "UA3AAA MA01\r\n\r\nR9/DL1ABC UD12\nlast line");
  StationHints hints;
  hints.load(hostPath(kHintFileName));
  EXPECT_EQ(hints.lines(),
            (std::vector<std::string>{"UA3AAA MA01", "", "R9/DL1ABC UD12", "last line"}));
  std::remove((dir.path() + "/Plugins/RDAC.hlp").c_str());
  hints.load(hostPath(kHintFileName));
  EXPECT_TRUE(hints.lines().empty());
}

}  // namespace
}  // namespace stats
