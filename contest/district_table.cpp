#include "contest/district_table.h"

#include "platform/file_io.h"
#include "platform/file_path.h"

namespace stats {

const char* const kDistrictFileName = ".\\Plugins\\rda_rus.dat";
const char* const kHintFileName = ".\\Plugins\\RDAC.hlp";

namespace {

// Lines end at LF, a CR before the LF going with it; a last line without LF counts too.
// Bytes stay as they are, NUL bytes included: they belong to their line and end nothing.
template <class Each>
void forEachLine(const std::string& bytes, Each each) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    const bool terminated = end != std::string::npos;
    if (!terminated) end = bytes.size();
    size_t length = end - start;
    if (terminated && length > 0 && bytes[end - 1] == '\r') --length;
    each(bytes.substr(start, length));
    start = end + 1;
  }
}

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
  forEachLine(bytes, [this](const std::string& line) {
    const size_t dash = line.find('-');
    if (dash == std::string::npos || dash == 0) return;
    const std::string head = line.substr(0, 5);
    const std::string code = head.substr(0, 2) + head.substr(head.size() < 2 ? 0 : head.size() - 2);
    codes_.push_back(code);
    index_.insert(code);
  });
}

void DistrictTable::load(const std::string& path) { loadFromText(readDataFile(path)); }

int DistrictTable::IsKnownDistrict(const std::string& code) const {
  return index_.count(code) ? 1 : 0;
}

void StationHints::loadFromText(const std::string& bytes) {
  lines_.clear();
  forEachLine(bytes, [this](const std::string& line) { lines_.push_back(line); });
}

void StationHints::load(const std::string& path) { loadFromText(readDataFile(path)); }

}  // namespace stats
