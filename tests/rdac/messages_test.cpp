#include "rdac/io/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace rdac {
namespace {

std::multiset<std::string> placeholders(const std::string& text) {
  static const std::regex placeholder(R"(\{[1-9]\})");
  std::multiset<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
    found.insert(it->str());
  return found;
}

// Each English text has one Russian partner that says something (non-ASCII, so not a copy of
// the English) and takes the same arguments.
TEST(Messages, EveryTextHasItsPartner) {
  std::set<std::string> seen;
  for (const Translation& t : messageCatalogue()) {
    const std::string english = t.english, russian = t.russian;
    EXPECT_TRUE(seen.insert(english).second) << "twice in the catalogue: " << english;
    EXPECT_FALSE(english.empty());
    EXPECT_TRUE(std::any_of(russian.begin(), russian.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        << "no Russian for: " << english;
    EXPECT_EQ(placeholders(english), placeholders(russian)) << english;
  }
}

// A text written tr("...") in rdac's sources is in the catalogue; a message not yet wrapped in
// tr() is said in English and is not looked for.
TEST(Messages, EveryTranslatedCallIsCatalogued) {
  std::set<std::string> catalogued;
  for (const Translation& t : messageCatalogue()) catalogued.insert(t.english);
  // tr("one" "piece" ...), adjacent literals joined as the compiler joins them.
  static const std::regex call(R"re(\btr\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)[,)])re");
  static const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re");
  size_t calls = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(RDAC_SOURCE_DIR)) {
    if (entry.path().extension() != ".cpp") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    for (auto it = std::sregex_iterator(source.begin(), source.end(), call); it != std::sregex_iterator(); ++it) {
      const std::string pieces = (*it)[1];
      std::string english;
      for (auto p = std::sregex_iterator(pieces.begin(), pieces.end(), literal); p != std::sregex_iterator(); ++p)
        english += std::regex_replace((*p)[1].str(), std::regex(R"(\\(.))"), "$1");
      ++calls;
      EXPECT_TRUE(catalogued.count(english)) << entry.path().filename() << ": not in the catalogue: " << english;
    }
  }
  EXPECT_GT(calls, 50u);
}

TEST(Messages, SpeaksTheChosenLanguageWithArgumentsInTheirPlaces) {
  setLanguage(Language::russian);
  EXPECT_EQ(tr("{1} ({2}) on {3} {4}: {5}", {"UA9ABC", "UA9", "20m", "CW", "x"}), "UA9ABC (UA9) на 20m CW: x");
  EXPECT_EQ(tr("a text not yet translated: {1}", {"x"}), "a text not yet translated: x");
  setLanguage(Language::english);
  EXPECT_EQ(tr("Written to {1}", {"C:\\Tarn\\Plugins\\rda_rus.dat"}), "Written to C:\\Tarn\\Plugins\\rda_rus.dat");
  EXPECT_EQ(languageNamed("ru_RU.UTF-8"), Language::russian);
  EXPECT_EQ(languageNamed("C.UTF-8"), Language::english);
  EXPECT_EQ(languageNamed(""), std::nullopt);
}

}  // namespace
}  // namespace rdac
