// The fixture that the native INI writer must reproduce byte for byte is what these calls of
// the real profile functions write; and the plug-in's reader on top of them takes values of
// any length whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

#include "platform/profile.h"

namespace {

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const std::string kFixture = std::string(STATS_SOURCE_DIR) + "/tests/fixtures/profile_written_by_windows.ini";

TEST(Profile, ProfileFunctionsWriteTheFixture) {
  CreateDirectoryA("profile_test", nullptr);
  const char* file = "profile_test\\RDA.ini";
  DeleteFileA(file);
  WritePrivateProfileStringA("Settings", "Start", "1", file);
  WritePrivateProfileStringA("Other", "Keep", "yes", file);
  WritePrivateProfileStringA("settings", "Claimed", "1234", file);
  WritePrivateProfileStringA("SETTINGS", "start", "0", file);
  WritePrivateProfileStringA("Settings", "Name", " spaced value ", file);
  WritePrivateProfileStringA("Settings", "Quoted", "\"q v\"", file);
  WritePrivateProfileStringA("Settings", "Empty", "", file);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);  // flush the cache
  EXPECT_EQ(readBytes("profile_test/RDA.ini"), readBytes(kFixture));
  DeleteFileA(file);
  RemoveDirectoryA("profile_test");
}

TEST(Profile, ProfileFunctionsReadTheFixtureAsTheNativeReaderDoes) {
  char buffer[100];
  auto read = [&](const char* section, const char* key, const char* fallback) {
    GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, kFixture.c_str());
    return std::string(buffer);
  };
  EXPECT_EQ(read("Settings", "Start", "x"), "0");
  EXPECT_EQ(read("settings", "CLAIMED", "x"), "1234");
  EXPECT_EQ(read("Settings", "Name", "x"), "spaced value");
  EXPECT_EQ(read("Settings", "Quoted", "x"), "q v");
  EXPECT_EQ(read("Settings", "Empty", "x"), "");
  EXPECT_EQ(read("Other", "Keep", "x"), "yes");
  EXPECT_EQ(read("Settings", "Missing", " dflt "), " dflt");
}

TEST(Profile, ValuesOfAnyLengthReadBackWhole) {
  CreateDirectoryA("profile_test", nullptr);
  const char* file = "profile_test\\RDA.ini";
  // Around the sizes at which the read buffer grows, and far beyond them.
  for (size_t length : {0u, 99u, 100u, 254u, 255u, 256u, 511u, 512u, 1000u, 20000u}) {
    std::string value(length, 'x');
    for (size_t i = 0; i < length; i += 7) value[i] = static_cast<char>('a' + i % 26);
    WritePrivateProfileStringA("Settings", "SoapBox", value.c_str(), file);
    const std::string read = stats::readProfileString(file, "Settings", "SoapBox", "fallback");
    EXPECT_EQ(read.size(), length);
    EXPECT_TRUE(read == value) << length;
  }
  EXPECT_EQ(stats::readProfileString(file, "Settings", "Missing", std::string(300, 'd')),
            std::string(300, 'd'));
  DeleteFileA(file);
  RemoveDirectoryA("profile_test");
}

}  // namespace
