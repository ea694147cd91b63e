#include "rdac/score/result_numbers.h"

#include <gtest/gtest.h>

namespace rdac {
namespace {

// Both layouts of the plug-in's text result: with the DXCC column (own station in Russia) the
// columns after Points move one to the right.
TEST(ResultNumbers, ReadsBothLayoutsOfTheTextResult) {
  const auto russia = readResultNumbers(
      "\t\tRDA CONTEST 19.08-19.08.2017\r\n\t\t\tContestant: RA3AAA \r\n\tQSOs\tPoints\tDXCC\tRDA\tCW\tSSB\r\n"
      "80m\t 1\t 1\t 1\t\t 0\t 1\r\n20m\t 2\t 5\t 2\t\t 2\t 0\r\n"
      "Total\t 3\t 6\t 3\t 2\t 2\t 1\r\nDupe\t 1\r\nBad QSO\t 2\r\n\r\nScore: 6*(3+2) = 30\r\n"
      "Last QSO points:     2\r\n");
  ASSERT_TRUE(russia);
  EXPECT_TRUE(russia->dxccColumn);
  ASSERT_EQ(russia->bands.size(), 2u);
  EXPECT_EQ(russia->bands[1].band, "20m");
  EXPECT_EQ(russia->bands[1].dxcc, 2);
  EXPECT_EQ(russia->bands[1].cw, 2);
  EXPECT_EQ(russia->qsosOn("80m"), 1);
  EXPECT_EQ(russia->qsosOn("40m"), 0);
  EXPECT_EQ(std::make_tuple(russia->points, russia->dxcc, russia->rda, russia->ssb, russia->dupes, russia->bad,
                            russia->score),
            std::make_tuple(6, 3, 2, 1, 1, 2, int64_t{30}));

  const auto abroad = readResultNumbers(
      "\t\tRDA CONTEST 19.08-19.08.2017\r\n\t\t\tContestant: DL1AAA \r\n\tQSOs\tPoints\tRDA\tCW\tSSB\r\n"
      "40m\t 4\t 30\t\t 1\t 3\r\nTotal\t 4\t 30\t 3\t 1\t 3\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nScore: 30*3 = 90\r\n");
  ASSERT_TRUE(abroad);
  EXPECT_FALSE(abroad->dxccColumn);
  EXPECT_EQ(abroad->bands[0].ssb, 3);
  EXPECT_EQ(std::make_tuple(abroad->rda, abroad->cw, abroad->ssb, abroad->dxcc, abroad->score),
            std::make_tuple(3, 1, 3, 0, int64_t{90}));

  EXPECT_FALSE(readResultNumbers("<html><head>"));  // the HTML form is not read
}

}  // namespace
}  // namespace rdac
