// Whatever the host adds and removes, the plug-in must end where a reset and a reload of the
// host's remaining log would put it. Random sequences over a few calls, bands and modes make
// the twins, dupes, refused and flagged contacts that removal has to get right.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/settings.h"
#include "platform/text.h"
#include "tests/support/plugin_fixture.h"

namespace stats::testing {
namespace {

struct Worked {
  const char* call;
  const char* prefix;
  const char* continent;
};

class HostLog {
 public:
  explicit HostLog(unsigned seed) : random_(seed) {}

  Qso newQso() {
    static const Worked stations[] = {{"UA9AAA", "UA9", "AS"}, {"RA9BB", "UA9", "AS"},
                                       {"R1A/P", "UA", "EU"},   {"DL1AA", "DL", "EU"},
                                       {"IT9XX", "IT9", "EU"},  {"K1AB", "K", "NA"}};
    static const char* const bands[] = {"20m", "20m", "40m", "40m", "20M", "30m"};
    static const unsigned kHz[] = {14025, 14025, 7012, 7012, 14190, 10120};
    static const char* const modes[] = {"CW", "CW", "SSB", "RTTY"};
    // Texts with blanks at the end, two blanks inside and nothing at all.
    static const char* const exchanges[] = {"MA-01", "ma02", "MO03", "XX99", "001", "MA-03 ", " ", "A  B", ""};
    static const char* const sent[] = {"MA01", "MA01", "MA-03 ", " ", "A  B", ""};
    const Worked& s = stations[pick(std::size(stations))];
    const size_t band = pick(std::size(bands));
    Qso q;
    q.call = s.call;
    q.prefix = s.prefix;
    q.continent = s.continent;
    q.band = bands[band];
    q.freqHz = kHz[band] * 1000 + static_cast<unsigned>(pick(1000));
    q.mode = modes[pick(std::size(modes))];
    q.exchRcvd = exchanges[pick(std::size(exchanges))];
    q.exchSent = sent[pick(std::size(sent))];
    q.rstRcvd = pick(4) ? "599" : "5  9";
    q.at(0, 0).time.m_dt += ++minutes_ / 1440.0;
    return q;
  }

  // One step of the host: mostly a new QSO, else the deletion of one it has (the earliest
  // equal one, as the plug-in has no way to tell equal QSOs apart) or of one it never had.
  void step() {
    const size_t roll = pick(10);
    if (roll < 6 || qsos.empty()) {
      qsos.push_back(roll == 0 && !qsos.empty() ? qsos[pick(qsos.size())] : newQso());
      addData(qsos.back());
    } else if (roll < 9) {
      const Qso gone = qsos[pick(qsos.size())];
      qsos.erase(std::find_if(qsos.begin(), qsos.end(), [&](const Qso& q) { return sameQso(q, gone); }));
      removeData(gone);
    } else {
      Qso never = qsos[pick(qsos.size())];
      never.time.m_dt += 1000;
      removeData(never);
    }
  }

  std::vector<Qso> qsos;

 private:
  static bool sameQso(const Qso& a, const Qso& b) {
    return a.call == b.call && a.band == b.band && a.mode == b.mode && a.time == b.time;
  }
  size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  std::mt19937 random_;
  int minutes_ = 0;
};

class RemovalEquivalence : public PluginTest {
 protected:
  void startContest() {
    resetPluginStateForTests();
    writeSetting("Start", "1");  // the reset then leaves the windows closed
    resetStats(Station{});
  }

  // Everything a host or the windows can see of the log, in one comparable text.
  std::string observed() {
    std::string seen = getResult() + "\n--- bad-QSO lines\n";
    std::vector<std::string> lines = textLines(dir.read(badFile));
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines) seen += line + "\n";
    seen += "--- checks\n";
    for (const char* call : {"UA9AAA", "RA9BB", "R1A/P", "DL1AA", "IT9XX", "K1AB"})
      for (const char* band : {"20m", "40m", "20M"})
        for (const char* mode : {"CW", "SSB"}) {
          std::string hint;
          seen += std::to_string(checkCall(call, band, mode, call[0] == 'R' ? "UA9" : "DL", &hint));
          seen += hint + mode + " ";
        }
    return seen + withState([](PluginState& s) {
             std::string lists = "\n--- lists\n";
             for (const std::string& d : s.result.workedDistricts) lists += d + " ";
             for (const auto& band : s.result.bandPrefixes) {
               lists += "\n";
               for (const std::string& p : band) lists += p + " ";
             }
             return lists;
           });
  }
};

TEST_F(RemovalEquivalence, AddsAndRemovalsEndWhereAReloadOfTheRemainingLogEnds) {
  for (unsigned seed = 1; seed <= 100; ++seed) {
    HostLog host(seed);
    startContest();
    const int steps = 1 + static_cast<int>(seed % 40);
    for (int i = 0; i < steps; ++i) {
      host.step();
      if (i % 7 == 3) getResult();  // the windows' lists are rebuilt between the steps too
    }
    const std::string afterSteps = observed();

    startContest();
    for (const Qso& q : host.qsos) addData(q);
    ASSERT_EQ(afterSteps, observed()) << "seed " << seed;
  }
}

}  // namespace
}  // namespace stats::testing
