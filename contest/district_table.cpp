#include "contest/district_table.h"

#include "platform/edited_text.h"
#include "platform/file_io.h"

namespace stats {

const char* const kDistrictFileName = ".\\Plugins\\rda_rus.dat";
const char* const kHintFileName = ".\\Plugins\\RDAC.hlp";

namespace {

std::string readDataFile(const FilePath& path) {
  return readWholeFile(path).value_or(std::string());
}

// Whatever encoding and line ends the editor saved: the lines in Windows-1251, as the
// district codes and the hint's callsigns reach the windows and the host.
std::vector<std::string> linesOf(const std::string& bytes) {
  return editedTextLines(windows1251OfEditedFile(bytes));
}

}  // namespace

void DistrictTable::clear() {
  codes_.clear();
  index_.clear();
  loadedBytes_.clear();
}

void DistrictTable::loadFromText(const std::string& bytes) {
  clear();
  loadedBytes_ = bytes;
  // NUL bytes stay in their line: they end nothing there.
  for (const std::string& line : linesOf(bytes)) {
    const size_t dash = line.find('-');
    if (dash == std::string::npos || dash == 0) continue;
    const std::string head = line.substr(0, 5);
    const std::string code = head.substr(0, 2) + head.substr(head.size() < 2 ? 0 : head.size() - 2);
    codes_.push_back(code);
    index_[code] = true;
  }
}

void DistrictTable::load(const FilePath& path) {
  const std::string bytes = readDataFile(path);
  // Equal bytes parse to equal codes; empty ones to none, whatever was loaded before.
  if (bytes.empty() || bytes != loadedBytes_) loadFromText(bytes);
}

int DistrictTable::IsKnownDistrict(const std::string& code) const {
  return index_.find(code) ? 1 : 0;
}

void StationHints::loadFromText(const std::string& bytes) {
  lines_ = linesOf(bytes);
}

void StationHints::load(const FilePath& path) { loadFromText(readDataFile(path)); }

}  // namespace stats
