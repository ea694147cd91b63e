#include "log/log_store.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/log_records.h"

namespace stats {
namespace {

CInfo record(const std::string& call, const std::string& band, const std::string& mode,
             double when) {
  CInfo r;
  r.call = call;
  r.band = band;
  r.mode = mode;
  r.qsoTime.m_dt = when;
  return r;
}

TEST(LogStore, NewRecordIsEmptyWithAValidZeroTime) {
  const CInfo r;
  EXPECT_TRUE(r.call.empty() && r.district.empty() && r.exchRcvd.empty());
  EXPECT_EQ(r.noScore + r.badQso + r.dupe + r.freqKHz, 0);
  EXPECT_EQ(r.qsoTime.m_status, COleDateTime::valid);
  EXPECT_EQ(r.qsoTime.m_dt, 0.0);
}

TEST(LogStore, KeepsOrderAndClosesTheGapOnRemoval) {
  LogStore log;
  appendRecord(log, record("A1AA", "20m", "CW", 1));
  appendRecord(log, record("B1BB", "20m", "CW", 2));
  appendRecord(log, record("C1CC", "20m", "CW", 3));
  log.removeAt(0);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log.at(0).call, "B1BB");
  EXPECT_EQ(log.at(1).call, "C1CC");
  EXPECT_THROW(log.at(2), std::out_of_range);
  EXPECT_THROW(log.removeAt(2), std::out_of_range);
}

TEST(LogStore, StoresCopiesThatOutliveTheCallersRecord) {
  LogStore log;
  {
    CInfo r = record("UA9AA", "20m", "CW", 1);
    r.dupe = r.noScore = 1;
    appendRecord(log, r);
    r.call = "changed";
  }
  EXPECT_EQ(log.at(0).call, "UA9AA");
  EXPECT_EQ(log.at(0).dupe, 1);
}

TEST(LogStore, WorkedBandsAreExactTextsInOrderOfFirstAppearance) {
  LogStore log;
  log.addWorkedBand("20m");
  log.addWorkedBand("40m");
  log.addWorkedBand("20m");
  log.addWorkedBand("20M");
  EXPECT_EQ(log.workedBands(), (std::vector<std::string>{"20m", "40m", "20M"}));
  appendRecord(log, record("A1AA", "20m", "CW", 1));
  log.clear();
  EXPECT_EQ(log.size(), 0u);
  EXPECT_TRUE(log.workedBands().empty());
}

TEST(LogStore, ContactMatchNeedsCallModeBandAndEqualTime) {
  LogStore log;
  appendRecord(log, record("A1AA", "20m", "CW", 1.5));
  appendRecord(log, record("A1AA", "20m", "CW", 1.5));
  EXPECT_EQ(log.findContact(record("A1AA", "20m", "CW", 1.5)), 0u);
  EXPECT_EQ(log.findContact(record("a1aa", "20m", "CW", 1.5)), LogStore::npos);
  EXPECT_EQ(log.findContact(record("A1AA", "20M", "CW", 1.5)), LogStore::npos);
  EXPECT_EQ(log.findContact(record("A1AA", "20m", "SSB", 1.5)), LogStore::npos);
  EXPECT_EQ(log.findContact(record("A1AA", "20m", "CW", 1.5000001)), LogStore::npos);
  // A QSO the host logged with an invalid date can still be removed (or edited).
  CInfo invalid = record("A1AA", "20m", "CW", 1.5);
  invalid.qsoTime.m_status = COleDateTime::invalid;
  appendRecord(log, invalid);
  CInfo removal = invalid;
  removal.qsoTime.m_dt = 7;  // an invalid value's day count says nothing
  EXPECT_EQ(log.findContact(removal), 2u);
  removal.call = "A1AB";
  EXPECT_EQ(log.findContact(removal), LogStore::npos);
}

}  // namespace
}  // namespace stats
