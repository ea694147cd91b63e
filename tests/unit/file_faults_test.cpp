// Every file the plug-in writes (the bad-QSO file on intake, reset and removal, the Cabrillo
// file, the settings file) under faults: injected through the file seam at every point of a
// session, and on a real small disk (tmpfs, so root is needed) for what the system itself does
// with a write that finds no room.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "platform/file_calls.h"
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
  EXPECT_EQ(shownMessages()[0].text, "File could not be written: " + dir.file(badFile));  // its full path

  freeDisk();
  getResult();
  EXPECT_EQ(lineCount(dir.read(badFile)), static_cast<size_t>(added) + 1);
  EXPECT_NE(dir.read(badFile).find("RA" + std::to_string(added - 1) + "  599"), std::string::npos);
}

enum class Fault { kNoSpace, kPermission, kRenameRefused, kShortWrites };

// Replaces the seam's calls: from the Nth write (or open for writing) on, the fault holds.
class InjectedFault {
 public:
  InjectedFault(Fault fault, int from) {
    fault_ = fault, from_ = from, writes_ = opens_ = 0;
    FileCalls& calls = fileCalls();
    calls.write = [](int fd, const void* bytes, size_t n) -> ssize_t {
      if (const ssize_t refused = faultOnWrite(n)) return refused;
      return systemFileCalls().write(fd, bytes, shortened(n));
    };
    calls.pwrite = [](int fd, const void* bytes, size_t n, off_t at) -> ssize_t {
      if (const ssize_t refused = faultOnWrite(n)) return refused;
      return systemFileCalls().pwrite(fd, bytes, shortened(n), at);
    };
    calls.open = [](const char* path, int flags, mode_t mode) {
      if (fault_ == Fault::kPermission && (flags & (O_WRONLY | O_RDWR)) && ++opens_ >= from_) {
        errno = EACCES;
        return -1;
      }
      return systemFileCalls().open(path, flags, mode);
    };
    calls.rename = [](const char* from, const char* to) {
      if (fault_ == Fault::kRenameRefused) {
        errno = EACCES;
        return -1;
      }
      return systemFileCalls().rename(from, to);
    };
  }
  ~InjectedFault() { fileCalls() = systemFileCalls(); }

 private:
  static ssize_t faultOnWrite(size_t) {
    if (fault_ != Fault::kNoSpace || ++writes_ < from_) return 0;
    errno = ENOSPC;
    return -1;
  }
  // A system may take less than asked; the callers must write the rest.
  static size_t shortened(size_t n) { return fault_ == Fault::kShortWrites && n > 1 ? n / 2 : n; }
  static inline Fault fault_;
  static inline int from_, writes_, opens_;
};

class InjectedFaults : public PluginTest {
 protected:
  const std::string cabrilloFile = "RA3AA.cbr";
  struct Seen {
    std::string result, badFile, cabrillo, settings;
    std::vector<ShownMessage> messages;
  };

  // What an earlier contest left: its bad-QSO file under this contest's name, a Cabrillo file
  // and settings with a key of the operator's.
  void earlierContest() {
    resetPluginStateForTests();
    clearShownMessages();
    dir.write(badFile, "RDA Contest UBN file \r\nQSO:  an earlier contest's line\r\n");
    dir.write(cabrilloFile, "an earlier Cabrillo file\r\n");
    dir.write("Plugins/RDA.ini", "[Settings]\r\nStart=1\r\nName=Operator's own\r\n");
  }

  Seen session() {
    Station station;
    station.exportFlag = 1;
    resetStats(station);
    Qso first;
    first.exchRcvd = "MA-01";
    Qso wrongBand = Qso(first).at(12, 1), dupe = Qso(first).at(12, 2), unknown = Qso(first).at(12, 3);
    wrongBand.band = "30m";
    unknown.call = "RA9BB", unknown.exchRcvd = "ZZ99";
    for (const Qso& q : {first, wrongBand, dupe, unknown, Qso(dupe).at(12, 4)}) addData(q);
    removeData(first);  // the first dupe counts again
    return seen();
  }

  Seen seen() {
    Seen now{getResult(), dir.read(badFile), dir.read(cabrilloFile), dir.read("Plugins/RDA.ini"),
             shownMessages()};
    clearShownMessages();
    return now;
  }
};

TEST_F(InjectedFaults, NoFaultAnywhereInASessionLosesOrMisreportsAFileAndTheNextCallRecovers) {
  earlierContest();
  const Seen clean = session();
  ASSERT_EQ(clean.messages.back().text, "File produced: " + dir.file(cabrilloFile));
  int faults = 0;
  for (Fault fault : {Fault::kNoSpace, Fault::kPermission, Fault::kRenameRefused, Fault::kShortWrites})
    for (int from = 1; from <= 24; ++from) {
      SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " from " + std::to_string(from));
      earlierContest();
      Seen faulty;
      {
        InjectedFault injected(fault, from);
        faulty = session();
      }
      // Counted from this contest's lines only, whatever the file holds.
      EXPECT_EQ(faulty.result, clean.result);
      const bool badFileReported = std::any_of(faulty.messages.begin(), faulty.messages.end(),
          [&](const ShownMessage& m) { return m.text == "File could not be written: " + dir.file(badFile); });
      if (!badFileReported) {
        EXPECT_EQ(faulty.badFile, clean.badFile);
      }
      // The Cabrillo file is whole, new or old, and said to be produced only when it was.
      const bool cabrilloProduced = std::any_of(faulty.messages.begin(), faulty.messages.end(),
          [&](const ShownMessage& m) { return m.text == "File produced: " + dir.file(cabrilloFile); });
      EXPECT_EQ(cabrilloProduced, faulty.cabrillo == clean.cabrillo);
      if (!cabrilloProduced) {
        EXPECT_EQ(faulty.cabrillo, "an earlier Cabrillo file\r\n");
      }
      faults += badFileReported + !cabrilloProduced;
      EXPECT_NE(faulty.settings.find("Name=Operator's own\r\n"), std::string::npos) << faulty.settings;

      const Seen after = seen();
      EXPECT_EQ(after.result, clean.result);
      EXPECT_EQ(after.badFile, clean.badFile);
      EXPECT_EQ(after.cabrillo, clean.cabrillo);
      EXPECT_NE(after.settings.find("Claimed="), std::string::npos);
    }
  EXPECT_GT(faults, 40);  // the faults did reach the files
}

}  // namespace
}  // namespace stats::testing
