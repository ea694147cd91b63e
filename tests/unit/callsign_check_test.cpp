#include <gtest/gtest.h>

#include "log/callsign_check.h"
#include "tests/support/native_windows.h"
#include "tests/support/plugin_fixture.h"
#include "ui/window_port.h"

namespace stats::testing {
namespace {

class CheckTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    reset(Station{});
    setUseHint(1);
  }
  void setUseHint(int on) { hints.useHint = on == 1; }
  void setEntered(const std::string& call) {
    hints.enteredCall = call;
    hints.callEntered = !call.empty();
  }
  void setHostVersion(const std::string& v) { log.hostVersion = v; }
  // The check of the test's log, its hint written into a buffer as CheckCall0 writes it.
  int check(const std::string& call, const std::string& band, const std::string& mode,
            const std::string& prefix, std::string* hint = nullptr, const char* secondBand = nullptr) {
    CheckArgs args{call, mode, prefix, band, std::nullopt};
    if (secondBand) args.secondBand = secondBand;
    const CallCheck answer = stats::checkCall(log, hints, args);
    char buffer[10] = "unset";
    if (!answer.hint.empty()) writeHint(buffer, answer.hint);
    if (hint) *hint = buffer;
    return answer.result;
  }
  HintInputs hints;
};

TEST_F(CheckTest, ShortCallsAreOrdinaryWithoutHint) {
  std::string hint;
  EXPECT_EQ(check("UA9", "30m", "RTTY", "DL", &hint), 1);
  EXPECT_EQ(hint, "unset");
}

TEST_F(CheckTest, ContactsThisContestCannotCount) {
  Station abroad;
  abroad.prefix = "DL";
  log = LogSession();
  reset(abroad);
  EXPECT_EQ(check("RA3AA", "30m", "CW", "UA"), 4);
  EXPECT_EQ(check("RA3AA", "20m", "RTTY", "UA"), 4);
  EXPECT_EQ(check("RA3AA", "20m", "CW", "UA", nullptr, "40m"), 4);
  EXPECT_EQ(check("RA3AA", "20m", "CW", "UA", nullptr, "20M"), 2);  // agree in any case
  EXPECT_EQ(check("DL1ABC", "20m", "CW", "DL"), 4);  // abroad, only Russians count
  EXPECT_EQ(check("UA9ABC", "20m", "CW", "UA9"), 2);
  setHostVersion("2.20");
  EXPECT_EQ(check("RA3AA", "30m", "CW", "UA"), 1);
  setHostVersion("2.19");
  EXPECT_EQ(check("DL1ABC", "20m", "CW", "DL"), 1);
  setHostVersion("2.18");
  EXPECT_EQ(check("RA3AA", "30m", "CW", "UA"), 4);
}

TEST_F(CheckTest, DupesAndMultipliersByExactBandModeAndPrefix) {
  Qso q;
  q.call = "UA9ABC";
  q.exchRcvd = "MA01";
  add(q);
  EXPECT_EQ(check("UA9ABC", "20m", "CW", "UA9"), 0);
  EXPECT_EQ(check("UA9ABC", "20m", "SSB", "UA9"), 1);  // same prefix already on 20m
  EXPECT_EQ(check("UA9XYZ", "20m", "CW", "UA9"), 1);
  EXPECT_EQ(check("UA9XYZ", "40m", "CW", "UA9"), 2);
  EXPECT_EQ(check("UA9ABC", "20M", "CW", "UA9"), 2);   // stored under another spelling
  EXPECT_EQ(check("ua9abc", "20m", "CW", "UA9"), 1);   // not a dupe: call case differs
}

TEST_F(CheckTest, FoldedPrefixesNeverMatchTheHostsPrefix) {
  Qso sicily;
  sicily.call = "IT9AAA";
  sicily.prefix = "IT9";
  sicily.continent = "EU";
  add(sicily);
  EXPECT_EQ(check("IT9BBB", "20m", "CW", "IT9"), 2);
  EXPECT_EQ(check("I1BBB", "20m", "CW", "I"), 1);
}

TEST_F(CheckTest, DupesAndBadRecordsStillCountAsMultiplierMatches) {
  Qso bad;
  bad.call = "UA9BAD";
  bad.exchRcvd = "ZZ99";
  add(bad);
  EXPECT_EQ(check("UA9NEW", "20m", "CW", "UA9"), 1);
}

TEST_F(CheckTest, HintFromTheLastQsoOfTheStation) {
  Qso first, second;
  first.call = second.call = "UA9ABC";
  first.exchRcvd = "MA01";
  first.band = "40m";
  second.exchRcvd = "ma-02";
  second.band = "80m";
  add(first);
  add(second);
  std::string hint;
  EXPECT_EQ(check("UA9ABC", "20m", "CW", "UA9", &hint), 2);
  EXPECT_EQ(hint, "MA02");
  EXPECT_EQ(check("UA9ABC", "40m", "CW", "UA9", &hint), 0);
  EXPECT_EQ(hint, "unset");  // a dupe leaves the buffer alone
  setUseHint(0);
  EXPECT_EQ(check("UA9ABC", "20m", "CW", "UA9", &hint), 2);
  EXPECT_EQ(hint, "unset");
}

TEST_F(CheckTest, HintFromTheEntryLinesCallsign) {
  std::string hint;
  setEntered("RA3AAA");
  EXPECT_EQ(check("UA3X", "20m", "CW", "UA", &hint), 2);
  EXPECT_EQ(hint, "MA");  // the entry line's call is guessed, not the argument
  EXPECT_EQ(check("DL1ABC", "20m", "CW", "DL", &hint), 2);
  EXPECT_EQ(hint, "unset");  // only for Russian stations
  setEntered("R10A");
  EXPECT_EQ(check("R10A", "20m", "CW", "UA", &hint), 2);
  EXPECT_EQ(hint, "unset");  // "SPEC" is never offered
  setEntered("RA3AA/P");
  EXPECT_EQ(check("RA3AA/P", "20m", "CW", "UA", &hint), 2);
  EXPECT_EQ(hint, "unset");  // nor "STO"
  setEntered("");
  EXPECT_EQ(check("RA3AAA", "20m", "CW", "UA", &hint), 2);
  EXPECT_EQ(hint, "unset");
}

TEST_F(CheckTest, AHintTooLongForTheBufferEmptiesIt) {
  Qso q;
  q.call = "UA9ABC";
  q.prefix = "CE9/KC4";
  q.exchRcvd = "way too long an exchange";
  add(q);
  // A stored exchange of more than nine characters can come from a refused district.
  EXPECT_EQ(log.qsoLog.at(0).exchRcvd, "way too long an exchange");
  std::string hint;
  EXPECT_EQ(check("UA9ABC", "40m", "CW", "CE9/KC4", &hint), 2);
  EXPECT_EQ(hint, "");
}

TEST_F(CheckTest, NineCharactersFitTheBufferAndTenDoNot) {
  Qso nine, ten;
  nine.call = "UA9NINE";
  nine.exchRcvd = "123456789";
  ten.call = "UA9TEN";
  ten.exchRcvd = "1234567890";
  nine.prefix = ten.prefix = "CE9/KC4";  // Russian, and the exchange is kept as typed (refused)
  add(nine);
  add(ten);
  std::string hint;
  EXPECT_EQ(check("UA9NINE", "40m", "CW", "CE9/KC4", &hint), 2);
  EXPECT_EQ(hint, "123456789");
  EXPECT_EQ(check("UA9TEN", "40m", "CW", "CE9/KC4", &hint), 2);
  EXPECT_EQ(hint, "");
}

TEST_F(CheckTest, NudgesTheOpenWindowOnceUntilItRefreshed) {
  dir.write("Plugins/RDA.ini", "[Settings]\r\nStart=1\r\n");  // no window thread
  resetStats(Station{});
  const int before = postedRefreshCount();
  checkCall("UA9ABC", "20m", "CW", "UA9");
  EXPECT_EQ(postedRefreshCount(), before);  // no window: nothing posted
  StartWindowThread();
  holdWindowThread(true);  // the window thread handles none of the requests meanwhile
  checkCall("UA9ABC", "20m", "CW", "UA9");
  checkCall("UA9ABCD", "20m", "CW", "UA9");
  EXPECT_EQ(postedRefreshCount(), before + 1);
  EXPECT_EQ(withState([](PluginState& s) { return s.windows.refreshReady; }), 0);
  removeData(Qso{});  // removal always asks for a refresh and re-arms the nudge
  EXPECT_EQ(postedRefreshCount(), before + 2);
  checkCall("U", "20m", "CW", "UA9");
  EXPECT_EQ(postedRefreshCount(), before + 3);
  StopWindowThread();
}

}  // namespace
}  // namespace stats::testing
