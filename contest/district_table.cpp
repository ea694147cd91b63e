#include "contest/district_table.h"

#include "platform/file_io.h"
#include "platform/file_path.h"
#include "platform/text.h"

namespace stats {

const char* const kDistrictFileName = ".\\Plugins\\rda_rus.dat";
const char* const kHintFileName = ".\\Plugins\\RDAC.hlp";

namespace {

std::string readDataFile(const std::string& name) {
  return readWholeFile(hostPath(name)).value_or(std::string());
}

}  // namespace

void DistrictTable::clear() {
  codes_.clear();
  index_.clear();
}

void DistrictTable::loadFromText(const std::string& bytes) {
  clear();
  // NUL bytes stay in their line: they end nothing there.
  for (const std::string& line : textLines(bytes)) {
    const size_t dash = line.find('-');
    if (dash == std::string::npos || dash == 0) continue;
    const std::string head = line.substr(0, 5);
    const std::string code = head.substr(0, 2) + head.substr(head.size() < 2 ? 0 : head.size() - 2);
    codes_.push_back(code);
    index_[code] = true;
  }
}

void DistrictTable::load(const std::string& path) { loadFromText(readDataFile(path)); }

int DistrictTable::IsKnownDistrict(const std::string& code) const {
  return index_.find(code) ? 1 : 0;
}

void StationHints::loadFromText(const std::string& bytes) {
  lines_ = textLines(bytes);
}

void StationHints::load(const std::string& path) { loadFromText(readDataFile(path)); }

}  // namespace stats
