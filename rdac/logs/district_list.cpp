#include "rdac/logs/district_list.h"

#include "platform/edited_text.h"
#include "platform/text.h"
#include "rdac/io/messages.h"

namespace rdac {
namespace {

bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }
// A list copied from a web page has runs of spaces where the publisher put tabs.
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view withoutLeadingBlanks(std::string_view line) {
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  return line;
}

bool startsWithCode(std::string_view line) {
  return line.size() >= 5 && isUpperLetter(line[0]) && isUpperLetter(line[1]) && line[2] == '-' &&
         stats::isAsciiDigit(line[3]) && stats::isAsciiDigit(line[4]);
}

// "XX-NN", blanks, the district's name.
bool isDistrictLine(std::string_view line) {
  line = withoutLeadingBlanks(line);
  return startsWithCode(line) && line.size() > 5 && isBlank(line[5]);
}

// Not a district, and somewhere the region's code in brackets: "(MA)".
bool isRegionHeading(std::string_view line) {
  if (startsWithCode(withoutLeadingBlanks(line))) return false;
  for (size_t at = line.find('('); at != std::string_view::npos; at = line.find('(', at + 1))
    if (at + 3 < line.size() && isUpperLetter(line[at + 1]) && isUpperLetter(line[at + 2]) && line[at + 3] == ')')
      return true;
  return false;
}

// "XX-NN deleted 01.01.2012 XX-MM": whatever the layout, that code is no district any more.
bool isDeleted(std::string_view codeLine) {
  const std::string_view rest = withoutLeadingBlanks(codeLine.substr(5));
  return stats::equalsNoCase(rest.substr(0, 7), "deleted");
}

bool isPublisherList(const std::vector<std::string>& lines) {
  bool headings = false, districts = false;
  for (const std::string& line : lines) {
    headings = headings || isRegionHeading(line);
    districts = districts || isDistrictLine(line);
  }
  return headings && districts;
}

}  // namespace

DistrictTableText districtTableOf(std::string_view saved) {
  // Decoded as the plug-in decodes the table, so both agree on every code.
  const std::vector<std::string> lines = stats::editedTextLines(stats::windows1251OfEditedFile(saved));
  DistrictTableText table;
  table.publisherList = isPublisherList(lines);
  for (const std::string& line : lines) {
    const std::string_view code = withoutLeadingBlanks(line);
    if (table.publisherList ? !isDistrictLine(code) : !startsWithCode(code)) continue;
    if (isDeleted(code)) {
      ++table.deleted;
      continue;
    }
    table.text.append(code, 0, 5).append("\r\n");
    ++table.written;
  }
  return table;
}

std::string districtTableNote(const DistrictTableText& table, const std::string& name) {
  if (table.written == 0)
    return tr(table.publisherList ? "no RDA district code in {1}: every district of the list is marked deleted"
                                  : "no RDA district code in {1}: it is neither the publisher's district list (region "
                                    "headings, then 'XX-NN<TAB>name' lines) nor a table of one code a line ('MA-03')",
              {name});
  const std::string written = std::to_string(table.written), deleted = std::to_string(table.deleted);
  if (table.publisherList)
    return tr("publisher's district list {1}: {2} current district code(s) written, {3} deleted one(s) left out",
              {name, written, deleted});
  return table.deleted > 0
             ? tr("district table {1}: {2} current district code(s) written, {3} deleted one(s) left out",
                  {name, written, deleted})
             : tr("district table {1}: {2} current district code(s) written", {name, written});
}

}  // namespace rdac
