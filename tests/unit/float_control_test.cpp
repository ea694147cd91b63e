// The host's floating-point settings are its own: the answers and files do not follow them, and
// every export gives them back as it found them.
#include <gtest/gtest.h>

#include <cfenv>
#include <functional>
#include <string>

#include "tests/support/plugin_fixture.h"

namespace stats::testing {
namespace {

struct HostSettings {
  int rounding;
  int traps;  // exceptions the host unmasked
};

class HostFloatSettings : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    dir.write("Plugins/RDA.ini", "[Settings]\r\nStart=1\r\n");
    std::fegetenv(&testDefaults_);
  }
  void TearDown() override {
    std::fesetenv(&testDefaults_);
    PluginTest::TearDown();
  }

  // One export called under the host's settings; the test's own work runs under its defaults.
  template <class Call>
  auto asHost(const HostSettings& host, Call call) {
    std::fesetround(host.rounding);
    feenableexcept(host.traps);
    const auto answer = call();
    EXPECT_EQ(std::fegetround(), host.rounding);
    EXPECT_EQ(fegetexcept(), host.traps);
    std::fesetenv(&testDefaults_);
    return answer;
  }

  // Resets, an empty log's result, QSOs at the reference time (refused, flagged, stored, a
  // dupe), the callsign check, a removal, the result, and a Cabrillo export: every answer and
  // both files.
  std::string session(const HostSettings& host) {
    resetPluginStateForTests();
    Qso wrongBand, unknownDistrict, stored;
    wrongBand.band = "30m";
    unknownDistrict.call = "RA3XX", unknownDistrict.prefix = "UA", unknownDistrict.exchRcvd = "XX99";
    stored.call = "DL1AB", stored.prefix = "DL", stored.continent = "EU";
    for (Qso* q : {&wrongBand, &unknownDistrict, &stored}) q->at(12, 0, 59.5);
    Station exporting;
    exporting.exportFlag = 1;

    std::string said;
    auto note = [&said](const auto& answer) { said += std::to_string(answer) + "\n"; };
    note(asHost(host, [] { return resetStats(Station{}); }));
    said += asHost(host, [] { return getResult(); });
    for (const Qso* q : {&wrongBand, &unknownDistrict, &stored, &stored})
      note(asHost(host, [q] { return addData(*q); }));
    note(asHost(host, [] { return checkCall("DL1AB", "20m", "CW", "DL"); }));
    note(asHost(host, [&] { return removeData(stored); }));
    said += asHost(host, [] { return getResult(); });
    said += dir.read(badFile);
    note(asHost(host, [&] { return resetStats(exporting); }));
    note(asHost(host, [&] { return addData(stored); }));
    said += asHost(host, [] { return getResult(); });
    return said + dir.read("RA3AA.cbr");
  }

  std::fenv_t testDefaults_;
};

TEST_F(HostFloatSettings, AnswersAndFilesDoNotFollowTheHostsRoundingOrTraps) {
  const std::string underDefaults = session({FE_TONEAREST, 0});
  // 12:00:59.5 is minute 1201; rounded down on the way it would be 1200.
  EXPECT_NE(underDefaults.find("2017-09-05 1201  RA3AA"), std::string::npos);
  EXPECT_NE(underDefaults.find("2017-09-05 1201 RA3AA"), std::string::npos);
  EXPECT_EQ(session({FE_DOWNWARD, FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW}), underDefaults);
}

}  // namespace
}  // namespace stats::testing
