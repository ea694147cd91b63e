// rdac watch following a log a logger appends to, edits and truncates.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"

namespace rdac::testing {
namespace {

// The small log cut just past its `n`-th record (0: its header only).
std::string firstRecords(size_t n) {
  const std::string log = kRussianLog;
  size_t end = log.find("<EOH>") + 5;
  for (size_t i = 0; i < n; ++i) {
    size_t upper = log.find("<EOR>", end), lower = log.find("<eor>", end);
    end = std::min(upper, lower) + 5;
  }
  return log.substr(0, end);
}

std::string resultOf(const std::string& out) {
  const size_t from = out.find("\t\tRDA CONTEST");
  const size_t to = out.find("Created by RDAC (C)\n");
  return from == std::string::npos || to == std::string::npos ? "" : out.substr(from, to - from);
}

class Watch : public SmallLogTest {
 protected:
  pid_t pid = 0;

  void start() {
    pid = startRdac({"watch", "live.adi", "--districts", "districts.dat", "--report", "live.html", "--poll", "0.05",
                     "--report-every", "0"},
                    "watch.out", "watch.err");
    ASSERT_GT(pid, 0);
  }

  // Waits until the output (or `file`) shows `text` `times` times.
  bool shows(const std::string& text, size_t times = 1, const std::string& file = "watch.out") {
    for (int i = 0; i < 400; ++i) {
      const std::string out = dir.read(file);
      size_t n = 0;
      for (size_t at = out.find(text); at != std::string::npos; at = out.find(text, at + 1)) ++n;
      if (n >= times) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
  }

  void append(const std::string& bytes) {
    std::ofstream(dir.path() + "/live.adi", std::ios::binary | std::ios::app) << bytes;
  }

  // The exit code of the rdac started last, when it ends within `seconds`; -1 otherwise.
  int exitWithin(double seconds) {
    for (int i = 0; i < seconds * 40; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return -1;
  }

  void TearDown() override {
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
  }
};

TEST_F(Watch, FollowsAppendsAndARewriteAndEndsWithTheResultOfTheWholeFile) {
  dir.write("live.adi", firstRecords(2));
  start();
  ASSERT_TRUE(shows("2 QSO(s) in")) << dir.read("watch.err");

  // Half a record waits for its <EOR>.
  const std::string third = firstRecords(3).substr(firstRecords(2).size());
  append(third.substr(0, 40));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(dir.read("watch.out").find("UA0ABC  20m CW  dupe"), std::string::npos);
  append(third.substr(40));
  ASSERT_TRUE(shows("2017-08-19 1202  UA0ABC  20m CW  dupe  score 15\n"));

  // The logger deleted a QSO: the file is shorter, the run starts over.
  dir.write("live.adi", firstRecords(1));
  ASSERT_TRUE(shows("was rewritten: reset and reload"));
  ASSERT_TRUE(shows("1 QSO(s) in"));
  append(firstRecords(7).substr(firstRecords(1).size()));
  ASSERT_TRUE(shows("1206  RA3DDD/P  40m CW  new multiplier  score 112\n"));
  EXPECT_TRUE(shows("1205  K1ABC  30m CW  cannot count"));
  EXPECT_NE(dir.read("live.html").find("http-equiv=\"refresh\""), std::string::npos);

  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  pid = 0;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string watched = dir.read("watch.out");
  const RdacRun scored = runRdac({"score", "live.adi", "--districts", "districts.dat"});
  ASSERT_EQ(scored.exitCode, 0) << scored.err;
  EXPECT_NE(resultOf(scored.out), "");
  EXPECT_EQ(resultOf(watched), resultOf(scored.out));
  const std::string page = dir.read("live.html");
  EXPECT_EQ(page.find("http-equiv=\"refresh\""), std::string::npos);  // the last one stays still
  EXPECT_NE(page.find("Score: 16*(4+3) = 112"), std::string::npos);
}

TEST_F(Watch, SaysItIsWaitingOnAnEmptyLogAndStartsAtItsFirstRecord) {
  dir.write("live.adi", "");
  start();
  ASSERT_TRUE(shows("live.adi to hold a whole QSO record", 1, "watch.err")) << dir.read("watch.err");
  append(firstRecords(1));
  EXPECT_TRUE(shows("1 QSO(s) in"));
}

TEST_F(Watch, AnEditThatKeepsTheSizeIsARewrite) {
  dir.write("live.adi", firstRecords(2));
  start();
  ASSERT_TRUE(shows("2 QSO(s) in")) << dir.read("watch.err");
  // The operator corrects the first QSO's district in place; the file keeps its size.
  std::string edited = firstRecords(2);
  edited.replace(edited.find("sv-12"), 5, "ta-04");
  dir.write("live.adi", edited);
  ASSERT_TRUE(shows("was rewritten: reset and reload"));
  EXPECT_TRUE(shows("2 QSO(s) in", 2));
}

TEST_F(Watch, FollowsALogSavedAsUtf16) {
  const auto utf16 = [](const std::string& ascii) {
    std::string wide;
    for (char c : ascii) wide += c, wide += '\0';
    return wide;
  };
  dir.write("live.adi", "\xff\xfe" + utf16(firstRecords(2)));
  start();
  ASSERT_TRUE(shows("2 QSO(s) in")) << dir.read("watch.err");
  append(utf16(firstRecords(3).substr(firstRecords(2).size())));
  EXPECT_TRUE(shows("2017-08-19 1202  UA0ABC  20m CW  dupe  score 15\n")) << dir.read("watch.err");
}

TEST_F(Watch, SaysAtOnceWhatCannotBeFollowed) {
  dir.write("folder/notes.txt", "");
  dir.write("export.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: RA3AAA\r\n");
  dir.write("export.txt", "START-OF-LOG: 3.0\r\nCALLSIGN: RA3AAA\r\n");
  struct Case {
    const char *path, *says;
  };
  const Case cases[] = {
      {"folder", "folder is a folder: name the ADIF log file in it"},
      {"nowhere/live.adi", "/nowhere does not exist: create it"},
      {"export.cbr", "export.cbr is a Cabrillo log"},
      {"export.txt", "export.txt is a Cabrillo log"},  // told by its bytes
  };
  for (const Case& c : cases) {
    pid = startRdac({"watch", c.path, "--districts", "districts.dat", "--poll", "0.05"}, "watch.out", "watch.err");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(exitWithin(5), 1) << c.path;
    EXPECT_NE(dir.read("watch.err").find(c.says), std::string::npos) << dir.read("watch.err");
    TearDown();
  }
}

}  // namespace
}  // namespace rdac::testing
