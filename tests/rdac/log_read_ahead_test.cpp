#include "rdac/logs/log_read_ahead.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace rdac {
namespace {

// More files than the window, some missing: each comes back in its turn, as if read one by one.
TEST(LogReadAhead, HandsTheLogsOverInTheOrderOfTheFiles) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "rdac-read-ahead-test";
  std::filesystem::create_directories(folder);
  std::vector<std::string> files;
  for (int n = 0; n < 40; ++n) {
    const std::string file = (folder / ("R" + std::to_string(n) + ".log")).string();
    files.push_back(file);
    if (n % 7 == 3) continue;  // never written
    std::ofstream(file) << "START-OF-LOG: 3.0\nCALLSIGN: RA" << n << "AAA\n"
                        << "QSO: 14025 CW 2017-08-19 1200 RA" << n << "AAA 599 001 UA9ZZZ 599 002\n";
  }
  {
    LogReadAhead ahead(files, 3);
    for (int n = 0; n < 40; ++n) {
      const LogFileRead read = ahead.takeNext();
      if (n % 7 == 3) {
        EXPECT_FALSE(read.bytes) << n;
        continue;
      }
      ASSERT_TRUE(read.log) << n << ": " << read.problem;
      EXPECT_EQ(read.log->ownCall, "RA" + std::to_string(n) + "AAA");
      EXPECT_EQ(read.log->qsos.size(), 1u);
    }
  }
  LogReadAhead leftUnread(files, 3);  // and one given up halfway ends its threads
  leftUnread.takeNext();
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace rdac
