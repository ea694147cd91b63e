#pragma once
// qsoLog, the records in the order AddData0 stored them, and workedBands, the band texts
// worked, each once, in order of first appearance. The store is indexed so that intake, the
// callsign check and removal cost the same with 100,000 records as with 10.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "log/cinfo.h"
#include "platform/flat_string_map.h"
#include "platform/text_ids.h"

namespace stats {

// What the result needs of one record, kept beside the log in log order: small and free of
// strings, so scoring 100,000 records walks a few megabytes instead of the records themselves.
struct ScoreKey {
  enum Flag : uint8_t { kCallPresent = 1, kCounted = 2, kDupe = 4, kCw = 8, kSsb = 16, kPortable = 32 };
  double time;          // qsoTime's day count
  uint32_t band;        // LogStore::bandIds()
  uint32_t prefix;      // LogStore::prefixIds()
  uint32_t continent;   // LogStore::continentIds()
  uint32_t district;    // LogStore::districtIds(); TextIds::kNone when empty
  uint8_t flags;
};

class LogStore {
 public:
  size_t size() const { return order_.size(); }
  bool empty() const { return order_.empty(); }
  const CInfo& at(size_t index) const;  // throws std::out_of_range past the end
  const CInfo& back() const { return order_.back()->record; }
  template <class Visit>
  void forEach(Visit visit) const {
    for (const Node* node : order_) visit(node->record);
  }

  const std::vector<ScoreKey>& scoreKeys() const { return keys_; }
  const TextIds& bandIds() const { return bandIds_; }
  const TextIds& prefixIds() const { return prefixIds_; }
  const TextIds& continentIds() const { return continentIds_; }
  const TextIds& districtIds() const { return districtIds_; }

  // Appending in two steps, so intake writes each text once, straight into the store:
  // fill every field of the record nextRecord() hands out, then commitFlaggingDupe() appends
  // it, first flagging it a dupe (dupe and noScore 1) when an earlier record has its call,
  // band and mode, and says whether it did. The record is not part of the log before that, so
  // a QSO may ask for its record before it knows it will be stored: the earlier it names its
  // call, the more of the index lookup the commit finds already in the cache.
  CInfo& nextRecord(std::string_view call);
  bool commitFlaggingDupe();
  // Hints that the call is about to be looked up, so that its index slot is in the cache by
  // then.
  __attribute__((always_inline)) void expectCall(std::string_view call) const {
    byCall_.prefetchSlot(call);
  }
  // Removes a record; later records move down by one. When it was the first of its call, band
  // and mode, the next such record is a dupe no more (dupe 0, noScore as its badQso) and is
  // returned, so its dupe line can go too. A band left without records leaves workedBands.
  CInfo* removeAt(size_t index);
  void clear();                 // records and worked bands

  // Whether the call was worked, whether on this band and mode (exact: the dupe test), and
  // the received exchange of its last record, answered from the call's index entry without
  // visiting its records. The exchange is cut to kHintView bytes, the size of the host's hint
  // buffer: a hint longer than the buffer holds is refused whatever its length.
  static constexpr size_t kHintView = 10;
  struct CallRecords {
    bool worked = false;
    bool hasContact = false;
    std::string_view lastExchRcvd;  // valid until the log changes
  };
  CallRecords lookupCall(const std::string& call, const std::string& band,
                         const std::string& mode) const;
  // Index of the earliest record that sameContact() matches, or npos.
  size_t findContact(const CInfo& probe) const;
  static constexpr size_t npos = static_cast<size_t>(-1);
  // The records of one call, in log order, until visit returns false.
  template <class Visit>
  void forEachOfCall(const std::string& call, Visit visit) const {
    const Chain* chain = byCall_.find(call);
    if (!chain) return;
    for (const Node* node = chain->head; node; node = node->nextOfCall)
      if (!visit(node->record)) return;
  }
  // Whether some record on this band has this (stored, folded) prefix.
  bool hasBandPrefix(const std::string& band, const std::string& prefix) const;

  const std::vector<std::string>& workedBands() const { return workedBands_; }
  bool hasWorkedBand(std::string_view band) const;  // exact, case-sensitive
  void addWorkedBand(std::string_view band);        // appended unless already there
  void setWorkedBands(std::vector<std::string> bands);
  void clearWorkedBands() { workedBands_.clear(); }

 private:
  struct Node {
    CInfo record;
    uint64_t id;  // ascending in log order
    Node* nextOfCall = nullptr;
  };
  // The records of one call, in log order, with what the dupe test and the callsign check
  // read of them: band and mode ids of the first records and the last received exchange.
  struct Chain {
    static constexpr uint32_t kKept = 4;
    Node* head = nullptr;
    Node* tail = nullptr;
    uint32_t count = 0;
    uint32_t contacts[kKept] = {};  // band id << 16 | mode id
    uint8_t lastExchLength = 0;
    char lastExch[kHintView] = {};  // the tail's exchRcvd, at most kHintView bytes of it
  };
  uint32_t contactOf(uint32_t bandId, const CInfo& record);
  static uint8_t flagsOf(const CInfo& record);
  Node* nextTwin(const Node* node) const;
  void forgetBandRecord(const CInfo& record);
  bool chainHasContact(const Chain& chain, const std::string& band, const std::string& mode) const;
  static bool chainHasContact(const Chain& chain, uint32_t contact, const std::string& band,
                              const std::string& mode);
  void summariseChain(Chain& chain);
  static void keepLastExchange(Chain& chain, const std::string& exchRcvd);
  size_t positionOf(const Node* node) const;
  void unlink(Node* node);
  uint32_t recordsWithPrefix(uint32_t bandId, uint32_t prefixId) const;

  Node* newNode();
  void link(Node* node, Chain& chain, uint32_t contact);  // contact: contactOf() the record

  // Nodes live in fixed blocks that a reset keeps for the next reload, so their addresses stay
  // put and reloading does not return and refetch the memory; removed nodes wait for clear().
  static constexpr size_t kBlockSize = 4096;
  std::vector<std::unique_ptr<Node[]>> blocks_;
  size_t usedNodes_ = 0;
  std::vector<Node*> order_;  // the log, in index order
  std::vector<ScoreKey> keys_;  // keys_[i] belongs to order_[i]
  TextIds bandIds_, prefixIds_, continentIds_, districtIds_, modeIds_;
  uint64_t nextId_ = 0;
  FlatStringMap<Chain> byCall_;
  std::vector<std::vector<uint32_t>> prefixCountsOnBand_;  // records by band id, prefix id
  std::vector<size_t> recordsOnBand_;                        // by band id
  std::vector<std::string> workedBands_;
};

}  // namespace stats
