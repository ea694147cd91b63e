#include "rdac/logs/country_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace rdac {
namespace {

// The real file of the hamradio-files package, as the host uses it.
class RealCountryFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::ifstream in(COUNTRY_FILE);
    std::ostringstream text;
    text << in.rdbuf();
    file_ = new CountryFile(CountryFile::parse(text.str()));
  }
  static void TearDownTestSuite() { delete file_; }

  static std::string prefixOf(const std::string& call) {
    const auto country = file_->resolve(call);
    return country ? country->prefix : "(none)";
  }
  static std::string continentOf(const std::string& call) {
    const auto country = file_->resolve(call);
    return country ? country->continent : "(none)";
  }
  static CountryFile* file_;
};

CountryFile* RealCountryFile::file_ = nullptr;

TEST_F(RealCountryFile, ResolvesTheRussiasByLongestPrefix) {
  ASSERT_GT(file_->entityCount(), 300u) << "is " COUNTRY_FILE " installed?";
  EXPECT_EQ(prefixOf("RA3AAA"), "UA");
  EXPECT_EQ(continentOf("RA3AAA"), "EU");
  EXPECT_EQ(prefixOf("UA9ABC"), "UA9");
  EXPECT_EQ(prefixOf("UA0ABC"), "UA9");
  EXPECT_EQ(continentOf("UA9ABC"), "AS");
  EXPECT_EQ(prefixOf("UA2FAA"), "UA2");  // Kaliningrad
  EXPECT_EQ(prefixOf("RA2FA"), "UA2");
  EXPECT_EQ(continentOf("UA2FAA"), "EU");
}

TEST_F(RealCountryFile, GivesWaeEntitiesTheirPrefixWithoutTheMark) {
  EXPECT_EQ(prefixOf("IT9ABC"), "IT9");  // listed as *IT9
  EXPECT_EQ(prefixOf("IG9ABC"), "IG9");
  EXPECT_EQ(prefixOf("I2ABC"), "I");
  EXPECT_EQ(prefixOf("DL1ABC"), "DL");
}

TEST_F(RealCountryFile, ExactCallsignEntriesWinOverPrefixes) {
  // R8... is Asiatic Russia by prefix; the file lists this call under European Russia.
  EXPECT_EQ(prefixOf("R80PSP"), "UA");
  // A European call area on an Asiatic call, listed whole.
  EXPECT_EQ(prefixOf("UA9CDC/3"), "UA");
}

TEST_F(RealCountryFile, HandlesPortableCallsigns) {
  EXPECT_EQ(prefixOf("DL/UA3ABC"), "DL");        // a portable prefix
  EXPECT_EQ(prefixOf("UA3ABC/DL"), "DL");
  EXPECT_EQ(prefixOf("UA3ABC/9"), "UA9");        // another call area of the same country
  EXPECT_EQ(prefixOf("UA9ABC/1"), "UA");
  EXPECT_EQ(prefixOf("JD1BNN/3"), "JD/o");       // no JD3 prefix: the base call decides
  EXPECT_EQ(prefixOf("UA9ABC/P"), "UA9");        // suffixes that only say how it operates
  EXPECT_EQ(prefixOf("RA3ABC/M"), "UA");
  EXPECT_EQ(prefixOf("rk9abc/qrp"), "UA9");
  EXPECT_EQ(prefixOf("IT9/UA3ABC/P"), "IT9");
  EXPECT_EQ(prefixOf("UA3ABC/MM"), "(none)");    // maritime mobile: in no country
  EXPECT_EQ(prefixOf("UA3ABC/AM"), "(none)");
}

TEST_F(RealCountryFile, FindsNoCountryForWhatNoPrefixStartsWith) {
  EXPECT_EQ(prefixOf("XX0XX"), "(none)");
  EXPECT_EQ(prefixOf(""), "(none)");
  EXPECT_EQ(prefixOf("/"), "(none)");
}

TEST(CountryFileParse, TakesContinentOverridesAndSkipsWhatItCannotRead) {
  const CountryFile file = CountryFile::parse(
      "Broken entity: 1: 2: EU;\n"
      "Russia test:  16:  29:  EU:   53.65:   -41.37:    -4.0:  UA:\n"
      "    R,U,=R1ANZ{AN}(39)[69],UA9X{AS};\n");
  EXPECT_EQ(file.entityCount(), 1u);
  EXPECT_EQ(file.resolve("R1ANZ")->continent, "AN");
  EXPECT_EQ(file.resolve("R1ANY")->continent, "EU");
  EXPECT_EQ(file.resolve("UA9XAA")->continent, "AS");
  EXPECT_EQ(file.resolve("UA9XAA")->prefix, "UA");
}

TEST(CountryFileParse, GivesWaeOnlyEntitiesTheirDxccEntitysPrefixAndKeepsTheirContinent) {
  CountryFile file = CountryFile::parse(
      "Asiatic Turkey:   20:  39:  AS:   39.18:   -35.65:    -2.0:  TA:\n    TA,TB;\n"
      "European Turkey:  20:  39:  EU:   41.02:   -28.97:    -2.0:  *TA1:\n    TA1,TB1;\n"
      "Svalbard:         40:  18:  EU:   78.00:   -16.00:    -1.0:  JW:\n    JW;\n"
      "Bear Island:      40:  18:  EU:   74.43:   -19.08:    -1.0:  *JW/b:\n    =JW0BEA;\n");
  EXPECT_EQ(file.resolve("TA1ABC")->prefix, "TA1");  // the same entity until numbers say otherwise
  const std::vector<std::string> unplaced = file.mergeWaeIntoDxcc(
      "TA,Asiatic Turkey,390,AS,20,39,39.18,-35.65,-2.0,TA TB;\r\n"
      "*TA1,European Turkey,390,EU,20,39,41.02,-28.97,-2.0,TA1 TB1;\r\n"
      "JW,Svalbard,259,EU,40,18,78.00,-16.00,-1.0,JW;\r\n");
  EXPECT_EQ(file.resolve("TB1ABC")->prefix, "TA");
  EXPECT_EQ(file.resolve("TB1ABC")->continent, "EU");
  EXPECT_EQ(file.resolve("TA3ABC")->continent, "AS");
  EXPECT_EQ(file.resolve("JW0BEA")->prefix, "JW/b");
  EXPECT_EQ(unplaced, std::vector<std::string>{"JW/b"});
}

}  // namespace
}  // namespace rdac
