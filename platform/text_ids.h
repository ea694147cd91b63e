#pragma once
// Small numbers for distinct texts, counting from 0 in the order they first came: the result
// counts bands, prefixes, continents and districts with arrays instead of comparing strings
// record by record, and the cross-check holds a contest's calls and exchanges once each, its
// QSOs holding numbers only.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/flat_string_map.h"

namespace stats {

class TextIds {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  uint32_t idOf(const std::string& text) {
    // Neighbouring records mostly repeat a band or continent: try the last answer first.
    if (last_ != kNone && texts_[last_] == text) return last_;
    uint32_t id = find(text);
    if (id == kNone) {
      id = static_cast<uint32_t>(texts_.size());
      texts_.push_back(text);
      ids_[text] = id;
    }
    return last_ = id;
  }
  uint32_t find(const std::string& text) const {
    const uint32_t* id = ids_.find(text);
    return id ? *id : kNone;
  }
  const std::string& text(uint32_t id) const { return texts_[id]; }
  size_t size() const { return texts_.size(); }
  void clear() {
    ids_.clear();
    texts_.clear();
    last_ = kNone;
  }

 private:
  FlatStringMap<uint32_t> ids_;
  std::vector<std::string> texts_;
  uint32_t last_ = kNone;
};

}  // namespace stats
