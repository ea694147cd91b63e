#include "rdac/score/result_numbers.h"

#include <cstdlib>

#include "platform/text.h"
#include "rdac/io/text_lines.h"

namespace rdac {
namespace {

std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> out;
  for (size_t pos = 0;;) {
    const size_t tab = line.find('\t', pos);
    out.push_back(stats::trimmed(std::string_view(line).substr(pos, tab == std::string::npos ? tab : tab - pos)));
    if (tab == std::string::npos) return out;
    pos = tab + 1;
  }
}

int number(const std::vector<std::string>& row, size_t index) {
  return index < row.size() ? std::atoi(row[index].c_str()) : 0;
}

}  // namespace

int ResultNumbers::qsosOn(const std::string& band) const {
  for (const BandNumbers& b : bands)
    if (b.band == band) return b.qsos;
  return 0;
}

std::optional<ResultNumbers> readResultNumbers(const std::string& text) {
  ResultNumbers n;
  bool inTable = false, totalSeen = false;
  for (size_t pos = 0; pos < text.size();) {
    const std::string line(nextLine(text, pos));
    const std::vector<std::string> row = cells(line);
    if (!inTable) {
      if (row.size() > 2 && row[1] == "QSOs") {
        inTable = true;
        n.dxccColumn = line.find("\tDXCC\t") != std::string::npos;
      }
      continue;
    }
    const std::string& head = row[0];
    const size_t d = n.dxccColumn ? 1 : 0;  // the DXCC column shifts the rest by one
    if (head == "Total") {
      totalSeen = true;
      n.qsos = number(row, 1), n.points = number(row, 2);
      if (n.dxccColumn) n.dxcc = number(row, 3);
      n.rda = number(row, 3 + d), n.cw = number(row, 4 + d), n.ssb = number(row, 5 + d);
    } else if (head == "Dupe") {
      n.dupes = number(row, 1);
    } else if (head == "Bad QSO") {
      n.bad = number(row, 1);
    } else if (head.rfind("Score:", 0) == 0) {
      const size_t equals = head.rfind('=');
      if (equals != std::string::npos) n.score = std::atoll(head.c_str() + equals + 1);
    } else if (!totalSeen && !head.empty()) {
      BandNumbers b;
      b.band = head;
      b.qsos = number(row, 1), b.points = number(row, 2);
      if (n.dxccColumn) b.dxcc = number(row, 3);
      b.cw = number(row, 4 + d), b.ssb = number(row, 5 + d);
      n.bands.push_back(b);
    }
  }
  if (!totalSeen) return std::nullopt;
  return n;
}

}  // namespace rdac
