#include "tests/support/cabrillo_checker.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace stats::testing {
namespace {

const std::set<std::string> kFreeTags = {
    "START-OF-LOG", "END-OF-LOG", "CALLSIGN", "CONTEST", "CLAIMED-SCORE", "CLUB", "CREATED-BY",
    "EMAIL", "GRID-LOCATOR", "LOCATION", "NAME", "ADDRESS", "ADDRESS-CITY",
    "ADDRESS-STATE-PROVINCE", "ADDRESS-POSTALCODE", "ADDRESS-COUNTRY", "OPERATORS", "OFFTIME",
    "SOAPBOX", "CERTIFICATE", "CATEGORY-TIME", "CATEGORY-OVERLAY", "DEBUG"};

const std::map<std::string, std::set<std::string>> kCategoryValues = {
    {"CATEGORY-ASSISTED", {"ASSISTED", "NON-ASSISTED"}},
    {"CATEGORY-BAND",
     {"ALL", "160M", "80M", "40M", "20M", "15M", "10M", "6M", "4M", "2M", "222", "432", "902",
      "1.2G", "2.3G", "3.4G", "5.7G", "10G", "24G", "47G", "75G", "123G", "134G", "241G",
      "Light", "VHF-3-BAND", "VHF-FM-ONLY"}},
    {"CATEGORY-MODE", {"CW", "DIGI", "FM", "RTTY", "SSB", "MIXED"}},
    {"CATEGORY-OPERATOR", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
    {"CATEGORY-POWER", {"HIGH", "LOW", "QRP"}},
    {"CATEGORY-STATION",
     {"DISTRIBUTED", "FIXED", "MOBILE", "PORTABLE", "ROVER", "ROVER-LIMITED",
      "ROVER-UNLIMITED", "EXPEDITION", "HQ", "SCHOOL", "EXPLORER"}},
    {"CATEGORY-TRANSMITTER", {"ONE", "TWO", "LIMITED", "UNLIMITED", "SWL"}},
};

const std::set<std::string> kQsoModes = {"CW", "PH", "FM", "RY", "DG"};

bool allDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isDate(const std::string& text) {
  return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
         allDigits(text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2));
}

std::string qsoProblem(const std::string& fields) {
  std::istringstream in(fields);
  std::vector<std::string> columns;
  for (std::string column; in >> column;) columns.push_back(column);
  if (columns.size() != 10) return "QSO line has " + std::to_string(columns.size()) + " fields";
  if (!allDigits(columns[0])) return "QSO frequency " + columns[0];
  if (!kQsoModes.count(columns[1])) return "QSO mode " + columns[1];
  if (!isDate(columns[2])) return "QSO date " + columns[2];
  if (columns[3].size() != 4 || !allDigits(columns[3])) return "QSO time " + columns[3];
  return "";
}

std::string lineProblem(const std::string& line) {
  const size_t colon = line.find(':');
  if (colon == std::string::npos) return "no tag";
  const std::string tag = line.substr(0, colon);
  std::string value = line.substr(colon + 1);
  if (!value.empty() && value[0] != ' ') return "no blank after the tag";
  if (!value.empty()) value.erase(0, 1);
  if (tag == "QSO" || tag == "X-QSO") return qsoProblem(value);
  const auto category = kCategoryValues.find(tag);
  if (category != kCategoryValues.end())
    return category->second.count(value) ? "" : tag + " value '" + value + "'";
  return kFreeTags.count(tag) ? "" : "unknown tag " + tag;
}

}  // namespace

std::vector<std::string> cabrilloProblems(const std::string& file) {
  std::vector<std::string> problems;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < file.size()) {
    const size_t end = file.find("\r\n", start);
    if (end == std::string::npos) {
      problems.push_back("last line does not end in CR LF");
      lines.push_back(file.substr(start));
      break;
    }
    lines.push_back(file.substr(start, end - start));
    start = end + 2;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (line.find_first_of("\r\n") != std::string::npos) problems.push_back(where + "stray CR or LF");
    const std::string problem = lineProblem(line);
    if (!problem.empty()) problems.push_back(where + problem);
  }
  if (lines.empty() || lines.front() != "START-OF-LOG: 3.0") problems.push_back("does not start with START-OF-LOG: 3.0");
  if (lines.empty() || lines.back() != "END-OF-LOG:") problems.push_back("does not end with END-OF-LOG:");
  return problems;
}

}  // namespace stats::testing
