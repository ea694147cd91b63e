#include "platform/profile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/edited_text.h"
#include "platform/ini_text.h"
#include "platform/settings.h"
#include "tests/support/scratch_dir.h"

namespace stats {
namespace {

using testing::ScratchDir;

std::string fixture(const std::string& name) {
  std::ifstream in(std::string(STATS_SOURCE_DIR) + "/tests/fixtures/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(IniText, NamesAreCaseInsensitiveAndValuesTrimmedAndUnquoted) {
  const IniText ini(
      "; written by hand\n[ settings ]\n  START = 1 \nquoted='a b'\nbare\n[Other]\nstart=7\n");
  EXPECT_EQ(ini.value("Settings", "Start"), "1");
  EXPECT_EQ(ini.value("SETTINGS", "Quoted"), "a b");
  EXPECT_EQ(ini.value("Other", "Start"), "7");
  EXPECT_FALSE(ini.value("Settings", "Missing"));
  EXPECT_FALSE(ini.value("Settings", "bare"));
  EXPECT_FALSE(ini.value("Nowhere", "Start"));
}

TEST(IniText, SetKeepsOtherLinesAndTheKeysSpelling) {
  IniText ini("[Settings]\r\nstart=1\r\n\r\n[Other]\r\nKeep=yes\r\n");
  ini.set("SETTINGS", "Start", "0");
  ini.set("Settings", "Claimed", "42");
  ini.set("New", "Key", "v");
  EXPECT_EQ(ini.text(),
            "[Settings]\r\nstart=0\r\nClaimed=42\r\n\r\n[Other]\r\nKeep=yes\r\n[New]\r\nKey=v\r\n");
}

TEST(IniText, ALineBreakInAValueCannotStartAnotherKey) {
  IniText ini("");
  ini.set("Settings", "Name", "a\r\n[Settings]\r\nStart=9");
  EXPECT_EQ(ini.value("Settings", "Start"), std::nullopt);
  EXPECT_EQ(ini.value("Settings", "Name"), "a  [Settings]  Start=9");
}

TEST(Profile, WritesTheSameBytesAsTheWindowsProfileFunctions) {
  // The same calls, made with the real functions under Wine, wrote the fixture.
  ScratchDir dir;
  const FilePath file = hostPath("Plugins\\RDA.ini");
  dir.write("Plugins/.keep", "");
  ASSERT_TRUE(writeProfileString(file, "Settings", "Start", "1"));
  ASSERT_TRUE(writeProfileString(file, "Other", "Keep", "yes"));
  ASSERT_TRUE(writeProfileString(file, "settings", "Claimed", "1234"));
  ASSERT_TRUE(writeProfileString(file, "SETTINGS", "start", "0"));
  ASSERT_TRUE(writeProfileString(file, "Settings", "Name", " spaced value "));
  ASSERT_TRUE(writeProfileString(file, "Settings", "Quoted", "\"q v\""));
  ASSERT_TRUE(writeProfileString(file, "Settings", "Empty", ""));
  EXPECT_EQ(dir.read("Plugins/RDA.ini"), fixture("profile_written_by_windows.ini"));
}

TEST(Profile, ReadsAFileWrittenByTheWindowsProfileFunctions) {
  ScratchDir dir;
  dir.write("Plugins/RDA.ini", fixture("profile_written_by_windows.ini"));
  const FilePath file = hostPath("Plugins\\RDA.ini");
  EXPECT_EQ(readProfileString(file, "Settings", "Start", "x"), "0");
  EXPECT_EQ(readProfileString(file, "settings", "CLAIMED", "x"), "1234");
  EXPECT_EQ(readProfileString(file, "Settings", "Name", "x"), "spaced value");
  EXPECT_EQ(readProfileString(file, "Settings", "Quoted", "x"), "q v");
  EXPECT_EQ(readProfileString(file, "Settings", "Empty", "x"), "");
  EXPECT_EQ(readProfileString(file, "Other", "Keep", "x"), "yes");
  EXPECT_EQ(readProfileString(file, "Settings", "Missing", " dflt "), " dflt");
}

// Each file as Notepad may save it; the bytes after the two writes are those Wine 8's own
// profile functions left (the ANSI code page 1251): the mark and encoding kept, lines in CR LF.
TEST(Profile, FilesWithAByteOrderMarkOrLoneCrLineEndsAsTheWindowsFunctionsTakeThem) {
  const struct {
    const char* name;
    std::string before, after;
  } files[] = {
      {"UTF-8 with a mark", "\xEF\xBB\xBF[Settings]\r\nStart=1\r\nName=\xD0\x98\xD0\xB2\r\n; note\r\n",
       "\xEF\xBB\xBF[Settings]\r\nStart=1\r\nName=\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\r\n; note\r\nClaimed=15\r\n"},
      {"UTF-16 LE", fileOfUtf8("[Settings]\r\nStart=1\r\nName=\xD0\x98\xD0\xB2\r\n", TextEncoding::utf16Le),
       fileOfUtf8("[Settings]\r\nStart=1\r\nName=\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\r\nClaimed=15\r\n",
                  TextEncoding::utf16Le)},
      {"UTF-16 BE", fileOfUtf8("[Settings]\r\nStart=1\r\nName=\xD0\x98\xD0\xB2\r\n", TextEncoding::utf16Be),
       fileOfUtf8("[Settings]\r\nStart=1\r\nName=\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\r\nClaimed=15\r\n",
                  TextEncoding::utf16Be)},
      {"lone CR", "[Settings]\rStart=1\rName=\xc8\xe2\r[Other]\rK=v\r",
       "[Settings]\r\nStart=1\r\nName=\xc8\xe2\xe0\xed\r\nClaimed=15\r\n[Other]\r\nK=v\r\n"},
  };
  ScratchDir dir;
  const FilePath file = hostPath("Plugins\\RDA.ini");
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    dir.write("Plugins/RDA.ini", f.before);
    EXPECT_EQ(readProfileString(file, "Settings", "Start", "none"), "1");
    EXPECT_EQ(readProfileString(file, "Settings", "Name", "none"), "\xc8\xe2");
    ASSERT_TRUE(writeProfileString(file, "Settings", "Claimed", "15"));
    ASSERT_TRUE(writeProfileString(file, "Settings", "Name", "\xc8\xe2\xe0\xed"));
    EXPECT_EQ(dir.read("Plugins/RDA.ini"), f.after);
  }
}

TEST(Profile, MissingFileReadsDefaultAndLongValuesComeBackWhole) {
  ScratchDir dir;
  EXPECT_EQ(readProfileString(hostPath("Plugins\\RDA.ini"), "Settings", "Start", ""), "");
  dir.write("Plugins/RDA.ini", "[Settings]\nName=" + std::string(1000, 'x') + "\n");
  EXPECT_EQ(readProfileString(hostPath("Plugins\\RDA.ini"), "Settings", "Name", ""), std::string(1000, 'x'));
}

TEST(Profile, WriteFailsWithoutTheFolderAndLeavesNothingBehind) {
  ScratchDir dir;
  EXPECT_FALSE(writeProfileString(hostPath("Plugins\\RDA.ini"), "Settings", "Start", "1"));
  EXPECT_FALSE(dir.exists("Plugins"));
}

TEST(Profile, AFileThatCannotBeReadIsNotReplaced) {
  ScratchDir dir;
  // A name that cannot be read as a file (here a folder) must fail the write, not be
  // replaced by a file holding only the new key.
  dir.write("Plugins/RDA.ini/inside", "kept");
  EXPECT_FALSE(writeProfileString(hostPath("Plugins\\RDA.ini"), "Settings", "Start", "0"));
  EXPECT_EQ(dir.read("Plugins/RDA.ini/inside"), "kept");
}

// The settings file in the current folder, as before the first reset fixes a contest's folder.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override { useSettingsFolder(FilePath()); }
  ScratchDir dir;
};

TEST_F(Settings, KeysSurviveOtherKeysAndSections) {
  dir.write("Plugins/RDA.ini", "[Cabrillo]\r\nName=Other program\r\n[Settings]\r\nRDA=1\r\n");
  writeSetting("Start", "1");
  writeSettingInt("Claimed", 5120);
  writeSetting("RDA", "0");
  EXPECT_EQ(readSettingInt("Start"), 1);
  EXPECT_EQ(readSetting("Claimed"), "5120");
  EXPECT_EQ(readSettingInt("RDA"), 0);
  EXPECT_EQ(readProfileString(settingsPath(), "Cabrillo", "Name", ""), "Other program");
  EXPECT_EQ(readSettingInt("Missing"), 0);
}

TEST_F(Settings, WindowCoordinatesOfAnySizeAreStored) {
  dir.write("Plugins/.keep", "");
  for (int value : {10, -999, 9999, -32000, 123456, -2147483647 - 1, 2147483647}) {
    writeSettingInt("baud_x", value);
    EXPECT_EQ(readSettingInt("baud_x"), value);
  }
}

TEST_F(Settings, NumbersReadByTheStandardDecimalConversion) {
  dir.write("Plugins/RDA.ini", "[Settings]\r\na= -12xyz\r\nb=+7\r\nc=abc\r\nd=99999999999\r\n");
  EXPECT_EQ(readSettingInt("a"), -12);
  EXPECT_EQ(readSettingInt("b"), 7);
  EXPECT_EQ(readSettingInt("c"), 0);
  EXPECT_EQ(readSettingInt("d"), 2147483647);
}

}  // namespace
}  // namespace stats
