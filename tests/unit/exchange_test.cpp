// The exchange check, as the host's text arrives, against a district table the test writes.
#include <gtest/gtest.h>

#include "contest/exchange.h"
#include "platform/text.h"
#include "tests/support/scratch_dir.h"

namespace stats {
namespace {

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.write("Plugins/rda_rus.dat",
               "Sample table\r\nMA-01 Name\r\n-X dash first\r\n\r\nno dash\r\nMA-01 again\r\n"
               "mo-02 lower\r\n TV-03 indented\r\nSP-15 Name\r\n");
    districts_.load(hostPath(kDistrictFileName));
  }
  int valid(const char* exch) { return isValidExchange(argText(exch), districts_); }
  testing::ScratchDir dir_;
  DistrictTable districts_;
};

TEST_F(ExchangeTest, SerialNumbersOfOneToFourDigits) {
  for (const char* ok : {"5", "59", "001", "9999", "0000"}) EXPECT_EQ(valid(ok), 1) << ok;
  for (const char* bad : {"599", "", "12345", " 12", "12 ", "1a", "\xb9" "12", "-1"})
    EXPECT_EQ(valid(bad), 0) << bad;
}

TEST_F(ExchangeTest, KnownDistrictsExactlyAsTheTableHoldsThem) {
  EXPECT_EQ(valid("MA01"), 1);
  EXPECT_EQ(valid("SP15"), 1);
  EXPECT_EQ(valid("ma01"), 0);
  EXPECT_EQ(valid("MA-01"), 0);
  EXPECT_EQ(valid("MO02"), 0);  // the file holds it in lower case
  EXPECT_EQ(valid("mo02"), 1);
  EXPECT_EQ(valid("TV03"), 0);  // indented in the file
  EXPECT_EQ(valid("AB12"), 0);
}

TEST_F(ExchangeTest, WithoutATableOnlyDigitsPass) {
  districts_.clear();
  EXPECT_EQ(valid("MA01"), 0);
  EXPECT_EQ(valid("1234"), 1);
  EXPECT_EQ(valid(nullptr), 0);
  EXPECT_EQ(valid(std::string(1 << 16, '1').c_str()), 0);
}

}  // namespace
}  // namespace stats
