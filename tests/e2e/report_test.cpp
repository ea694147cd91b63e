// The contest report page: what it shows of the plug-in's answers, and what a browser draws.
#include <gtest/gtest.h>

#include "platform/edited_text.h"
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <regex>

#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"

namespace rdac::testing {
namespace {

// The small log and two QSOs in the next hour: UA9XYZ on 20m, and a maritime mobile the
// country file places nowhere.
const std::string kTwoHourLog = std::string(kRussianLog) +
    "<CALL:6>UA9XYZ<QSO_DATE:8>20170819<TIME_ON:4>1310<BAND:3>20m<MODE:2>CW<RST_SENT:3>599<RST_RCVD:3>599"
    "<STX_STRING:5>MA-03<SRX_STRING:5>TA-04<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n"
    "<CALL:10>I/DL6SP/MM<QSO_DATE:8>20170819<TIME_ON:4>1312<BAND:3>20m<MODE:2>CW<RST_SENT:3>599"
    "<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX:3>007<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n";

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class Report : public SmallLogTest {
 protected:
  void SetUp() override {
    SmallLogTest::SetUp();
    dir.write("log.adi", kTwoHourLog);
  }
  // The report of `log` scored, or "" when the run failed.
  std::string reportOf(const std::string& log) {
    dir.write("log.adi", log);
    const RdacRun run = runRdac({"score", "log.adi", "--districts", "districts.dat", "--report", "report.html"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.exitCode == 0 ? dir.read("report.html") : "";
  }
};

TEST_F(Report, ShowsWhatThePluginAnsweredWithoutChangingItsResult) {
  const RdacRun plain = runRdac({"score", "log.adi", "--districts", "districts.dat"});
  const RdacRun run = runRdac({"score", "log.adi", "--districts", "districts.dat", "--report", "report.html"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const size_t end = plain.out.find("Created by RDAC (C)\n");
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(run.out.substr(0, end), plain.out.substr(0, end));  // checks before each QSO leave it as it was
  const std::string page = dir.read("report.html");
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("http-equiv=\"refresh\""), std::string::npos);
  // Hour 12: 20m, 80m and 40m; hour 13: 20m.
  EXPECT_EQ(count(page, "<rect class=\"bar\""), 4u);
  EXPECT_NE(page.find("Score: 17*(5+3) = 136"), std::string::npos);
  // The check said: UA0ABC again a dupe; the first QSO of each country on a band a new multiplier.
  EXPECT_NE(page.find("<tr><th>total</th><th>5</th><th>1</th><th>1</th><th>1</th></tr>"), std::string::npos) << page;
  EXPECT_NE(page.find("<li>1200 20m CW UA0ABC SV-12</li><li>1201 20m CW DL1ABC 001</li>"), std::string::npos);
  // The multipliers as the result counts them (5+3), each kind apart.
  EXPECT_NE(page.find("<h3>DXCC (5)</h3>"), std::string::npos);
  EXPECT_NE(page.find("<h3>RDA (3)</h3>"), std::string::npos);
  for (const char* group : {"<h3>DUPE !!! (1)</h3>", "<h3>Russland District Area Code is not acceptable !!! (1)</h3>",
                            "<h3>WRONG BAND !!! (1)</h3>"})
    EXPECT_NE(page.find(group), std::string::npos) << group;
  EXPECT_NE(page.find("<tr><td>I/DL6SP/MM</td><td>2017-08-19 1312</td><td>20m</td><td>22</td><td>no country in cty.dat</td></tr>"),
            std::string::npos);
}

TEST_F(Report, ListsOnlyTheNewMultipliersThatCounted) {
  // The check calls UA9ZZZ a new multiplier on 15m; the plug-in then refuses its district.
  const std::string page = reportOf(std::string(kRussianLog) +
      "<CALL:6>UA9ZZZ<QSO_DATE:8>20170819<TIME_ON:4>1207<BAND:3>15m<MODE:2>CW<RST_SENT:3>599"
      "<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX_STRING:5>ZZ-99<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n");
  EXPECT_NE(page.find("<tr><td>15m</td><td>1</td>"), std::string::npos);  // what the check said
  EXPECT_EQ(page.find("UA9ZZZ ZZ-99</li>"), std::string::npos);
  EXPECT_NE(page.find("<h3>DXCC (4)</h3>"), std::string::npos);
}

TEST_F(Report, CoversTheWholeLogHoweverFarApartItsQsosAre) {
  // A QSO a year before the others: the tables still add up to the result.
  const std::string page = reportOf(kTwoHourLog +
      "<CALL:6>DL2ABC<QSO_DATE:8>20160819<TIME_ON:4>1200<BAND:3>15m<MODE:2>CW<RST_SENT:3>599"
      "<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX:3>002<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n");
  EXPECT_NE(page.find("cover the whole log, from 19.08.2016 12:00 to "), std::string::npos);
  std::smatch total, all;
  ASSERT_TRUE(std::regex_search(page, total, std::regex("<tr><th>total</th><th>[0-9]+</th><th>[0-9]+</th><th>([0-9]+)</th>")));
  ASSERT_TRUE(std::regex_search(page, all, std::regex("<th>([0-9]+)</th></tr></table></div><h2>New multipliers")));
  EXPECT_EQ(total[1].str(), "6");
  EXPECT_EQ(all[1].str(), total[1].str());
}

// The report loaded into a frame of a page that counts what the browser laid out.
const char kHarness[] = R"(<!DOCTYPE html><html><body><pre id="out">not loaded</pre>
<iframe id="r" src="report.html" width="1100" height="900"></iframe>
<script>
document.getElementById('r').addEventListener('load', function () {
  var d = this.contentDocument, shown = 0;
  d.querySelectorAll('svg#rate rect.bar').forEach(function (b) {
    var r = b.getBoundingClientRect(); if (r.width > 0 && r.height > 0) shown++; });
  document.getElementById('out').textContent = 'bars=' + shown +
    ' lines=' + d.querySelectorAll('svg#points polyline, svg#multipliers polyline').length +
    ' peaks=' + d.querySelectorAll('svg#rate line.peak10, svg#rate line.peak60').length +
    ' requests=' + this.contentWindow.performance.getEntriesByType('resource').length +
    ' references=' + d.querySelectorAll('[src], [href], link, script, img, iframe, object, embed').length;
});
</script></body></html>)";

TEST_F(Report, ABrowserDrawsTheBarsAndLinesAndFetchesNothing) {
  if (system("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "no chromium (scripts/setup.sh installs it)";
  ASSERT_EQ(runRdac({"score", "log.adi", "--districts", "districts.dat", "--report", "report.html"}).exitCode, 0);
  dir.write("harness.html", kHarness);
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  const std::string here = cwd;
  const std::string command =
      "timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-background-networking "
      "--disable-component-update --disable-sync --no-first-run --user-data-dir='" + here + "/profile' "
      "--allow-file-access-from-files --dump-dom 'file://" + here + "/harness.html' 2>/dev/null";
  FILE* browser = popen(command.c_str(), "r");
  ASSERT_NE(browser, nullptr);
  std::string dom;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, browser)) > 0;) dom.append(buffer, n);
  pclose(browser);
  std::smatch shown;
  ASSERT_TRUE(std::regex_search(dom, shown, std::regex("<pre id=\"out\">([^<]*)</pre>"))) << dom;
  EXPECT_EQ(shown[1], "bars=4 lines=3 peaks=2 requests=0 references=0");
}

// The plug-in's bad-QSO line names the district in Windows-1251; the page holds UTF-8 and says so.
TEST_F(Report, DeclaresTheEncodingItsBytesHave) {
  const std::string page = reportOf("<EOH>\r\n<CALL:6>UA9ABC<QSO_DATE:8>20170819<TIME_ON:4>1200<BAND:3>20m<MODE:2>CW"
                                    "<STX_STRING:5>MA-03<SRX_STRING:7>\xD0\xA1\xD0\x9F-04<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n");
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(page.find("\xD0\xA1\xD0\x9F-04"), std::string::npos) << page;
  EXPECT_TRUE(stats::looksLikeUtf8(page));
}

}  // namespace
}  // namespace rdac::testing
