// The bad-QSO file on a disk that fills up: a real small disk (tmpfs, so root is needed), since
// what matters is what the system does with a write that finds no room.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "tests/support/plugin_fixture.h"

namespace stats::testing {
namespace {

const std::string kHeader = "RDA Contest UBN file \r\n";

size_t lineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

class SmallDisk : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
    ASSERT_EQ(::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=64k"), 0);
    mounted_ = true;
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);  // into the new disk
    dir.write("Plugins/rda_rus.dat", "MA-01\r\n");
  }
  void TearDown() override {
    if (!mounted_) return;
    ASSERT_EQ(::chdir("/"), 0);
    ::umount2(dir.path().c_str(), MNT_DETACH);
  }
  void fillDisk() {
    std::FILE* filler = std::fopen("filler", "wb");
    ASSERT_NE(filler, nullptr);
    const std::string page(4096, 'x');
    while (std::fwrite(page.data(), 1, page.size(), filler) == page.size() && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
  }
  void freeDisk() { std::remove("filler"); }
  Qso badQso(int n) {
    Qso bad;
    bad.band = "30m";
    bad.call = "RA" + std::to_string(n);
    return bad;
  }

 private:
  bool mounted_ = false;
};

TEST_F(SmallDisk, AResetOnAFullDiskStillStartsAnEmptyFile) {
  resetStats(Station{});
  for (int i = 0; i < 40; ++i) addData(badQso(i));
  fillDisk();
  resetStats(Station{});
  EXPECT_EQ(dir.read(badFile), kHeader);
  EXPECT_NE(getResult().find("Bad QSO\t 0\r\n"), std::string::npos);
}

TEST_F(SmallDisk, ALineWithoutRoomIsNotLeftHalfWrittenAndStillCounts) {
  resetStats(Station{});
  fillDisk();
  // The file's last page fills up, and the line after that finds room for part of it at most.
  int added = 0;
  for (size_t size = dir.read(badFile).size(); added < 200;) {
    addData(badQso(added++));
    if (dir.read(badFile).size() == size) break;
    size = dir.read(badFile).size();
  }
  ASSERT_LT(added, 200);
  const std::string file = dir.read(badFile);
  EXPECT_EQ(file.back(), '\n');
  EXPECT_EQ(lineCount(file), static_cast<size_t>(added));  // the header, and all lines but the last

  EXPECT_NE(getResult().find("Bad QSO\t " + std::to_string(added) + "\r\n"), std::string::npos);
  getResult();
  ASSERT_EQ(shownMessages().size(), 1u);  // once, not at every result
  EXPECT_EQ(shownMessages()[0].text, "File could not be written: " + badFile);

  freeDisk();
  getResult();
  EXPECT_EQ(lineCount(dir.read(badFile)), static_cast<size_t>(added) + 1);
  EXPECT_NE(dir.read(badFile).find("RA" + std::to_string(added - 1) + "  599"), std::string::npos);
}

}  // namespace
}  // namespace stats::testing
