#include "rdac/logs/district_list.h"

#include "platform/edited_text.h"
#include "platform/text.h"
#include "rdac/io/text_lines.h"

namespace rdac {
namespace {

bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// "XX-NN" and a tab.
bool isDistrictLine(std::string_view line) {
  return line.size() > 5 && isUpperLetter(line[0]) && isUpperLetter(line[1]) && line[2] == '-' &&
         stats::isAsciiDigit(line[3]) && stats::isAsciiDigit(line[4]) && line[5] == '\t';
}

// A tab, then somewhere the region's code in brackets: "(MA)".
bool isRegionHeading(std::string_view line) {
  if (line.empty() || line[0] != '\t') return false;
  for (size_t at = line.find('('); at != std::string_view::npos; at = line.find('(', at + 1))
    if (at + 3 < line.size() && isUpperLetter(line[at + 1]) && isUpperLetter(line[at + 2]) && line[at + 3] == ')')
      return true;
  return false;
}

bool isDeleted(std::string_view districtLine) {
  std::string_view name = districtLine.substr(6);
  name = name.substr(0, name.find('\t'));
  const std::string word = stats::trimmed(name).substr(0, 7);
  return stats::equalsNoCase(word, "deleted");
}

}  // namespace

std::optional<DistrictTableText> fromPublisherLayout(std::string_view saved) {
  const std::string decoded = stats::windows1251OfEditedFile(saved);  // as the plug-in reads it
  const std::string_view list = decoded;
  DistrictTableText table;
  bool headings = false;
  for (size_t pos = 0; pos < list.size();) {
    const std::string_view line = nextLine(list, pos);
    headings = headings || isRegionHeading(line);
    if (!isDistrictLine(line)) continue;
    ++table.codes;
    if (isDeleted(line)) {
      ++table.deleted;
      continue;
    }
    table.text.append(line.substr(0, 5)).append("\r\n");
  }
  if (!headings || table.codes == 0) return std::nullopt;
  return table;
}

}  // namespace rdac
