// The cross-check's scoring helper as rdac.exe runs it, a process of its own started on the job's
// text, against the forked one of the native build, with and without the claimed scores had
// before the check.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <sstream>

#include "rdac/crosscheck/scoring_helper.h"
#include "rdac/io/process_info.h"
#include "rdac/logs/log_files.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/score/work_folder.h"
#include "tests/crosscheck/synthetic_contest.h"
#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"

namespace rdac::testing {
namespace {

// Every option that changes a score is set: the penalty, partner errors counting, a period
// that leaves QSOs out.
TEST(ScoringHelper, AProcessOfItsOwnScoresWithEveryOptionAsTheForkedOneDoes) {
  stats::testing::ScratchDir dir;
  SyntheticOptions options;
  options.logs = 12;
  options.activeWithoutLog = 2;
  options.rareWithoutLog = 2;
  options.qsosPerLog = 40;
  options.faultShare = 0.05;
  options.seed = 5;
  SubmittedLogs logs;
  for (const SyntheticLog& log : makeContest(options).logs) logs.add(log.ownCall + ".log", log.ownCall, log.qsos);
  CheckPolicy policy;
  policy.partnerErrorsCount = true;
  policy.periodStart = minuteOf(stats::COleDateTime::fromParts(2017, 8, 19, 14, 0, 0));
  policy.periodEnd = policy.periodStart + 18 * 60;
  const CheckOutcome outcome = crossCheck(logs, policy);

  std::string note, error;
  WorkFolderPlan plan{dir.file("work"), dir.write("districts.dat", kDistricts), {}, {}};
  ASSERT_TRUE(layOutWorkFolder(plan, note, error)) << error;
  std::ostringstream err;
  const auto countries = loadCountryFile(defaultCountryFile(), err);
  ASSERT_TRUE(countries) << err.str();
  const size_t entrants = logs.entrants.size();
  const ScoringJob nothingHere{plan.folder, defaultPluginPath(), *countries, logs, outcome, policy, 1.5, 0, 0,
                               {},          {},                  defaultCountryFile()};
  ScoringJob all = nothingHere;
  all.last = entrants;
  std::vector<EntrantScore> forked;
  ASSERT_TRUE(scoreWithHelper(nothingHere, all, forked, err)) << err.str();

  const auto expectAsForked = [&](const std::vector<EntrantScore>& scores, const char* how) {
    for (size_t e = 0; e < entrants; ++e) {
      const EntrantScore &a = forked[e], &b = scores[e];
      EXPECT_EQ(std::tie(a.scored, a.claimedScore, a.checkedScore, a.claimedPoints, a.checkedPoints, a.penaltyPoints,
                         a.claimedQsos, a.checkedQsos),
                std::tie(b.scored, b.claimedScore, b.checkedScore, b.claimedPoints, b.checkedPoints, b.penaltyPoints,
                         b.claimedQsos, b.checkedQsos))
          << how << ": " << logs.calls.text(logs.entrants[e].call);
    }
  };
  // The claimed scores had before the check, for the first half of the entrants: the helper
  // of either kind takes them and gives every score as if it had fed them itself.
  std::vector<EntrantScore> claimed;
  {
    std::string error;
    const auto plugin = PluginLibrary::open(defaultPluginPath(), error);
    ASSERT_TRUE(plugin) << error;
    const std::atomic<bool> stop{false};
    ASSERT_EQ(scoreClaimedWhile(*plugin, *countries, logs, stop, claimed), entrants);
  }
  ScoringJob partly = all;
  partly.claimedBefore = entrants / 2;
  for (const ScoringJob* job : {&all, &partly}) {
    dir.write("job.txt", scoringJobText(*job, claimed));
    const RdacRun run = runRdac({"scoring-job", dir.file("job.txt")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<EntrantScore> own(entrants);
    ASSERT_TRUE(takeJobScores(run.out, *job, own)) << run.out;
    expectAsForked(own, job == &all ? "a process of its own" : "a process of its own, claimed scores given");
  }
  std::vector<EntrantScore> forkedPartly = claimed;
  ASSERT_TRUE(scoreWithHelper(nothingHere, partly, forkedPartly, err)) << err.str();
  expectAsForked(forkedPartly, "forked, claimed scores given");

  size_t penalised = 0, partnerErrors = 0, outOfPeriod = 0;
  for (const EntrantScore& score : forked) penalised += score.penaltyPoints > 0;
  for (const QsoCheck& check : outcome.qsos) {
    partnerErrors += check.verdict == Verdict::partnerError;
    outOfPeriod += check.verdict == Verdict::outOfPeriod;
  }
  EXPECT_GT(penalised, 0u);
  EXPECT_GT(partnerErrors, 0u);
  EXPECT_GT(outOfPeriod, 0u);
}

// Scored in one feeding (what counts first), a log must keep the claimed score that feeding it
// in time order gives. RA3AAA's first QSO with RA4BBB is a NIL with a district the table does not
// know; its second, which counts, is a dupe of it in time order, so the claim holds neither.
TEST(ScoringHelper, OneFeedingGivesTheClaimedScoresOfFeedingInTimeOrder) {
  stats::testing::ScratchDir dir;
  std::map<std::string, std::vector<LoggedQso>> logged;
  const auto qso = [&](const std::string& own, const std::string& call, int minute, const std::string& sent,
                       const std::string& received) {
    LoggedQso q;
    q.call = call;
    q.time = stats::COleDateTime::fromParts(2017, 8, 19, 12, minute, 0);
    q.freqHz = 14025000;
    q.band = "20m";
    q.mode = "CW";
    q.rstSent = q.rstRcvd = "599";
    q.exchSent = sent;
    q.exchRcvd = received;
    logged[own].push_back(q);
  };
  qso("RA3AAA", "RA4BBB", 0, "MA-03", "ZZ-99");
  qso("RA3AAA", "RA4BBB", 10, "MA-03", "TA-04");
  qso("RA3AAA", "RA9CCC", 20, "MA-03", "SV-12");
  qso("RA4BBB", "RA3AAA", 10, "TA-04", "MA-03");
  qso("RA4BBB", "UA9ZZZ", 30, "TA-04", "SV-12");  // in no other log: it does not count
  qso("RA9CCC", "RA3AAA", 20, "SV-12", "MA-03");
  SubmittedLogs logs;
  for (const auto& [call, qsos] : logged) logs.add(call + ".log", call, qsos);
  const CheckOutcome outcome = crossCheck(logs, CheckPolicy{});
  ASSERT_EQ(outcome.qsos[0].verdict, Verdict::nil);
  ASSERT_EQ(outcome.qsos[1].verdict, Verdict::ok);

  std::string note, error;
  WorkFolderPlan plan{dir.path(), dir.write("districts.dat", kDistricts), {}, {}};  // the current folder
  ASSERT_TRUE(layOutWorkFolder(plan, note, error)) << error;
  std::ostringstream err;
  const auto countries = loadCountryFile(defaultCountryFile(), err);
  ASSERT_TRUE(countries) << err.str();
  const auto plugin = PluginLibrary::open(defaultPluginPath(), error);
  ASSERT_TRUE(plugin) << error;
  std::vector<EntrantScore> inTimeOrder;
  const std::atomic<bool> stop{false};
  ASSERT_EQ(scoreClaimedWhile(*plugin, *countries, logs, stop, inTimeOrder), logs.entrants.size());
  for (const double penalty : {0.0, 1.5}) {
    std::vector<EntrantScore> once;
    scoreEntrants(*plugin, *countries, logs, outcome, penalty, 0, logs.entrants.size(), 0, {}, once);
    for (size_t e = 0; e < logs.entrants.size(); ++e)
      EXPECT_EQ(std::tie(once[e].claimedScore, once[e].claimedPoints),
                std::tie(inTimeOrder[e].claimedScore, inTimeOrder[e].claimedPoints))
          << logs.calls.text(logs.entrants[e].call) << ", penalty " << penalty;
  }
}

}  // namespace
}  // namespace rdac::testing
