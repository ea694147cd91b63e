// What a committee publishes: results.csv ranked by category and area, and the --report pages.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>

#include "platform/edited_text.h"
#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"
#include "tests/support/scratch_dir.h"

namespace rdac::testing {
namespace {

std::string qso(const std::string& time, const std::string& own, const std::string& sent, const std::string& call,
                const std::string& received) {
  return "QSO: 14025 CW 2017-08-19 " + time + " " + own + " 599 " + sent + " " + call + " 599 " + received + "\r\n";
}

std::string cabrillo(const std::string& call, const std::string& header, const std::string& qsos) {
  return "START-OF-LOG: 3.0\r\nCALLSIGN: " + call + "\r\n" + header + qsos + "END-OF-LOG:\r\n";
}

// RA3AAA (MA-03), RA4BBB (TA-04), RA9CCC (SV-12) and RA3DDD (MA-03) work each other; RA3AAA
// copies RA4BBB's exchange as hostile bytes, and its header's overlay holds markup and a
// Windows-1251 word.
class CommitteeResults : public ::testing::Test {
 protected:
  stats::testing::ScratchDir dir;

  void SetUp() override {
    dir.write("districts.dat", std::string(kDistricts));
    dir.write("logs/RA3AAA.log",
              cabrillo("RA3AAA",
                       "CATEGORY-POWER: low\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-MODE: CW\r\n"
                       "CATEGORY-OVERLAY: <script>x</script>\xcc\xce\xd1\r\n",
                       qso("1200", "RA3AAA", "MA-03", "RA4BBB", "<b>&\xc0'") +
                           qso("1201", "RA3AAA", "MA-03", "RA9CCC", "SV-12") +
                           qso("1203", "RA3AAA", "MA-03", "RA3DDD", "MA-03")));
    dir.write("logs/RA4BBB.log", cabrillo("RA4BBB", "CATEGORY: single-op  all low\r\n",
                                          qso("1200", "RA4BBB", "TA-04", "RA3AAA", "MA-03") +
                                              qso("1202", "RA4BBB", "TA-04", "RA9CCC", "SV-12")));
    dir.write("logs/RA9CCC.log", cabrillo("RA9CCC", "", qso("1201", "RA9CCC", "SV-12", "RA3AAA", "MA-03") +
                                                            qso("1202", "RA9CCC", "SV-12", "RA4BBB", "TA-04")));
    dir.write("logs/RA3DDD.log", cabrillo("RA3DDD", "", qso("1203", "RA3DDD", "MA-03", "RA3AAA", "MA-03")));
    // The committee's file, saved as UTF-16 by its editor.
    dir.write("categories.txt",
              stats::fileOfUtf8("# call, category\r\nra9ccc/p  single-op cw low  # moved\r\nRA3DDD\r\nUA1ZZZ MULTI-OP\r\n",
                                stats::TextEncoding::utf16Le));
  }
};

std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> out(1);
  for (char c : line) {
    if (c == ',') out.emplace_back();
    else out.back().push_back(c);
  }
  return out;
}

TEST_F(CommitteeResults, CategoriesComeFromHeadersAndTheCommitteesFileAndPlacesFromTheCheckedScore) {
  const RdacRun run = runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "out", "--categories",
                               "categories.txt"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("categories.txt:3: a call without a category: skipped"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("gives UA1ZZZ a category, but no log of it was checked"), std::string::npos) << run.err;
  std::map<std::string, std::vector<std::string>> rows;
  const std::string results = fileText(dir.file("out/results.csv"));
  ASSERT_EQ(results.substr(0, results.find('\n')),
            "call,claimed_score,checked_score,qsos_claimed,qsos_checked,error_rate,category,area,category_place,"
            "area_place");
  for (size_t at = results.find('\n') + 1; at < results.size(); at = results.find('\n', at) + 1) {
    const std::vector<std::string> row = cells(results.substr(at, results.find('\n', at) - at));
    rows[row[0]] = row;
  }
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows["RA3AAA"][6], "SINGLE-OP CW LOW <SCRIPT>X</SCRIPT>МОС");  // the reader's UTF-8
  EXPECT_EQ(rows["RA4BBB"][6], "SINGLE-OP ALL LOW");
  EXPECT_EQ(rows["RA9CCC"][6], "SINGLE-OP CW LOW");
  EXPECT_EQ(rows["RA3DDD"][6], "");
  EXPECT_EQ(rows["RA3AAA"][7], "MA");
  EXPECT_EQ(rows["RA9CCC"][7], "SV");
  for (const char* alone : {"RA4BBB", "RA3DDD", "RA9CCC"}) EXPECT_EQ(rows[alone][8] + rows[alone][9], "11") << alone;
}

// Every link leads to a page that exists, every page is UTF-8 in both languages, and nothing
// from a log is markup.
TEST_F(CommitteeResults, ThePagesLinkUpAndEscapeWhatTheLogsHold) {
  const RdacRun run = runRdac({"crosscheck", "logs", "--districts", "districts.dat", "--out", "out", "--report",
                               "pages"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Pages in pages: index.html (Russian), index-en.html (English)"), std::string::npos) << run.out;
  namespace fs = std::filesystem;
  size_t pages = 0;
  const std::regex link("href=\"([^\"#]*)(#[^\"]*)?\"");
  for (const auto& entry : fs::recursive_directory_iterator(dir.file("pages"))) {
    if (!entry.is_regular_file()) continue;
    ++pages;
    const std::string page = fileText(entry.path().string());
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(stats::looksLikeUtf8(page)) << name;
    EXPECT_EQ(page.find("<SCRIPT>"), std::string::npos) << name;
    const bool english = name.find("-en.html") != std::string::npos;
    EXPECT_NE(page.find(english ? "<html lang=\"en\">" : "<html lang=\"ru\">"), std::string::npos) << name;
    for (auto m = std::sregex_iterator(page.begin(), page.end(), link); m != std::sregex_iterator(); ++m) {
      const std::string target = (*m)[1];
      const std::string anchor = (*m)[2];
      if (!target.empty()) {
        EXPECT_TRUE(fs::exists(entry.path().parent_path() / target)) << name << " -> " << target;
      } else if (!anchor.empty()) {
        EXPECT_NE(page.find("id=\"" + anchor.substr(1) + "\""), std::string::npos) << name << " -> " << anchor;
      }
    }
  }
  EXPECT_EQ(pages, 2u + 2 * 4);
  const std::string index = fileText(dir.file("pages/index.html"));
  EXPECT_NE(index.find("&lt;SCRIPT&gt;X&lt;/SCRIPT&gt;\xd0\x9c\xd0\x9e\xd0\xa1"), std::string::npos);
  EXPECT_NE(index.find("Без категории"), std::string::npos);
  EXPECT_NE(index.find("<a href=\"log/RA3AAA.html\">RA3AAA</a>"), std::string::npos);
  // RA3AAA's copy of RA4BBB's exchange, escaped on its page in both languages; the slip cost
  // RA4BBB its QSO, which the index counts against RA3AAA.
  const std::string own = fileText(dir.file("pages/log/RA3AAA-en.html"));
  EXPECT_NE(own.find("received &lt;b&gt;&amp;\xd0\x90&#39;, RA4BBB sent TA-04"), std::string::npos) << own;
  EXPECT_NE(fileText(dir.file("pages/log/RA3AAA.html")).find("принято &lt;b&gt;&amp;"), std::string::npos);
  const std::string costliest = index.substr(index.find("Чьи ошибки стоили"));
  EXPECT_NE(costliest.find("RA3AAA</a></td><td class=\"n\">1</td>"), std::string::npos) << costliest;
}

TEST_F(CommitteeResults, ASecondRunRewritesOnlyThePagesAndUbnFilesWhoseTextIsNotWhatItWouldBe) {
  namespace fs = std::filesystem;
  const std::vector<std::string> args{"crosscheck", "logs", "--districts", "districts.dat", "--out", "out", "--report",
                                      "pages"};
  ASSERT_EQ(runRdac(args).exitCode, 0);
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir.file("pages")))
    if (entry.is_regular_file()) files.push_back(entry.path());
  for (const auto& entry : fs::directory_iterator(dir.file("out")))
    if (entry.is_regular_file()) files.push_back(entry.path());
  for (const fs::path& file : files) fs::last_write_time(file, old);
  const std::string page = fileText(dir.file("pages/log/RA4BBB.html"));
  dir.write("pages/log/RA4BBB.html", std::string(page.size(), 'x'));  // same size, other bytes
  dir.write("out/RA9CCC.ubn", "stale");
  ASSERT_EQ(runRdac(args).exitCode, 0);
  for (const fs::path& file : files) {
    const std::string name = file.filename().string();
    const bool rewritten = name == "RA4BBB.html" || name == "RA9CCC.ubn" || name.find(".csv") != std::string::npos;
    EXPECT_EQ(fs::last_write_time(file) == old, !rewritten) << name;
  }
  EXPECT_EQ(fileText(dir.file("pages/log/RA4BBB.html")), page);
  EXPECT_EQ(fileText(dir.file("out/RA9CCC.ubn")).rfind("Cross-check of RA9CCC", 0), 0u);
}

}  // namespace
}  // namespace rdac::testing
