// rdac crosscheck on a small synthetic contest written as Cabrillo files.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "rdac/logs/qso_fields.h"
#include "tests/e2e/rdac_runner.h"
#include "tests/support/scratch_dir.h"
#include "tests/crosscheck/synthetic_contest.h"

namespace rdac::testing {
namespace {

std::vector<std::vector<std::string>> csvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (char c : line) {
      if (c == '"') quoted = !quoted;
      else if (c == ',' && !quoted) cells.emplace_back();
      else cells.back() += c;
    }
    rows.push_back(cells);
  }
  return rows;
}

std::string fileName(std::string call) {
  for (char& c : call) c = c == '/' ? '_' : c;
  return call;
}

class CrossCheck : public ::testing::Test {
 protected:
  stats::testing::ScratchDir dir;
  SyntheticContest contest;

  void SetUp() override {
    SyntheticOptions options;
    options.logs = 30;
    options.activeWithoutLog = 4;
    options.rareWithoutLog = 3;
    options.qsosPerLog = 40;
    options.faultShare = 0.03;
    options.wrongClockShare = 0.2;
    options.seed = 3;
    contest = makeContest(options);
    for (const SyntheticLog& log : contest.logs) dir.write("logs/" + fileName(log.ownCall) + ".log", cabrilloText(log));
    std::string districts = "Districts of the synthetic contest\r\n";
    for (const char* region : {"YR", "TO", "OM", "ZK", "TL", "NN", "EA", "TA", "KA", "VL", "SM", "SE"})
      for (int n = 1; n <= 30; ++n) districts += std::string(region) + (n < 10 ? "-0" : "-") + std::to_string(n) + "\r\n";
    dir.write("districts.dat", districts);
  }

  int64_t scoreOf(const std::string& log) {
    const RdacRun run = runRdac({"score", log, "--districts", "districts.dat", "--workdir", "single"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const size_t at = run.out.find(" = ", run.out.find("Score: "));
    return at == std::string::npos ? -1 : std::stoll(run.out.substr(at + 3));
  }
};

// Claimed: the plug-in's score of the log as sent; checked: of the QSOs that count only, fed as
// rdac score feeds them.
TEST_F(CrossCheck, ScoresAreThePluginsForTheWholeLogAndForTheQsosThatCount) {
  const RdacRun run = runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "out"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto checked = csvRows(fileText(dir.file("out/checked.csv")));
  size_t qsos = 0;
  for (const SyntheticLog& log : contest.logs) qsos += log.qsos.size();
  ASSERT_EQ(checked.size(), qsos + 1);
  EXPECT_EQ(checked[0], (std::vector<std::string>{"log", "time", "band", "mode", "call", "verdict", "partner_call", "detail"}));

  std::map<std::string, std::vector<std::string>> verdicts;  // by log, in time order
  for (size_t i = 1; i < checked.size(); ++i) verdicts[checked[i][0]].push_back(checked[i][5]);
  const auto results = csvRows(fileText(dir.file("out/results.csv")));
  ASSERT_EQ(results.size(), contest.logs.size() + 1);
  size_t compared = 0;
  for (const SyntheticLog& log : contest.logs) {
    const auto row = std::find_if(results.begin(), results.end(), [&](const auto& r) { return r[0] == log.ownCall; });
    ASSERT_NE(row, results.end()) << log.ownCall;
    if (log.clockOffset) {
      EXPECT_NE(fileText(dir.file("out/" + fileName(log.ownCall) + ".ubn"))
                    .find("Clock offset: " + std::string(log.clockOffset > 0 ? "+" : "") +
                          std::to_string(log.clockOffset) + " min"),
                std::string::npos);
    }
    if ((*row)[1] == (*row)[2] || compared == 2) continue;  // two logs that lost points are enough
    SyntheticLog counting{log.ownCall, {}, {}, {}, 0};
    const std::vector<std::string>& own = verdicts[log.ownCall];
    ASSERT_EQ(own.size(), log.qsos.size());
    for (size_t i = 0; i < own.size(); ++i)
      if (own[i] == "ok" || own[i] == "no_log_credited") counting.qsos.push_back(log.qsos[i]);
    dir.write("counting.log", cabrilloText(counting));
    EXPECT_EQ(std::to_string(scoreOf("logs/" + fileName(log.ownCall) + ".log")), (*row)[1]) << log.ownCall;
    EXPECT_EQ(std::to_string(scoreOf("counting.log")), (*row)[2]) << log.ownCall;
    EXPECT_EQ(std::to_string(counting.qsos.size()), (*row)[4]);
    ++compared;
  }
  EXPECT_EQ(compared, 2u);
}

// The penalty comes off the points; the multipliers stay.
TEST_F(CrossCheck, APenaltyTakesThreeTimesThePointsOfEachOwnErrorOffThePoints) {
  ASSERT_EQ(runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "plain"}).exitCode, 0);
  ASSERT_EQ(runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "fined", "--penalty", "3"}).exitCode, 0);
  size_t fined = 0;
  for (const SyntheticLog& log : contest.logs) {
    const std::string name = fileName(log.ownCall) + ".ubn";
    const std::string plain = fileText(dir.file("plain/" + name)), withPenalty = fileText(dir.file("fined/" + name));
    const bool ownErrors = plain.find("\nNIL") != std::string::npos || plain.find("\nBusted") != std::string::npos;
    int points = 0, finedPoints = 0, penalty = 0;
    long long score = 0, finedScore = 0;
    ASSERT_EQ(std::sscanf(plain.substr(plain.find("Checked: ")).c_str(), "Checked: %*d QSOs, %d points, score %lld", &points, &score), 2);
    // No penalty line where the errors earned no points (QSOs abroad for a station abroad).
    ASSERT_GE(std::sscanf(withPenalty.substr(withPenalty.find("Checked: ")).c_str(),
                          "Checked: %*d QSOs, %d points, score %lld\nPenalty: %d points", &finedPoints, &finedScore, &penalty),
              2)
        << withPenalty;
    if (!ownErrors) {
      EXPECT_EQ(withPenalty, plain);
      continue;
    }
    EXPECT_EQ(penalty % 3, 0);
    EXPECT_EQ(finedPoints, points - penalty);
    EXPECT_EQ(finedScore * points, score * finedPoints) << log.ownCall;
    fined += penalty > 0;
  }
  EXPECT_GT(fined, 3u);
}

// Entrants resend corrected logs: the one written later is checked whatever its name, the other
// is named as replaced.
TEST_F(CrossCheck, OfTwoLogsOfOneStationTheOneWrittenLaterIsCheckedAndTheOtherNamedReplaced) {
  SyntheticLog second = contest.logs[0];
  second.ownCall += "/P";
  second.qsos.pop_back();
  const std::string first = fileName(contest.logs[0].ownCall) + ".log";
  dir.write("logs/aa_second.log", cabrilloText(second));
  std::filesystem::last_write_time(dir.file("logs/" + first),
                                   std::filesystem::last_write_time(dir.file("logs/aa_second.log")) - std::chrono::hours(1));
  const RdacRun run = runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "out"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Replaced by a later log of the same station: " + first + " (by aa_second.log)\n"),
            std::string::npos) << run.out;
  size_t qsos = second.qsos.size();
  for (size_t i = 1; i < contest.logs.size(); ++i) qsos += contest.logs[i].qsos.size();
  EXPECT_EQ(run.out.find(std::to_string(contest.logs.size()) + " logs, " + std::to_string(qsos) + " QSOs checked"), 0u)
      << run.out;
  const std::string results = fileText(dir.file("out/results.csv"));
  EXPECT_NE(results.find("\n" + second.ownCall + ","), std::string::npos) << results;
  EXPECT_EQ(results.find("\n" + contest.logs[0].ownCall + ","), std::string::npos) << results;
}

// A log an hour fast and one whose times are all 0000: the summary and their UBN files say what
// was found and how their QSOs were paired.
TEST(CrossCheckClocks, TheSummaryAndTheUbnNameWrongClocksAndLogsWithoutTimes) {
  stats::testing::ScratchDir dir;
  const std::vector<std::string> calls = {"DL1AA", "OK1BB", "SP2DD", "LY2FF", "G3GG"};
  std::vector<SyntheticLog> logs;
  for (const std::string& call : calls) logs.push_back({call, {}, {}, {}, 0});
  const int64_t start = 61'871'760;  // 2017-08-19 1200
  int minute = 0;
  for (const char* band : {"20m", "40m"})
    for (size_t a = 0; a < calls.size(); ++a)
      for (size_t b = a + 1; b < calls.size(); ++b, minute += 30)
        for (const auto& [own, worked] : {std::pair{a, b}, std::pair{b, a}}) {
          LoggedQso q;
          q.call = calls[worked];
          const int64_t logged = own == 0 ? start + minute + 60 : own == 1 ? start - 720 : start + minute;
          q.time = timeOfMinute(logged);
          q.band = band;
          q.freqHz = band == std::string("20m") ? 14'020'000 : 7'020'000;
          q.mode = "CW";
          q.rstSent = q.rstRcvd = "599";
          q.exchSent = q.exchRcvd = "1";
          logs[own].qsos.push_back(q);
        }
  for (const SyntheticLog& log : logs) dir.write("logs/" + log.ownCall + ".log", cabrilloText(log));
  dir.write("districts.dat", "Districts\r\nMA-03\r\n");
  const RdacRun run = runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "out"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find(" ok 40\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Clock offsets (minutes ahead): DL1AA +60\n"
                         "Logs without usable times, paired by call, band, mode and order: OK1BB\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(fileText(dir.file("out/DL1AA.ubn")).find("Clock offset: +60 min (the log's times are taken 60 min earlier)\n"),
            std::string::npos);
  EXPECT_NE(fileText(dir.file("out/OK1BB.ubn"))
                .find("Clock offset: none: the log's times carry no usable time (most QSOs at 2017-08-19 0000); "
                      "its QSOs are paired by call, band, mode and order\n"),
            std::string::npos)
      << fileText(dir.file("out/OK1BB.ubn"));
}

}  // namespace
}  // namespace rdac::testing
