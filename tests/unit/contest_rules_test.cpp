#include "contest/contest_rules.h"

#include <gtest/gtest.h>

namespace stats {
namespace {

TEST(ContestRules, BandsInIndexOrderAdmittedWithoutRegardToCase) {
  ASSERT_EQ(bandRules.size(), 6u);
  const char* order[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(bandRules.at(i), order[i]);
  EXPECT_EQ(bandRules.contains("20M"), 1);
  EXPECT_EQ(bandRules.contains("20m"), 1);
  for (const char* refused : {"", "30m", "20 m", " 20m", "20m ", "2"})
    EXPECT_EQ(bandRules.contains(refused), 0) << '"' << refused << '"';
}

TEST(ContestRules, ModesAdmittedWithoutRegardToCaseButUntrimmed) {
  ASSERT_EQ(modeRules.size(), static_cast<size_t>(kModeCount));
  EXPECT_EQ(modeRules.at(0), "CW");
  EXPECT_EQ(modeRules.at(1), "SSB");
  EXPECT_EQ(modeRules.contains("cw"), 1);
  EXPECT_EQ(modeRules.contains("sSb"), 1);
  for (const char* refused : {"PH", "RTTY", "CW ", "", "C"}) EXPECT_EQ(modeRules.contains(refused), 0);
  // Only ASCII letters fold: a byte of the upper half never equals a letter.
  EXPECT_EQ(modeRules.contains("C\xd7"), 0);
}

TEST(ContestRules, BandOfAFrequencyByItsWholeMegahertz) {
  EXPECT_EQ(bandIndexOfFrequency(14250000), 3);
  EXPECT_EQ(bandIndexOfFrequency(1999999), 0);
  EXPECT_EQ(bandIndexOfFrequency(1000000), 0);
  EXPECT_EQ(bandIndexOfFrequency(3500000), 1);
  EXPECT_EQ(bandIndexOfFrequency(7199999), 2);
  EXPECT_EQ(bandIndexOfFrequency(21000000), 4);
  EXPECT_EQ(bandIndexOfFrequency(28999999), 5);
  EXPECT_EQ(bandIndexOfFrequency(29700000), -1);
  EXPECT_EQ(bandIndexOfFrequency(10100000), -1);
  EXPECT_EQ(bandIndexOfFrequency(999999), -1);
  EXPECT_EQ(bandIndexOfFrequency(0), -1);
  EXPECT_EQ(bandIndexOfFrequency(4294967295u), -1);
}

TEST(ContestRules, CabrilloCategoriesInListOrder) {
  EXPECT_EQ(kCategoryOperator, (std::vector<std::string>{"SINGLE-OP", "MULTI-OP", "CHECKLOG"}));
  EXPECT_EQ(kCategoryBand,
            (std::vector<std::string>{"ALL", "160M", "80M", "40M", "20M", "15M", "10M"}));
  EXPECT_EQ(kCategoryMode, (std::vector<std::string>{"CW", "SSB", "MIXED"}));
  EXPECT_EQ(kCategoryPower, (std::vector<std::string>{"HIGH", "LOW", "QRP"}));
  EXPECT_EQ(kCategoryStation, (std::vector<std::string>{"FIXED", "PORTABLE"}));
  EXPECT_EQ(kCategoryTransmitter, (std::vector<std::string>{"ONE", "TWO", "UNLIMITED"}));
}

}  // namespace
}  // namespace stats
