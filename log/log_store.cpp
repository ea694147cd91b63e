#include "log/log_store.h"

#include <algorithm>
#include <stdexcept>

namespace stats {

bool sameContact(const CInfo& a, const CInfo& b) {
  return a.call == b.call && a.mode == b.mode && a.band == b.band && a.qsoTime == b.qsoTime;
}

const CInfo& LogStore::at(size_t index) const {
  if (index >= records_.size()) throw std::out_of_range("qsoLog index");
  return records_[index];
}

void LogStore::append(const CInfo& record) { records_.push_back(record); }

void LogStore::removeAt(size_t index) {
  if (index >= records_.size()) throw std::out_of_range("qsoLog index");
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
}

void LogStore::clear() {
  records_.clear();
  workedBands_.clear();
}

size_t LogStore::findContact(const CInfo& probe) const {
  for (size_t i = 0; i < records_.size(); ++i)
    if (sameContact(records_[i], probe)) return i;
  return npos;
}

bool LogStore::hasWorkedBand(const std::string& band) const {
  return std::find(workedBands_.begin(), workedBands_.end(), band) != workedBands_.end();
}

void LogStore::addWorkedBand(const std::string& band) {
  if (!hasWorkedBand(band)) workedBands_.push_back(band);
}

void LogStore::setWorkedBands(std::vector<std::string> bands) { workedBands_ = std::move(bands); }

}  // namespace stats
