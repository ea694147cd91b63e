#pragma once
// qsoLog, the records in the order AddData0 stored them, and workedBands, the band texts
// worked, each once, in order of first appearance. Indexes keep the lookups the intake, the
// callsign check and removal make independent of the log's length.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "log/cinfo.h"

namespace stats {

class LogStore {
 public:
  size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  const CInfo& at(size_t index) const;  // throws std::out_of_range past the end
  const std::vector<CInfo>& records() const { return records_; }

  void append(const CInfo& record);
  void removeAt(size_t index);  // later records move down by one
  void clear();                 // records and worked bands

  // Whether some record has this call, band and mode (each exact): the dupe test.
  bool hasContact(const std::string& call, const std::string& band, const std::string& mode) const;
  // Index of the earliest record that sameContact() matches, or npos.
  size_t findContact(const CInfo& probe) const;
  static constexpr size_t npos = static_cast<size_t>(-1);
  // The records of one call, in log order.
  void forEachOfCall(const std::string& call, const std::function<void(const CInfo&)>& visit) const;
  // Whether some record on this band has this (stored, folded) prefix.
  bool hasBandPrefix(const std::string& band, const std::string& prefix) const;

  const std::vector<std::string>& workedBands() const { return workedBands_; }
  bool hasWorkedBand(const std::string& band) const;  // exact, case-sensitive
  void addWorkedBand(const std::string& band);        // appended unless already there
  void setWorkedBands(std::vector<std::string> bands);
  void clearWorkedBands() { workedBands_.clear(); }

 private:
  using Ids = std::vector<uint64_t>;  // ascending, that is in log order
  size_t positionOf(uint64_t id) const;
  void unindex(const CInfo& record, uint64_t id);

  std::vector<CInfo> records_;
  Ids ids_;  // ids_[i] belongs to records_[i]; ascending
  uint64_t nextId_ = 0;
  std::unordered_map<std::string, Ids> byContact_;  // call, band, mode
  std::unordered_map<std::string, Ids> byCall_;
  std::unordered_map<std::string, size_t> bandPrefixCount_;  // band, prefix
  std::vector<std::string> workedBands_;
};

}  // namespace stats
