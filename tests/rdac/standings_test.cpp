// Categories, areas and places of the committee's ranking, and what its pages make of log texts.
#include "rdac/crosscheck/standings.h"

#include <gtest/gtest.h>

#include "rdac/crosscheck/committee_pages.h"

namespace rdac {
namespace {

TEST(Standings, TheHeaderGivesTheCategoryInAFixedOrderElseCabrilloTwosLine) {
  EXPECT_EQ(categoryOfHeader({{"-POWER", "LOW"}, {"-OPERATOR", "SINGLE-OP"}, {"-BAND", "ALL"}, {"", "MULTI-OP"}}),
            "SINGLE-OP ALL LOW");
  EXPECT_EQ(categoryOfHeader({{"", "SINGLE-OP ALL QRP"}}), "SINGLE-OP ALL QRP");
  EXPECT_EQ(categoryOfHeader({}), "");
}

// Equal checked scores share a place; checklogs and unscored logs take none; areas rank apart
// within their category.
TEST(Standings, PlacesGoByCheckedScoreWithinCategoryAndArea) {
  SubmittedLogs logs;
  std::vector<EntrantScore> scores;
  const auto entrant = [&](const char* call, const char* category, const char* area, int64_t score) {
    logs.add(std::string(call) + ".log", call, {});
    logs.entrants.back().category = category;
    logs.entrants.back().area = area;
    EntrantScore s;
    s.scored = score >= 0;
    s.checkedScore = std::max<int64_t>(score, 0);
    scores.push_back(s);
  };
  entrant("RA3A", "SO", "MA", 500);
  entrant("RA3B", "SO", "MA", 700);
  entrant("RA4C", "SO", "TA", 500);
  entrant("RA4D", "SO", "TA", 400);
  entrant("RA3E", "MO", "MA", 100);
  entrant("RA3F", "SO", "MA", 900);
  logs.entrants.back().checklog = true;
  entrant("RA3G", "SO", "MA", -1);  // no country: not scored
  entrant("RA3H", "", "MA", 50);
  const std::vector<Standing> s = rankEntrants(logs, scores);
  const auto places = [&](size_t e) { return std::make_pair(s[e].categoryPlace, s[e].areaPlace); };
  EXPECT_EQ(places(1), std::make_pair(1u, 1u));
  EXPECT_EQ(places(0), std::make_pair(2u, 2u));
  EXPECT_EQ(places(2), std::make_pair(2u, 1u));
  EXPECT_EQ(places(3), std::make_pair(4u, 2u));
  EXPECT_EQ(places(4), std::make_pair(1u, 1u));
  EXPECT_EQ(places(5), std::make_pair(0u, 0u));
  EXPECT_EQ(places(6), std::make_pair(0u, 0u));
  EXPECT_EQ(places(7), std::make_pair(1u, 1u));
  const std::vector<uint32_t> order = rankingOrder(logs, scores);
  EXPECT_EQ(order.front(), 4u);  // "MO" before "SO"
  EXPECT_EQ(order.back(), 7u);   // no category last
}

TEST(CommitteePages, LogTextsBecomeValidUtf8WhateverTheirEncoding) {
  EXPECT_EQ(pageText("R\xc0-\xd0\x91"), "R\xd0\x90-\xd0\x91");  // Windows-1251 А, UTF-8 Б
  EXPECT_EQ(pageText(std::string("a\0b\x7f\x98\xc2\x85\xed\xa0\x80", 10)),
            "a\xef\xbf\xbd" "b\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd" "\xd0\xbd\xc2\xa0\xd0\x82");  // a surrogate: 1251
  EXPECT_EQ(pageStem("R3A/P"), "R3A_P");
  EXPECT_EQ(pageStem("../CON"), "___CON");
  EXPECT_EQ(pageStem("con"), "con_");
  EXPECT_EQ(pageStem("LPT1"), "LPT1_");
  EXPECT_EQ(pageStem(""), "_");
}

}  // namespace
}  // namespace rdac
