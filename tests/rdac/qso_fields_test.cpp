#include "rdac/logs/qso_fields.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "rdac/logs/band_plan.h"

namespace rdac {
namespace {

TEST(QsoFields, FrequenciesInMHzBecomeExactHertz) {
  EXPECT_EQ(hzOfMHz("14.025"), 14025000u);  // a double would give 14024999
  EXPECT_EQ(hzOfMHz("3,5123"), 3512300u);
  EXPECT_EQ(hzOfMHz("7"), 7000000u);
  EXPECT_EQ(hzOfMHz(".5"), 500000u);
  EXPECT_EQ(hzOfMHz(" 28.0000005 "), 28000001u);
  EXPECT_EQ(hzOfMHz("4294.967295"), 4294967295u);
  for (const char* bad : {"", ".", "14.0.1", "1e6", "-7.0", "4295", "14 MHz"})
    EXPECT_FALSE(hzOfMHz(bad).has_value()) << bad;
}

TEST(QsoFields, DatesAndTimesMustBeOnTheCalendarAndTheClock) {
  EXPECT_EQ(qsoTime("20160229", "235959")->Format("%Y-%m-%d %H%M%S"), "2016-02-29 235959");
  for (const auto& [date, time] : {std::pair{"20170229", "1200"}, {"20171301", "1200"},
                                   {"20170819", "2400"}, {"20170819", "1260"},
                                   {"20170819", "12"}, {"2017081", "1200"}, {"2017-8-19", "1200"}})
    EXPECT_FALSE(qsoTime(date, time).has_value()) << date << " " << time;
}

TEST(QsoFields, ModesAndBandsInThePluginsSpelling) {
  EXPECT_EQ(adifMode("ssb"), "SSB");
  EXPECT_EQ(adifMode("LSB"), "SSB");
  EXPECT_EQ(adifMode("cw"), "CW");
  EXPECT_EQ(adifMode("FT8"), "FT8");
  EXPECT_EQ(cabrilloMode("PH"), "SSB");
  EXPECT_EQ(cabrilloMode("RY"), "RY");
  EXPECT_EQ(normalisedBand(" 160M "), "160m");
  EXPECT_EQ(bandOfKHz(1800), "160m");
  EXPECT_EQ(bandOfKHz(29700), "10m");
  EXPECT_EQ(bandOfKHz(14351), "");
}

// The cross-check keeps a QSO's time as its minute; written back it must read as logged, across
// month, leap-day and century ends. Seconds are cut, as Cabrillo and the plug-in's export cut
// them: an ADIF log with seconds must not look a minute fast beside its partners' Cabrillo.
TEST(QsoFields, AMinuteIsWrittenAsTheTimeItWasLoggedAt) {
  for (const auto& [date, time, text] : {std::tuple{"20170819", "1204", "2017-08-19 1204"},
                                         std::tuple{"20160229", "2359", "2016-02-29 2359"},
                                         std::tuple{"20000301", "0000", "2000-03-01 0000"},
                                         std::tuple{"19991231", "235959", "1999-12-31 2359"}}) {
    const auto logged = qsoTime(date, time);
    ASSERT_TRUE(logged) << date;
    EXPECT_EQ(minuteText(minuteOf(*logged)), text);
  }
  EXPECT_EQ(qsoTimeText(*qsoTime("20170819", "120159")), "2017-08-19 1201");
}

// Written a day's date at a time, a minute still reads as the date-time value formats it.
TEST(QsoFields, AMinutesTextIsTheFormattedTimeOfTheMinute) {
  std::mt19937_64 random(7);
  for (int n = 0; n < 20000; ++n) {
    const int64_t minute = int64_t(random() % (int64_t{400} * 366 * 1440)) - 1440 * 30;
    ASSERT_EQ(minuteText(minute), qsoTimeText(timeOfMinute(minute))) << minute;
  }
}

TEST(QsoFields, AFrequencyJustPastABandsEdgePairsOnThatBand) {
  EXPECT_EQ(bandOfKHz(13997), "");
  EXPECT_EQ(bandNearKHz(13997), "20m");
  EXPECT_EQ(bandNearKHz(14353), "20m");
  EXPECT_EQ(bandNearKHz(14025), "20m");
  EXPECT_EQ(bandNearKHz(12000), "");
}

}  // namespace
}  // namespace rdac
