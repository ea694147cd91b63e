#include "contest/prefixes.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "contest/region_pairs.h"

namespace stats {
namespace {

StationHints hintsOf(const std::string& text) {
  StationHints hints;
  hints.loadFromText(text);
  return hints;
}

const StationHints kNoHints;

TEST(Prefixes, TwoFixedSetsComparedExactly) {
  for (const char* p : {"UA", "UA2", "UA9", "CE9/KC4"}) EXPECT_EQ(IsRdaPrefix(p), 1) << p;
  for (const char* p : {"ua", "UA ", "UA2/f", "UN", "UR", "EU", "R", "", "UA3"})
    EXPECT_EQ(IsRdaPrefix(p), 0) << p;
  for (const char* p : {"UA", "UA2", "UA2/f", "UA9", "UN", "UR", "EU"})
    EXPECT_EQ(IsRussianLanguagePrefix(p), 1) << p;
  for (const char* p : {"CE9/KC4", "UA2/F", "ur", "DL", ""}) EXPECT_EQ(IsRussianLanguagePrefix(p), 0) << p;
}

TEST(Prefixes, OnlySicilyFoldsToItaly) {
  EXPECT_EQ(FoldCountryPrefix("IT9"), "I");
  EXPECT_EQ(FoldCountryPrefix("IG9"), "I");
  EXPECT_EQ(FoldCountryPrefix("it9"), "it9");
  EXPECT_EQ(FoldCountryPrefix("IT9 "), "IT9 ");
  EXPECT_EQ(FoldCountryPrefix("IS"), "IS");
}

TEST(GuessRdaRegion, HintLinesMatchTheirWholeCallsignPart) {
  const StationHints hints = hintsOf("UA3AAA MA01\nR9/DL1ABC UD12\nRA3AA\tTV05\nUA3AAA MO99\n");
  EXPECT_EQ(GuessRdaRegion("UA3AAA", hints), "MA01");        // first matching line wins
  EXPECT_EQ(GuessRdaRegion("R9/DL1ABC", hints), "UD12");     // before the slash rule
  EXPECT_EQ(GuessRdaRegion("RA3AA", hints), "TV05");         // any one separator
  EXPECT_EQ(GuessRdaRegion("UA3AA", hints), "MA");           // a prefix of a call is no match
  EXPECT_EQ(GuessRdaRegion("ua3aaa", hints), "STO");         // letter case counts
}

TEST(GuessRdaRegion, ShortHintLinesMatchOnlyTheEmptyCallsign) {
  const StationHints hints = hintsOf("UD12\n\nABCDE\n");
  EXPECT_EQ(GuessRdaRegion("", hints), "UD12");
  EXPECT_EQ(GuessRdaRegion("", kNoHints), "STO");
  EXPECT_EQ(GuessRdaRegion("", hintsOf("\n")), "");
}

TEST(GuessRdaRegion, SpecialEventShapes) {
  EXPECT_EQ(GuessRdaRegion("UE1AAA", kNoHints), "SPEC");  // even with the pair 1A in it
  EXPECT_EQ(GuessRdaRegion("R10A", kNoHints), "SPEC");
  EXPECT_EQ(GuessRdaRegion("RK20X", kNoHints), "SPEC");
  EXPECT_EQ(GuessRdaRegion("r10a", kNoHints), "SPEC");
  EXPECT_EQ(GuessRdaRegion("R1", kNoHints), "STO");
  EXPECT_EQ(GuessRdaRegion("U", kNoHints), "STO");
  EXPECT_EQ(GuessRdaRegion("UE", kNoHints), "SPEC");
}

TEST(GuessRdaRegion, SlashAfterTheFirstCharacter) {
  EXPECT_EQ(GuessRdaRegion("UA3A/P", kNoHints), "STO");
  EXPECT_EQ(GuessRdaRegion("DL/RA3AA", kNoHints), "STO");
  EXPECT_EQ(GuessRdaRegion("/RA3AA", kNoHints), "MA");  // a leading slash is not the rule
}

TEST(GuessRdaRegion, RegionTableByRowOrderNotByPosition) {
  EXPECT_EQ(GuessRdaRegion("RA3AB", kNoHints), "MA");
  EXPECT_EQ(GuessRdaRegion("RZZZ3A", kNoHints), "MA");
  EXPECT_EQ(GuessRdaRegion("RA9XA", kNoHints), "KO");
  EXPECT_EQ(GuessRdaRegion("UA0VA", kNoHints), "ZK");
  EXPECT_EQ(GuessRdaRegion("RA8VA", kNoHints), "AB");
  // 3A (MA, row 21) comes later in the call than 2F (KA, row 10): row order decides.
  EXPECT_EQ(GuessRdaRegion("R2FA3A", kNoHints), "KA");
  EXPECT_EQ(GuessRdaRegion("R3A2F", kNoHints), "KA");
  EXPECT_EQ(GuessRdaRegion("ra3ab", kNoHints), "STO");  // lower case matches no pair
  EXPECT_EQ(GuessRdaRegion("3AXX", kNoHints), "STO");   // a pair only at the start
  EXPECT_EQ(GuessRdaRegion("3AX3A", kNoHints), "STO");  // its first occurrence is at the start
  EXPECT_EQ(GuessRdaRegion("QQQQ", kNoHints), "STO");
}

TEST(GuessRdaRegion, EveryPairOfTheTableAwayFromTheStart) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const RegionRow& row : kRegionPairTable)
    for (const char* p = row.pairs; *p; p += 2) pairs.emplace_back(row.code, std::string(p, 2));
  ASSERT_EQ(pairs.size(), 215u);
  std::set<std::string> distinct;
  std::set<std::string> codes;
  for (const auto& [code, pair] : pairs) {
    distinct.insert(pair);
    codes.insert(code);
    // "QQ" holds no pair and no special-event shape, so only this pair can answer.
    EXPECT_EQ(GuessRdaRegion("QQ" + pair, kNoHints), code) << pair;
    EXPECT_EQ(GuessRdaRegion(pair + "QQ", kNoHints), "STO") << pair;
  }
  EXPECT_EQ(distinct.size(), 215u);
  EXPECT_EQ(codes.size(), 88u);
}

TEST(GuessRdaRegion, AnyTextIsSafe) {
  const StationHints hints = hintsOf(std::string(100000, 'A') + "\n");
  EXPECT_EQ(GuessRdaRegion(std::string(1 << 20, 'Q'), hints), "STO");
  EXPECT_EQ(GuessRdaRegion(std::string("Q\xff\x80" "3A"), hints), "MA");
  EXPECT_EQ(GuessRdaRegion(std::string(99995, 'A'), hints), "AAAA");
}

}  // namespace
}  // namespace stats
