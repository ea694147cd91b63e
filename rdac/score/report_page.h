#pragma once
// The contest report as one self-contained HTML page: inline CSS and SVG, no script, nothing
// fetched, readable in any browser and without one.
#include <string>
#include <string_view>

#include "rdac/score/contest_report.h"

namespace rdac {

std::string reportPage(const ReportData& data);

// `text` safe inside an element or a quoted attribute of a page.
std::string htmlEscaped(std::string_view text);

}  // namespace rdac
