#include "rdac/score/report_page.h"

#include <gtest/gtest.h>

#include <regex>

namespace rdac {
namespace {

// The value labels of one chart's axis, in the order drawn.
std::string axisLabels(const std::string& page, const std::string& chart) {
  const size_t from = page.find("<svg id=\"" + chart + "\"");
  const std::string svg = page.substr(from, page.find("</svg>", from) - from);
  static const std::regex label("text-anchor=\"end\">([0-9]+)</text>");
  std::string labels;
  for (std::sregex_iterator it(svg.begin(), svg.end(), label), end; it != end; ++it) labels += (*it)[1].str() + " ";
  return labels;
}

TEST(ReportPage, AxesOfAllZeroValuesReadWholeNumbersOnce) {
  ReportData data;
  data.originMinute = 60 * 24 * 42966;
  data.snapshots.assign(3, ResultNumbers{});
  EXPECT_EQ(axisLabels(reportPage(data), "points"), "0 1 2 ");  // not 0 0 0 0 1 1
}

}  // namespace
}  // namespace rdac
