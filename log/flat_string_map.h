#pragma once
// A hash map from texts to small values, stored in one array with linear probing: a lookup in
// a map of 100,000 callsigns reads one or two neighbouring slots instead of a bucket and a
// separately allocated node. References stay valid until the next insertion.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace stats {

// A hash for short texts, inline: the maps hash a callsign or a prefix for every QSO of a
// reload, and the library's string hash is a call into the shared library. Words of eight
// bytes are mixed in, the rest byte by byte; the finish spreads every bit into the low bits
// that pick a slot.
inline size_t textHash(std::string_view text) {
  uint64_t h = 0x9E3779B97F4A7C15ull ^ text.size();
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word = 0;
    for (size_t b = 0; b < 8; ++b) word |= uint64_t{static_cast<unsigned char>(text[i + b])} << (8 * b);
    h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  uint64_t rest = 0;
  for (; i < text.size(); ++i) rest = rest << 8 | static_cast<unsigned char>(text[i]);
  h = (h ^ rest) * 0x94D049BB133111EBull;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 32;
  return static_cast<size_t>(h);
}

template <class Value>
class FlatStringMap {
 public:
  Value* find(const std::string& key) { return const_cast<Value*>(std::as_const(*this).find(key)); }
  const Value* find(const std::string& key) const {
    if (size_ == 0) return nullptr;
    const size_t hash = textHash(key);
    for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (!slot.used) return nullptr;
      if (slot.hash == hash && slot.key == key) return &slot.value;
    }
  }

  // The value of key, inserted as Value{} when missing.
  Value& operator[](const std::string& key) {
    if ((size_ + 1) * 2 > slots_.size()) grow();
    const size_t hash = textHash(key);
    size_t i = hash & mask_;
    for (; slots_[i].used; i = (i + 1) & mask_)
      if (slots_[i].hash == hash && slots_[i].key == key) return slots_[i].value;
    Slot& slot = slots_[i];
    slot.used = true;
    slot.hash = hash;
    slot.key = key;
    slot.value = Value{};
    ++size_;
    return slot.value;
  }

  void erase(const std::string& key) {
    if (size_ == 0) return;
    const size_t hash = textHash(key);
    size_t i = hash & mask_;
    for (;; i = (i + 1) & mask_) {
      if (!slots_[i].used) return;
      if (slots_[i].hash == hash && slots_[i].key == key) break;
    }
    // Backward shift: pull later members of the probe run into the hole, so lookups never
    // need tombstones.
    for (size_t j = (i + 1) & mask_; slots_[j].used; j = (j + 1) & mask_) {
      const size_t home = slots_[j].hash & mask_;
      const bool stays = i <= j ? (home > i && home <= j) : (home > i || home <= j);
      if (stays) continue;
      slots_[i] = std::move(slots_[j]);
      i = j;
    }
    slots_[i].used = false;
    --size_;
  }

  // Empties the map and keeps its capacity for the next fill.
  void clear() {
    for (Slot& slot : slots_) slot.used = false;
    size_ = 0;
  }
  size_t size() const { return size_; }

 private:
  struct Slot {
    size_t hash = 0;
    std::string key;
    Value value{};
    bool used = false;
  };

  void grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_ = std::vector<Slot>(old.empty() ? 64 : old.size() * 2);
    mask_ = slots_.size() - 1;
    for (Slot& slot : old) {
      if (!slot.used) continue;
      size_t i = slot.hash & mask_;
      while (slots_[i].used) i = (i + 1) & mask_;
      slots_[i] = std::move(slot);
    }
  }

  std::vector<Slot> slots_;
  size_t mask_ = 0;
  size_t size_ = 0;
};

}  // namespace stats
