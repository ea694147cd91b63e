#include "platform/ole_date_time.h"

#include <gtest/gtest.h>

namespace stats {
namespace {

COleDateTime at(int y, int mo, int d, int h, int mi, double seconds) {
  COleDateTime t = COleDateTime::fromParts(y, mo, d, h, mi, 0);
  t.m_dt += seconds / 86400.0;
  return t;
}

TEST(DateTimeFormat, PatternsOfTheResultsAndFiles) {
  const COleDateTime t = COleDateTime::fromParts(2017, 9, 5, 7, 3, 9);
  EXPECT_EQ(t.Format("%d.%m"), "05.09");
  EXPECT_EQ(t.Format("%Y"), "2017");
  EXPECT_EQ(t.Format("%d.%m.%Y"), "05.09.2017");
  EXPECT_EQ(t.Format("%d_%m_%Y"), "05_09_2017");
  EXPECT_EQ(t.Format("%Y-%m-%d %H%M"), "2017-09-05 0703");
  EXPECT_EQ(t.Format("%H%M"), "0703");
  EXPECT_EQ(t.Format("%H:%M"), "07:03");
  EXPECT_EQ(t.Format("100%% %q"), "100% %q");
}

TEST(DateTimeFormat, EpochAndDayCount) {
  COleDateTime epoch;
  EXPECT_EQ(epoch.Format("%d.%m.%Y %H:%M"), "30.12.1899 00:00");
  COleDateTime t;
  t.m_dt = 42983.5;  // 5 September 2017, noon
  EXPECT_EQ(t.Format("%d.%m.%Y %H%M"), "05.09.2017 1200");
  t.m_dt = -1.25;  // a day back, then a quarter of a day forward into it
  EXPECT_EQ(t.Format("%d.%m.%Y %H%M"), "29.12.1899 0600");
}

TEST(DateTimeFormat, RoundsToTheNearestSecondBeforeFormatting) {
  EXPECT_EQ(at(2017, 9, 5, 12, 9, 59.6).Format("%H%M"), "1210");
  EXPECT_EQ(at(2017, 9, 5, 12, 9, 59.4).Format("%H%M"), "1209");
  EXPECT_EQ(at(2017, 9, 5, 12, 9, 30.0).Format("%H:%M"), "12:09");
}

TEST(DateTimeFormat, RoundingCarriesIntoTheNextDayAndYear) {
  EXPECT_EQ(at(2017, 9, 5, 23, 59, 59.7).Format("%d.%m.%Y %H%M"), "06.09.2017 0000");
  EXPECT_EQ(at(2016, 12, 31, 23, 59, 59.51).Format("%d.%m.%Y %H%M"), "01.01.2017 0000");
  EXPECT_EQ(at(2016, 12, 31, 23, 59, 59.4).Format("%Y %H%M"), "2016 2359");
  EXPECT_EQ(at(2016, 2, 28, 23, 59, 59.9).Format("%d.%m"), "29.02");
}

TEST(DateTimeFormat, NullIsEmptyAndInvalidIsNamed) {
  COleDateTime t = COleDateTime::fromParts(2017, 9, 5);
  t.m_status = COleDateTime::null;
  EXPECT_EQ(t.Format("%d.%m.%Y"), "");
  t.m_status = COleDateTime::invalid;
  EXPECT_EQ(t.Format("%d.%m.%Y"), "Invalid DateTime");
  t.m_status = 7;  // a status the host never sends
  EXPECT_EQ(t.Format("%Y"), "Invalid DateTime");
  t = COleDateTime();
  t.m_dt = 1e12;  // far outside the years the host's type covers
  EXPECT_EQ(t.Format("%Y"), "Invalid DateTime");
}

TEST(DateTimeCompare, StatusThenDayCount) {
  COleDateTime a = COleDateTime::fromParts(2017, 9, 5, 12, 0, 0), b = a;
  EXPECT_EQ(a, b);
  b.m_dt += 1.0 / 86400000.0;
  EXPECT_NE(a, b);
  COleDateTime n1, n2;
  n1.m_status = n2.m_status = COleDateTime::null;
  n2.m_dt = 5;
  EXPECT_EQ(n1, n2);
  COleDateTime i1 = a, i2 = a;
  i1.m_status = i2.m_status = COleDateTime::invalid;
  EXPECT_NE(i1, i2);
  EXPECT_NE(a, n1);
}

TEST(DateTimeRead, CopiesTheValueAndTreatsNullPointerAsNull) {
  COleDateTime source = COleDateTime::fromParts(2020, 1, 2);
  source.m_reserved = 99;
  const COleDateTime copy = readDateTime(&source);
  EXPECT_EQ(copy, source);
  EXPECT_EQ(copy.m_reserved, 0);
  EXPECT_EQ(readDateTime(nullptr).m_status, COleDateTime::null);
}

}  // namespace
}  // namespace stats
