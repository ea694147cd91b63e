#include "log/log_store.h"

#include <algorithm>
#include <stdexcept>

namespace stats {
namespace {

std::string contactKey(const std::string& call, const std::string& band, const std::string& mode) {
  std::string key;
  key.reserve(call.size() + band.size() + mode.size() + 2);
  key.append(call).push_back('\0');
  key.append(band).push_back('\0');
  key.append(mode);
  return key;
}

std::string bandPrefixKey(const std::string& band, const std::string& prefix) {
  std::string key = band;
  key.push_back('\0');
  key.append(prefix);
  return key;
}

void eraseId(std::unordered_map<std::string, std::vector<uint64_t>>& index, const std::string& key,
             uint64_t id) {
  auto found = index.find(key);
  if (found == index.end()) return;
  auto& ids = found->second;
  ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
  if (ids.empty()) index.erase(found);
}

}  // namespace

bool sameContact(const CInfo& a, const CInfo& b) {
  return a.call == b.call && a.mode == b.mode && a.band == b.band && a.qsoTime == b.qsoTime;
}

const CInfo& LogStore::at(size_t index) const {
  if (index >= records_.size()) throw std::out_of_range("qsoLog index");
  return records_[index];
}

void LogStore::append(const CInfo& record) {
  const uint64_t id = nextId_++;
  records_.push_back(record);
  ids_.push_back(id);
  byContact_[contactKey(record.call, record.band, record.mode)].push_back(id);
  byCall_[record.call].push_back(id);
  ++bandPrefixCount_[bandPrefixKey(record.band, record.prefix)];
}

void LogStore::unindex(const CInfo& record, uint64_t id) {
  eraseId(byContact_, contactKey(record.call, record.band, record.mode), id);
  eraseId(byCall_, record.call, id);
  auto count = bandPrefixCount_.find(bandPrefixKey(record.band, record.prefix));
  if (count != bandPrefixCount_.end() && --count->second == 0) bandPrefixCount_.erase(count);
}

void LogStore::removeAt(size_t index) {
  if (index >= records_.size()) throw std::out_of_range("qsoLog index");
  unindex(records_[index], ids_[index]);
  records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
  ids_.erase(ids_.begin() + static_cast<std::ptrdiff_t>(index));
}

void LogStore::clear() {
  records_.clear();
  ids_.clear();
  byContact_.clear();
  byCall_.clear();
  bandPrefixCount_.clear();
  workedBands_.clear();
}

size_t LogStore::positionOf(uint64_t id) const {
  return static_cast<size_t>(std::lower_bound(ids_.begin(), ids_.end(), id) - ids_.begin());
}

bool LogStore::hasContact(const std::string& call, const std::string& band,
                          const std::string& mode) const {
  return byContact_.count(contactKey(call, band, mode)) != 0;
}

size_t LogStore::findContact(const CInfo& probe) const {
  auto found = byContact_.find(contactKey(probe.call, probe.band, probe.mode));
  if (found == byContact_.end()) return npos;
  for (uint64_t id : found->second) {
    const size_t position = positionOf(id);
    if (records_[position].qsoTime == probe.qsoTime) return position;
  }
  return npos;
}

void LogStore::forEachOfCall(const std::string& call,
                             const std::function<void(const CInfo&)>& visit) const {
  auto found = byCall_.find(call);
  if (found == byCall_.end()) return;
  for (uint64_t id : found->second) visit(records_[positionOf(id)]);
}

bool LogStore::hasBandPrefix(const std::string& band, const std::string& prefix) const {
  return bandPrefixCount_.count(bandPrefixKey(band, prefix)) != 0;
}

bool LogStore::hasWorkedBand(const std::string& band) const {
  return std::find(workedBands_.begin(), workedBands_.end(), band) != workedBands_.end();
}

void LogStore::addWorkedBand(const std::string& band) {
  if (!hasWorkedBand(band)) workedBands_.push_back(band);
}

void LogStore::setWorkedBands(std::vector<std::string> bands) { workedBands_ = std::move(bands); }

}  // namespace stats
