#pragma once
// qsoLog, the records in the order AddData0 stored them, and workedBands, the band texts
// worked, each once, in order of first appearance.
#include <cstddef>
#include <string>
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

  // Index of the earliest record that sameContact() matches, or npos.
  size_t findContact(const CInfo& probe) const;
  static constexpr size_t npos = static_cast<size_t>(-1);

  const std::vector<std::string>& workedBands() const { return workedBands_; }
  bool hasWorkedBand(const std::string& band) const;  // exact, case-sensitive
  void addWorkedBand(const std::string& band);        // appended unless already there
  void setWorkedBands(std::vector<std::string> bands);
  void clearWorkedBands() { workedBands_.clear(); }

 private:
  std::vector<CInfo> records_;
  std::vector<std::string> workedBands_;
};

}  // namespace stats
