#include "rdac/crosscheck/cross_check.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <map>
#include <random>

#include "rdac/crosscheck/call_edits.h"
#include "rdac/logs/qso_fields.h"
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
    // No period given, and the generator writes no X-QSO: the committee's contest measures these.
    if (Verdict(v) == Verdict::outOfPeriod || Verdict(v) == Verdict::xQso) continue;
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
    EXPECT_EQ(outcome_->clocks[l].aheadAt(0), contest_->logs[l].clockOffset) << contest_->logs[l].ownCall;
    wrongClocks += contest_->logs[l].clockOffset != 0;
  }
  EXPECT_GT(wrongClocks, 5u);
}

// A contest written out by hand: each log's QSOs as its station logged them.
class HandMadeContest {
 public:
  // `minute` after 2017-08-19 1200 as `own`'s clock shows it.
  void log(const std::string& own, const std::string& worked, int minute, const std::string& band = "20m",
           const std::string& sent = "1", const std::string& received = "1") {
    LoggedQso q;
    q.call = worked;
    q.time = timeOfMinute(kStart + minute);
    q.band = band;
    q.mode = "CW";
    q.exchSent = sent;
    q.exchRcvd = received;
    qsos_[own].push_back(q);
  }

  // Every two stations work each other on 20m and 40m, the QSOs spread evenly over the
  // contest; each log writes the time by its own clock, `ahead(station, minute)` minutes fast.
  void workEachOther(const std::vector<std::string>& calls, const std::function<double(size_t, int)>& ahead) {
    const size_t qsos = calls.size() * (calls.size() - 1);
    size_t n = 0;
    for (const char* band : {"20m", "40m"})
      for (size_t a = 0; a < calls.size(); ++a)
        for (size_t b = a + 1; b < calls.size(); ++b) {
          const int minute = int(1439 * n++ / qsos);
          log(calls[a], calls[b], minute + int(std::floor(ahead(a, minute))), band);
          log(calls[b], calls[a], minute + int(std::floor(ahead(b, minute))), band);
        }
  }

  void check(const CheckPolicy& policy = {}) {
    for (const auto& [own, qsos] : qsos_) logs.add(own + ".log", own, qsos);
    outcome = crossCheck(logs, policy);
  }

  const QsoCheck& of(const std::string& own, const std::string& worked, const std::string& band = "20m") const {
    for (size_t i = 0; i < logs.qsos.size(); ++i) {
      const CheckedQso& q = logs.qsos[i];
      if (logs.calls.text(logs.entrants[q.entrant].call) == own && logs.calls.text(q.call) == worked &&
          logs.texts.text(q.band) == band)
        return outcome.qsos[i];
    }
    ADD_FAILURE() << own << " has no QSO with " << worked << " on " << band;
    static const QsoCheck none;
    return none;
  }
  Verdict verdict(const std::string& own, const std::string& worked, const std::string& band = "20m") const {
    return of(own, worked, band).verdict;
  }
  std::string partnerCall(const std::string& own, const std::string& worked) const {
    const uint32_t call = of(own, worked).partnerCall;
    return call == stats::TextIds::kNone ? "" : logs.calls.text(call);
  }
  const ClockModel& clock(const std::string& own) const {
    for (size_t e = 0; e < logs.entrants.size(); ++e)
      if (logs.calls.text(logs.entrants[e].call) == own) return outcome.clocks[e];
    throw std::out_of_range(own);
  }
  size_t count(Verdict v) const {
    return size_t(std::count_if(outcome.qsos.begin(), outcome.qsos.end(), [&](const QsoCheck& c) { return c.verdict == v; }));
  }

  SubmittedLogs logs;
  CheckOutcome outcome;

 private:
  static constexpr int64_t kStart = 61'871'760;  // 2017-08-19 1200
  std::map<std::string, std::vector<LoggedQso>> qsos_;
};

const std::vector<std::string> kEight = {"DL1AA", "OK1BB", "RA3CC", "SP2DD", "UA9EE", "LY2FF", "G3GG", "F5HH"};

// A wrong time zone or any clock error up to two hours is found and taken out; the search that
// finds it does not widen the time tolerance: a QSO logged 45 minutes apart is no time mismatch.
TEST(Clocks, OffsetsUpToTwoHoursAreFoundApartFromTheTimeTolerance) {
  HandMadeContest contest;
  const std::map<size_t, int> wrong = {{0, 60}, {1, -90}, {2, 117}};
  contest.workEachOther(kEight, [&](size_t s, int) { return wrong.count(s) ? wrong.at(s) : 0; });
  contest.log("SP2DD", "UA9EE", 600, "80m");
  contest.log("UA9EE", "SP2DD", 645, "80m");
  contest.check();
  EXPECT_EQ(contest.count(Verdict::ok), contest.logs.qsos.size() - 2);
  EXPECT_EQ(contest.verdict("SP2DD", "UA9EE", "80m"), Verdict::nil);
  EXPECT_EQ(contest.verdict("UA9EE", "SP2DD", "80m"), Verdict::nil);
  EXPECT_EQ(contest.clock("DL1AA").aheadAt(0), 60);
  EXPECT_EQ(contest.clock("OK1BB").aheadAt(0), -90);
  EXPECT_EQ(contest.clock("RA3CC").aheadAt(0), 117);
  EXPECT_EQ(contest.clock("SP2DD").aheadAt(0), 0);
}

// A clock that gains a minute every two hours is 12 minutes fast at the end: a line, not a
// constant, explains its pairs.
TEST(Clocks, ADriftingClockIsFittedAsALine) {
  HandMadeContest contest;
  contest.workEachOther(kEight, [](size_t s, int minute) { return s == 3 ? minute / 120.0 : 0; });
  contest.check();
  EXPECT_EQ(contest.count(Verdict::ok), contest.logs.qsos.size());
  const ClockModel& drifting = contest.clock("SP2DD");
  EXPECT_NEAR(drifting.drift * 120, 1.0, 0.1);
  EXPECT_EQ(contest.clock("UA9EE").drift, 0.0);
}

// A log whose times are all one minute is paired by call, band, mode and order; its partners
// keep their QSOs, and only a QSO it really lacks is a NIL.
TEST(Clocks, ALogWithoutUsableTimesIsPairedByOrder) {
  HandMadeContest contest;
  contest.workEachOther(kEight, [](size_t s, int minute) { return s == 4 ? -720 - minute : 0; });
  contest.log("G3GG", "UA9EE", 900, "80m");
  contest.check();
  EXPECT_TRUE(contest.clock("UA9EE").timeless);
  EXPECT_FALSE(contest.clock("G3GG").timeless);
  EXPECT_EQ(contest.count(Verdict::ok), contest.logs.qsos.size() - 1);
  EXPECT_EQ(contest.verdict("G3GG", "UA9EE", "80m"), Verdict::nil);
}

// RZ3XX/1 signs away from home: a partner who drops the /1 logged another station. A /N equal
// to the call's own area, like /P, names the same station, whichever side adds or drops it, and
// a slip in such a call is a busted call like any other.
TEST(Calls, AnAwaySuffixNamesAnotherStationARedundantOneTheSame) {
  HandMadeContest contest;
  contest.log("RZ3XX/1", "UA1B", 10);
  contest.log("UA1B", "RZ3XX", 10);
  contest.log("R3AA/3", "K1ZZ", 20);
  contest.log("K1ZZ", "R3AA", 20);
  contest.log("R3AA/3", "UA1B/1", 30);
  contest.log("UA1B", "R3AA/3", 30);
  contest.log("K1ZZ", "R3AB/3", 40, "40m");  // a slip in the call, not in its suffix
  contest.log("R3AA/3", "K1ZZ", 40, "40m");
  contest.check();
  EXPECT_EQ(contest.verdict("K1ZZ", "R3AB/3", "40m"), Verdict::bustedCall);
  EXPECT_EQ(contest.verdict("UA1B", "RZ3XX"), Verdict::bustedCall);
  EXPECT_EQ(contest.partnerCall("UA1B", "RZ3XX"), "RZ3XX/1");
  EXPECT_EQ(contest.verdict("RZ3XX/1", "UA1B"), Verdict::partnerError);
  for (const auto& [own, worked] : {std::pair{"R3AA/3", "K1ZZ"}, {"K1ZZ", "R3AA"}, {"R3AA/3", "UA1B/1"}, {"UA1B", "R3AA/3"}})
    EXPECT_EQ(contest.verdict(own, worked), Verdict::ok) << own << " " << worked;
}

// The buster logged the wrong call five minutes off, or the other side busted the buster's call
// too: a busted call each, not a NIL for the one who logged right.
TEST(Calls, ABustFiveMinutesOffOrOnBothSidesIsABustedCallEach) {
  for (const auto& [logged, verdict, minute] :
       {std::tuple{"DL1AB", Verdict::partnerError, 105}, std::tuple{"DL1AC", Verdict::bustedCall, 101}}) {
    HandMadeContest contest;
    contest.log("RK3WV", logged, 100);
    contest.log("DL1AB", "RK3WU", minute);
    contest.check();
    EXPECT_EQ(contest.verdict("DL1AB", "RK3WU"), Verdict::bustedCall);
    EXPECT_EQ(contest.partnerCall("DL1AB", "RK3WU"), "RK3WV");
    EXPECT_EQ(contest.verdict("RK3WV", logged), verdict);
    EXPECT_EQ(contest.partnerCall("RK3WV", logged), "DL1AB");
  }
}

// The victim of a busted call copied the buster's exchange wrong: that error is his own.
TEST(Calls, TheVictimsOwnExchangeErrorIsStillJudged) {
  HandMadeContest contest;
  contest.log("RK3WV", "DL1AB", 100, "20m", "MA-03", "17");
  contest.log("DL1AB", "RK3WU", 100, "20m", "18", "MA-03");
  contest.check();
  EXPECT_EQ(contest.verdict("DL1AB", "RK3WU"), Verdict::bustedCall);
  EXPECT_EQ(contest.verdict("RK3WV", "DL1AB"), Verdict::bustedExchange);
}
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Whether `work` answers true in a child whose address space is capped at 256 MB more than it had.
bool trueWithin256MegabytesMore(const std::function<bool()>& work) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t cap = pages * size_t(sysconf(_SC_PAGESIZE)) + (256u << 20);
    const rlimit limit{cap, cap};
    setrlimit(RLIMIT_AS, &limit);
    _exit(work() ? 0 : 3);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Two logs holding one QSO 10,000 times each: 100 million pairs within the window, which must
// not all be held at once.
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
  EXPECT_TRUE(trueWithin256MegabytesMore([&] {
    const CheckOutcome outcome = crossCheck(logs, CheckPolicy{});
    size_t ok = 0;
    for (const QsoCheck& check : outcome.qsos) ok += check.verdict == Verdict::ok;
    return ok == 2 && outcome.qsos[1].verdict == Verdict::dupe;
  }));
}

// The readers refuse such calls, but the search for busted calls must not depend on it: a call of
// n characters once cost n keys of n bytes, 1.6 GB for 40,000.
TEST(CrossCheckMemory, ABustSearchForAFortyThousandCharacterCallStaysLinear) {
  SubmittedLogs logs;
  for (const auto& [own, other] : {std::pair{"RA3AAA", std::string(40000, 'R') + "A4BBB"},
                                   std::pair{"RA4BBB", std::string("RA3AAA")}}) {
    LoggedQso q;
    q.call = other;
    q.time.m_dt = 42966.5;
    q.band = "20m";
    q.mode = "CW";
    logs.add(std::string(own) + ".log", own, {q});
  }
  EXPECT_TRUE(trueWithin256MegabytesMore([&] {
    const CheckOutcome outcome = crossCheck(logs, CheckPolicy{});
    return outcome.qsos[0].verdict == Verdict::unique && outcome.qsos[1].verdict == Verdict::nil;
  }));
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
    const std::vector<uint64_t> keysA = deletionKeys(a), keysB = deletionKeys(b);
    EXPECT_TRUE(std::any_of(keysA.begin(), keysA.end(),
                            [&](uint64_t k) { return std::count(keysB.begin(), keysB.end(), k) > 0; }))
        << a << " " << b;
  }
  EXPECT_EQ(stationOf("W1JR/QRP"), "W1JR");
  EXPECT_EQ(stationOf("UA9/W1JR"), "UA9/W1JR");
  EXPECT_EQ(stationOf("R3AA/3/P"), "R3AA");
  EXPECT_EQ(stationOf("RZ3XX/1"), "RZ3XX/1");
}

}  // namespace
}  // namespace rdac
