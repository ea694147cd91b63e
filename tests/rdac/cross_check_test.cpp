#include "rdac/crosscheck/cross_check.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>

#include "rdac/crosscheck/call_edits.h"
#include "tests/crosscheck/synthetic_contest.h"

namespace rdac {
namespace {

using testing::SyntheticContest;

SubmittedLogs submitted(const SyntheticContest& contest) {
  SubmittedLogs logs;
  for (const testing::SyntheticLog& log : contest.logs) logs.add(log.ownCall + ".log", log.ownCall, log.qsos);
  return logs;
}

class SyntheticCheck : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    contest_ = new SyntheticContest(testing::makeContest({}));
    logs_ = new SubmittedLogs(submitted(*contest_));
    outcome_ = new CheckOutcome(crossCheck(*logs_, CheckPolicy{}));
  }
  static void TearDownTestSuite() {
    delete outcome_;
    delete logs_;
    delete contest_;
  }
  static SyntheticContest* contest_;
  static SubmittedLogs* logs_;
  static CheckOutcome* outcome_;
};
SyntheticContest* SyntheticCheck::contest_;
SubmittedLogs* SyntheticCheck::logs_;
CheckOutcome* SyntheticCheck::outcome_;

TEST_F(SyntheticCheck, EveryVerdictHasPrecisionAndRecallOfAtLeast98Percent) {
  int truthCount[kVerdictCount] = {}, foundCount[kVerdictCount] = {}, bothCount[kVerdictCount] = {};
  size_t rightCalls = 0, bustedCalls = 0, wrongPartners = 0, qso = 0;
  for (const testing::SyntheticLog& log : contest_->logs) {
    for (size_t i = 0; i < log.qsos.size(); ++i, ++qso) {
      const Verdict truth = log.truth[i], found = outcome_->qsos[qso].verdict;
      ++truthCount[int(truth)];
      ++foundCount[int(found)];
      bothCount[int(truth)] += truth == found;
      const uint32_t partner = outcome_->qsos[qso].partnerCall;
      if (truth == Verdict::ok && found == truth)
        wrongPartners += stationOf(logs_->calls.text(partner)) != stationOf(log.qsos[i].call);
      if (truth != Verdict::bustedCall || found != truth) continue;
      ++bustedCalls;
      rightCalls += logs_->calls.text(outcome_->qsos[qso].partnerCall) == log.rightCall[i];
    }
  }
  for (int v = 0; v < kVerdictCount; ++v) {
    if (Verdict(v) == Verdict::outOfPeriod) continue;  // no period given; the committee's contest measures it
    SCOPED_TRACE(verdictName(Verdict(v)));
    ASSERT_GT(truthCount[v], 10);
    EXPECT_GE(double(bothCount[v]) / foundCount[v], 0.98) << bothCount[v] << " of " << foundCount[v] << " found";
    EXPECT_GE(double(bothCount[v]) / truthCount[v], 0.98) << bothCount[v] << " of " << truthCount[v] << " true";
  }
  EXPECT_EQ(rightCalls, bustedCalls);  // with the call it should have been
  EXPECT_EQ(wrongPartners, 0u);
}

TEST_F(SyntheticCheck, FindsTheClockOffsetOfEveryLog) {
  size_t wrongClocks = 0;
  for (size_t l = 0; l < contest_->logs.size(); ++l) {
    EXPECT_EQ(outcome_->clockOffsets[l], contest_->logs[l].clockOffset) << contest_->logs[l].ownCall;
    wrongClocks += contest_->logs[l].clockOffset != 0;
  }
  EXPECT_GT(wrongClocks, 5u);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Two logs holding one QSO 10,000 times each: 100 million pairs within the window, which must
// not all be held at once. Checked in a child whose address space is capped at 256 MB more than
// it had.
TEST(CrossCheckMemory, TwoLogsRepeatingOneQsoTenThousandTimesCheckInLinearMemory) {
  SubmittedLogs logs;
  for (const auto& [own, other] : {std::pair{"RA3AAA", "RA4BBB"}, std::pair{"RA4BBB", "RA3AAA"}}) {
    LoggedQso q;
    q.call = other;
    q.time.m_dt = 42966.5;
    q.band = "20m";
    q.mode = "CW";
    logs.add(std::string(own) + ".log", own, std::vector<LoggedQso>(10000, q));
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t cap = pages * size_t(sysconf(_SC_PAGESIZE)) + (256u << 20);
    const rlimit limit{cap, cap};
    setrlimit(RLIMIT_AS, &limit);
    const CheckOutcome outcome = crossCheck(logs, CheckPolicy{});
    size_t ok = 0;
    for (const QsoCheck& check : outcome.qsos) ok += check.verdict == Verdict::ok;
    _exit(ok == 2 && outcome.qsos[1].verdict == Verdict::dupe ? 0 : 3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
#endif

// Against the plain definition: the edit distance with neighbour swaps, computed in full.
size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

TEST(CallEdits, OneEditApartAndSharedDeletionKeysAgreeWithTheEditDistance) {
  std::mt19937 rng(7);
  const auto randomCall = [&] {
    std::string call;
    for (size_t n = 1 + rng() % 5; call.size() < n;) call += "AB1"[rng() % 3];
    return call;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string a = randomCall(), b = randomCall();
    const bool oneEdit = editDistance(a, b) == 1;
    ASSERT_EQ(oneEditApart(a, b), oneEdit) << a << " " << b;
    if (!oneEdit) continue;
    const std::vector<std::string> keysA = deletionKeys(a), keysB = deletionKeys(b);
    EXPECT_TRUE(std::any_of(keysA.begin(), keysA.end(),
                            [&](const std::string& k) { return std::count(keysB.begin(), keysB.end(), k) > 0; }))
        << a << " " << b;
  }
  EXPECT_EQ(stationOf("W1JR/QRP"), "W1JR");
  EXPECT_EQ(stationOf("UA9/W1JR"), "UA9/W1JR");
}

}  // namespace
}  // namespace rdac
