#include "rdac/crosscheck/cross_check.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <thread>

#include "rdac/crosscheck/call_edits.h"
#include "rdac/crosscheck/cross_check_files.h"
#include "rdac/io/file_bytes.h"
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

// Begun on a thread in idle time and taken on by another at any row, checked.csv is the file
// written in one pass.
TEST_F(SyntheticCheck, CheckedCsvPausedAnywhereAndTakenOnIsTheFileOfOnePass) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "rdac-checked-csv-test";
  std::filesystem::create_directories(folder);
  const std::vector<EntrantScore> scores(logs_->entrants.size());
  const CrossCheckReport report{*logs_, *outcome_, scores};
  std::string error;
  ASSERT_TRUE(writeCheckedCsv(report, (folder / "whole.csv").string(), error)) << error;
  const std::optional<std::string> whole = readFileBytes((folder / "whole.csv").string(), error);
  ASSERT_TRUE(whole);
  for (const int pauseAfterMicroseconds : {0, 200, 2000}) {
    CheckedCsvFile csv(report, (folder / "turns.csv").string());
    std::atomic<bool> pause{pauseAfterMicroseconds == 0};
    std::thread first([&] { csv.writeRows(&pause); });
    std::this_thread::sleep_for(std::chrono::microseconds(pauseAfterMicroseconds));
    pause = true;
    first.join();
    csv.writeRows();
    ASSERT_TRUE(csv.commit(error)) << error;
    const std::optional<std::string> turns = readFileBytes((folder / "turns.csv").string(), error);
    ASSERT_TRUE(turns);
    EXPECT_EQ(turns->size(), whole->size()) << "paused after " << pauseAfterMicroseconds << " µs";
    EXPECT_TRUE(*turns == *whole) << "paused after " << pauseAfterMicroseconds << " µs";
  }
  std::filesystem::remove_all(folder);
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

// Logs kept in local time (Moscow, +5:30), a whole log a day off, and a log kept at UTC+7 whose
// date stayed on the first day after local midnight (17:00 UTC) are found beyond the search of
// any offset; a log whose pairs agree on a zone only now and then gets none.
TEST(Clocks, ZonesWholeDaysAndADateThatStayedBehindAreFoundWhereThePairsAgree) {
  HandMadeContest contest;
  const std::map<size_t, int> zone = {{0, 180}, {1, 330}, {2, -1440}};
  std::vector<std::string> calls = kEight;
  for (const char* call : {"ES1AA", "HA1BB", "YO2CC", "OH3DD", "SM4EE", "UR5FF"}) calls.push_back(call);
  contest.workEachOther(calls, [&](size_t s, int minute) {
    if (s == 4) return minute < 300 ? 420 : 420 - 1440;
    if (s == 7) return minute % 3 == 0 ? 300 : 2000 + 3 * minute;
    return zone.count(s) ? zone.at(s) : 0;
  });
  contest.check();
  for (const auto& [call, ahead] : {std::pair{"DL1AA", 180}, {"OK1BB", 330}, {"RA3CC", -1440}, {"F5HH", 0}})
    EXPECT_EQ(contest.clock(call).aheadAt(61'871'760), ahead) << call;
  EXPECT_TRUE(contest.clock("UA9EE").dateSlipped());
  for (const char* call : {"DL1AA", "OK1BB", "RA3CC", "UA9EE"})
    EXPECT_EQ(contest.verdict(call, "SP2DD"), Verdict::ok) << call;
  EXPECT_EQ(contest.count(Verdict::ok) + contest.count(Verdict::nil), contest.logs.qsos.size());
  EXPECT_GT(contest.count(Verdict::nil), 10u);  // F5HH's scattered QSOs, on both sides
}

// One QSO a day behind in a log otherwise on time says nothing of the log's clock, but both logs
// hold it: a time mismatch on both sides, never a NIL.
TEST(Clocks, AQsoBothLogsHoldADayApartIsATimeMismatch) {
  HandMadeContest contest;
  contest.workEachOther(kEight, [](size_t, int) { return 0; });
  contest.log(kEight[0], kEight[1], 600 - 1440, "15m");
  contest.log(kEight[1], kEight[0], 600, "15m");
  contest.check();
  EXPECT_EQ(contest.clock(kEight[0]).aheadAt(61'871'760), 0);
  EXPECT_EQ(contest.verdict(kEight[0], kEight[1], "15m"), Verdict::timeMismatch);
  EXPECT_EQ(contest.verdict(kEight[1], kEight[0], "15m"), Verdict::timeMismatch);
}

// UA9/RA3AAA and RA3AAA/9 are one station; a log never pairs with itself; a dropped /N with a
// band slip is a band mismatch on both sides; two unrelated QSOs whose calls are each one slip
// from the other's log, but whose exchanges do not agree, are no mutual bust.
TEST(Calls, PrefixFormsSelfQsosDroppedAreasOnAnotherBandAndCoincidentalSlips) {
  HandMadeContest contest;
  contest.log("UA9/RA3AAA", "K1ZZ", 10);
  contest.log("K1ZZ", "RA3AAA/9", 10);
  contest.log("UA9/RA3AAA", "DL1AA", 12);
  contest.log("DL1AA", "R9/RA3AAA", 12);
  contest.log("SM5XVC/P", "SM5XVC/1", 20);
  contest.log("SM5XVC/P", "K1ZZ", 21);
  contest.log("K1ZZ", "SM5XVC", 21);
  contest.log("RZ3XX/1", "UA1B", 50);
  contest.log("UA1B", "RZ3XX", 50, "40m");
  contest.log("RW4ER", "RN3D", 112, "20m", "AB-01", "CD-02");
  contest.log("RN3I", "R4ER", 110, "20m", "EF-03", "GH-04");
  contest.check();
  for (const auto& [own, worked] : {std::pair{"UA9/RA3AAA", "K1ZZ"}, {"K1ZZ", "RA3AAA/9"}, {"DL1AA", "R9/RA3AAA"}})
    EXPECT_EQ(contest.verdict(own, worked), Verdict::ok) << own << " " << worked;
  EXPECT_EQ(contest.verdict("SM5XVC/P", "SM5XVC/1"), Verdict::unique);
  EXPECT_EQ(contest.verdict("RZ3XX/1", "UA1B"), Verdict::bandMismatch);
  EXPECT_EQ(contest.verdict("UA1B", "RZ3XX", "40m"), Verdict::bandMismatch);
  EXPECT_EQ(contest.verdict("RW4ER", "RN3D"), Verdict::unique);
  EXPECT_EQ(contest.verdict("RN3I", "R4ER"), Verdict::unique);
  EXPECT_EQ(stationOf("UA9/W1JR"), "UA9/W1JR");  // abroad, the prefix names another place
  EXPECT_EQ(stationOf("UA3/RA3AAA/P"), "RA3AAA");
}

// Three of a small log's four QSOs in one busy minute are times like any other, so its QSO before
// the start is out of the period on both sides; a log whose times are all one minute busts a
// call whose right QSO lies 1,500 QSOs into its partner's log, and that is found.
TEST(Clocks, ASmallLogsBusyMinuteIsATimeAndATimelessLogsBustIsFoundAnywhere) {
  HandMadeContest contest;
  for (const char* partner : {"DL1AA", "OK1BB", "SP2DD"}) {
    contest.log("RA3CC", partner, 100);
    contest.log(partner, "RA3CC", 100);
  }
  contest.log("RA3CC", "G3GG", -10, "40m");
  contest.log("G3GG", "RA3CC", -10, "40m");
  for (int n = 0; n < 1500; ++n) contest.log("F5HH", "K" + std::to_string(n) + "A", n * 1300 / 1500);
  contest.log("F5HH", "UA9EE", 1350);
  for (const char* partner : {"DL1AA", "OK1BB", "SP2DD", "G3GG", "LY2FF", "RA3CC", "W1AW"}) {
    contest.log("UA9EE", partner, -720, "80m");
    if (std::string(partner) != "W1AW") contest.log(partner, "UA9EE", 200, "80m");
  }
  contest.log("UA9EE", "F5HG", -720);
  CheckPolicy policy;
  policy.periodStart = 61'871'760;
  contest.check(policy);
  EXPECT_FALSE(contest.clock("RA3CC").timeless);
  EXPECT_EQ(contest.verdict("RA3CC", "G3GG", "40m"), Verdict::outOfPeriod);
  EXPECT_EQ(contest.verdict("G3GG", "RA3CC", "40m"), Verdict::outOfPeriod);
  EXPECT_TRUE(contest.clock("UA9EE").timeless);
  EXPECT_EQ(contest.verdict("UA9EE", "F5HG"), Verdict::bustedCall);
  EXPECT_EQ(contest.verdict("F5HH", "UA9EE"), Verdict::partnerError);
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
