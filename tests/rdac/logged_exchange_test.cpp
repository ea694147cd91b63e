#include "rdac/logs/logged_exchange.h"

#include <gtest/gtest.h>

#include "rdac/crosscheck/submitted_logs.h"

namespace rdac {
namespace {

// The readers hand over one spelling, and the cross-check's key agrees with it.
TEST(LoggedExchange, EverySpellingOfADistrictIsOneAndTheCrossCheckAgrees) {
  for (const char* spelling : {"MA-03", "MA-3", "ma03", "ma3", "MA 03", " MA03 ", "\xD0\x9C\xD0\x90-03",
                               "\xD0\xBC\xD0\xB0\x33", "599 MA03", "5NN ma-3", "ENN MA03", "59 MA 03"}) {
    SCOPED_TRACE(spelling);
    EXPECT_EQ(normalisedExchange(spelling), "MA-03");
    EXPECT_EQ(exchangeKey(spelling), exchangeKey("MA-03"));
  }
  EXPECT_EQ(normalisedExchange("579 TA04", "579"), "TA-04");
  EXPECT_EQ(normalisedExchange("57 012"), "012");  // a serial after its report
  EXPECT_EQ(exchangeKey("599 012"), exchangeKey("12"));
}

TEST(LoggedExchange, LeavesWhatIsNoDistrictAsItWas) {
  EXPECT_EQ(normalisedExchange("599"), "599");  // a report alone: the plug-in's own rule refuses it
  EXPECT_EQ(normalisedExchange("001"), "001");
  // П has no Latin twin: the text stays Cyrillic, for the plug-in to refuse as a district.
  EXPECT_EQ(normalisedExchange("\xD0\xA1\xD0\x9F-04"), "\xD0\xA1\xD0\x9F-04");
  EXPECT_EQ(normalisedExchange("MA-003"), "MA-003");
  EXPECT_EQ(normalisedExchange("MOSCOW 3"), "MOSCOW 3");
  EXPECT_NE(exchangeKey("MA-03"), exchangeKey("MA-04"));
  EXPECT_FALSE(isDistrictShaped("Moscow"));
  EXPECT_TRUE(isDistrictShaped("ma-3"));
}

}  // namespace
}  // namespace rdac
