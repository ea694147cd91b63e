#pragma once
// A hash map from texts to small values: an index of 8-byte slots with linear probing over a
// dense array of the entries. The index of 100,000 callsigns is a megabyte, a twelfth of slots
// that hold their keys; a lookup reads an entry only where a slot's hash matches, and a new key
// none at all (entries are appended). References stay valid until the next insertion or erasure.
#include <algorithm>
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
    for (size_t b = 0; b < 8; ++b)
      word |= uint64_t{static_cast<unsigned char>(text[i + b])} << (8 * b);
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
    if (entries_.empty()) return nullptr;
    const uint32_t hash = hash32(key);
    for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (slot.entry == 0) return nullptr;
      const Entry& entry = entries_[slot.entry - 1];
      if (slot.hash == hash && entry.key == key) return &entry.value;
    }
  }

  // Lookups in a map of 100,000 keys rarely find the index slot or the entry in the cache.
  // A caller with other work to do first starts fetching them: the slot, then, once the slot
  // has arrived, the entry it names. Always inlined: GCC takes a function that only
  // prefetches for one without effect and drops calls to it.
  __attribute__((always_inline)) void prefetchSlot(std::string_view key) const {
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash32(key) & mask_]);
  }
  __attribute__((always_inline)) void prefetchEntry(std::string_view key) const {
    if (entries_.empty()) return;
    const uint32_t hash = hash32(key);
    for (size_t i = hash & mask_; slots_[i].entry != 0; i = (i + 1) & mask_) {
      if (slots_[i].hash != hash) continue;
      __builtin_prefetch(&entries_[slots_[i].entry - 1]);
      return;
    }
  }

  // The value of key, inserted as Value{} when missing.
  Value& operator[](const std::string& key) {
    if ((entries_.size() + 1) * 2 > slots_.size()) grow();
    const uint32_t hash = hash32(key);
    size_t i = hash & mask_;
    for (; slots_[i].entry != 0; i = (i + 1) & mask_)
      if (slots_[i].hash == hash && entries_[slots_[i].entry - 1].key == key)
        return entries_[slots_[i].entry - 1].value;
    entries_.push_back({key, Value{}});
    slots_[i] = {hash, static_cast<uint32_t>(entries_.size())};
    return entries_.back().value;
  }

  void erase(const std::string& key) {
    if (entries_.empty()) return;
    const uint32_t hash = hash32(key);
    size_t i = hash & mask_;
    for (;; i = (i + 1) & mask_) {
      if (slots_[i].entry == 0) return;
      if (slots_[i].hash == hash && entries_[slots_[i].entry - 1].key == key) break;
    }
    // The last entry moves into the hole, so the entries stay dense.
    const uint32_t hole = slots_[i].entry;
    if (hole != entries_.size()) {
      slotOf(static_cast<uint32_t>(entries_.size())).entry = hole;
      entries_[hole - 1] = std::move(entries_.back());
    }
    entries_.pop_back();
    // Backward shift: pull later members of the probe run into the freed slot, so lookups
    // never need tombstones.
    for (size_t j = (i + 1) & mask_; slots_[j].entry != 0; j = (j + 1) & mask_) {
      const size_t home = slots_[j].hash & mask_;
      const bool stays = i <= j ? (home > i && home <= j) : (home > i || home <= j);
      if (stays) continue;
      slots_[i] = slots_[j];
      i = j;
    }
    slots_[i] = Slot{};
  }

  // Empties the map and keeps its capacity for the next fill.
  void clear() {
    std::fill(slots_.begin(), slots_.end(), Slot{});
    entries_.clear();
  }
  size_t size() const { return entries_.size(); }

 private:
  struct Slot {
    uint32_t hash = 0;   // the key's hash; its low bits are the slot it belongs in
    uint32_t entry = 0;  // index in entries_ plus one; 0 for a free slot
  };
  struct Entry {
    std::string key;
    Value value;
  };

  static uint32_t hash32(std::string_view key) { return static_cast<uint32_t>(textHash(key)); }

  Slot& slotOf(uint32_t entry) {
    size_t i = hash32(entries_[entry - 1].key) & mask_;
    while (slots_[i].entry != entry) i = (i + 1) & mask_;
    return slots_[i];
  }

  void grow() {
    slots_.assign(slots_.empty() ? 64 : slots_.size() * 2, Slot{});
    mask_ = slots_.size() - 1;
    for (uint32_t entry = 1; entry <= entries_.size(); ++entry) {
      const uint32_t hash = hash32(entries_[entry - 1].key);
      size_t i = hash & mask_;
      while (slots_[i].entry != 0) i = (i + 1) & mask_;
      slots_[i] = {hash, entry};
    }
  }

  std::vector<Slot> slots_;
  std::vector<Entry> entries_;
  size_t mask_ = 0;
};

}  // namespace stats
