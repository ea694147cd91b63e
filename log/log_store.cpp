#include "log/log_store.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace stats {
namespace {

// The date type calls no two invalid values equal, but a QSO the host logged with an invalid
// date must still be found when it is removed (or edited: removed and added corrected).
bool sameDate(const COleDateTime& a, const COleDateTime& b) {
  return a == b || (a.m_status == COleDateTime::invalid && b.m_status == COleDateTime::invalid);
}

}  // namespace

bool sameContact(const CInfo& a, const CInfo& b) {
  return a.call == b.call && a.mode == b.mode && a.band == b.band && sameDate(a.qsoTime, b.qsoTime);
}

const CInfo& LogStore::at(size_t index) const {
  if (index >= order_.size()) throw std::out_of_range("qsoLog index");
  return order_[index]->record;
}

LogStore::Node* LogStore::newNode() {
  if (usedNodes_ == blocks_.size() * kBlockSize) blocks_.push_back(std::make_unique<Node[]>(kBlockSize));
  return &blocks_[usedNodes_ / kBlockSize][usedNodes_ % kBlockSize];
}

uint8_t LogStore::flagsOf(const CInfo& r) {
  uint8_t flags = 0;
  if (!r.call.empty()) flags |= ScoreKey::kCallPresent;
  if (!r.call.empty() && r.noScore == 0) flags |= ScoreKey::kCounted;
  if (r.dupe) flags |= ScoreKey::kDupe;
  const std::string_view mode = r.mode, call = r.call;  // compared inline, not through the library
  if (mode == "CW") flags |= ScoreKey::kCw;
  if (mode == "SSB") flags |= ScoreKey::kSsb;
  if (call.size() >= 2 && call.substr(call.size() - 2) == "/P") flags |= ScoreKey::kPortable;
  return flags;
}

void LogStore::link(Node* node, Chain& chain, uint32_t contact) {
  const CInfo& r = node->record;
  const uint32_t bandId = contact >> 16;
  if (recordsOnBand_.size() <= bandId) {
    recordsOnBand_.resize(bandId + 1);
    prefixCountsOnBand_.resize(bandId + 1);
  }
  ++recordsOnBand_[bandId];
  keys_.push_back({r.qsoTime.m_dt, bandId, prefixIds_.idOf(r.prefix),
                   continentIds_.idOf(r.continent),
                   r.district.empty() ? TextIds::kNone : districtIds_.idOf(r.district), flagsOf(r)});
  order_.push_back(node);
  (chain.tail ? chain.tail->nextOfCall : chain.head) = node;
  chain.tail = node;
  if (chain.count < Chain::kKept) chain.contacts[chain.count] = contact;
  ++chain.count;
  keepLastExchange(chain, r.exchRcvd);
  std::vector<uint32_t>& prefixCounts = prefixCountsOnBand_[bandId];
  const uint32_t prefixId = keys_.back().prefix;
  if (prefixCounts.size() <= prefixId) prefixCounts.resize(prefixId + 1);
  ++prefixCounts[prefixId];
}

CInfo& LogStore::nextRecord(std::string_view call) {
  byCall_.prefetchSlot(call);  // the index of 100,000 calls is rarely in the cache
  return newNode()->record;
}

uint32_t LogStore::contactOf(uint32_t bandId, const CInfo& record) {
  return bandId << 16 | (modeIds_.idOf(record.mode) & 0xFFFF);
}

bool LogStore::chainHasContact(const Chain& chain, const std::string& band,
                               const std::string& mode) const {
  const uint32_t bandId = bandIds_.find(band), modeId = modeIds_.find(mode);
  if (bandId == TextIds::kNone || modeId == TextIds::kNone) return false;
  return chainHasContact(chain, bandId << 16 | (modeId & 0xFFFF), band, mode);
}

bool LogStore::chainHasContact(const Chain& chain, uint32_t contact, const std::string& band,
                               const std::string& mode) {
  if (chain.count > Chain::kKept) {
    for (const Node* n = chain.head; n; n = n->nextOfCall)
      if (n->record.band == band && n->record.mode == mode) return true;
    return false;
  }
  for (uint32_t i = 0; i < chain.count; ++i)
    if (chain.contacts[i] == contact) return true;
  return false;
}

void LogStore::keepLastExchange(Chain& chain, const std::string& exchRcvd) {
  chain.lastExchLength = static_cast<uint8_t>(std::min(exchRcvd.size(), kHintView));
  std::memcpy(chain.lastExch, exchRcvd.data(), chain.lastExchLength);
}

void LogStore::summariseChain(Chain& chain) {
  chain.count = 0;
  for (Node* n = chain.head; n; n = n->nextOfCall) {
    if (chain.count < Chain::kKept)
      chain.contacts[chain.count] = contactOf(bandIds_.idOf(n->record.band), n->record);
    ++chain.count;
  }
  if (chain.tail) keepLastExchange(chain, chain.tail->record.exchRcvd);
}

bool LogStore::commitFlaggingDupe() {
  Node* node = newNode();
  node->id = nextId_++;
  node->nextOfCall = nullptr;
  ++usedNodes_;
  CInfo& record = node->record;
  // The slot that nextRecord() started loading names the call's entry: that loads meanwhile.
  byCall_.prefetchEntry(record.call);
  const uint32_t contact = contactOf(bandIds_.idOf(record.band), record);
  Chain& chain = byCall_[record.call];
  const bool dupe = chainHasContact(chain, contact, record.band, record.mode);
  if (dupe) record.dupe = record.noScore = 1;
  link(node, chain, contact);
  return dupe;
}

void LogStore::unlink(Node* node) {
  if (Chain* chain = byCall_.find(node->record.call)) {
    Node* previous = nullptr;
    for (Node* n = chain->head; n && n != node; n = n->nextOfCall) previous = n;
    (previous ? previous->nextOfCall : chain->head) = node->nextOfCall;
    if (chain->tail == node) chain->tail = previous;
    if (!chain->head)
      byCall_.erase(node->record.call);
    else
      summariseChain(*chain);
  }
  const uint32_t bandId = bandIds_.find(node->record.band);
  const uint32_t prefixId = prefixIds_.find(node->record.prefix);
  if (recordsWithPrefix(bandId, prefixId) > 0) --prefixCountsOnBand_[bandId][prefixId];
}

LogStore::Node* LogStore::nextTwin(const Node* node) const {
  const CInfo& r = node->record;
  for (Node* n = node->nextOfCall; n; n = n->nextOfCall)
    if (n->record.band == r.band && n->record.mode == r.mode) return n;
  return nullptr;
}

void LogStore::forgetBandRecord(const CInfo& record) {
  const uint32_t bandId = bandIds_.find(record.band);
  if (bandId == TextIds::kNone || --recordsOnBand_[bandId] != 0) return;
  const auto band = std::find(workedBands_.begin(), workedBands_.end(), record.band);
  if (band != workedBands_.end()) workedBands_.erase(band);
}

CInfo* LogStore::removeAt(size_t index) {
  if (index >= order_.size()) throw std::out_of_range("qsoLog index");
  Node* node = order_[index];
  // Only the first record of a call, band and mode is no dupe, so only its removal changes
  // another record: the next one becomes the first.
  Node* twin = node->record.dupe ? nullptr : nextTwin(node);
  if (twin) {
    twin->record.dupe = 0;
    twin->record.noScore = twin->record.badQso;
    keys_[positionOf(twin)].flags = flagsOf(twin->record);
  }
  forgetBandRecord(node->record);
  unlink(node);
  order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(index));
  keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(index));
  return twin ? &twin->record : nullptr;
}

void LogStore::clear() {
  order_.clear();
  keys_.clear();
  bandIds_.clear();
  prefixIds_.clear();
  continentIds_.clear();
  districtIds_.clear();
  modeIds_.clear();
  usedNodes_ = 0;
  byCall_.clear();
  prefixCountsOnBand_.clear();
  recordsOnBand_.clear();
  workedBands_.clear();
}

size_t LogStore::positionOf(const Node* node) const {
  const auto at = std::lower_bound(order_.begin(), order_.end(), node->id,
                                   [](const Node* n, uint64_t id) { return n->id < id; });
  return static_cast<size_t>(at - order_.begin());
}

LogStore::CallRecords LogStore::lookupCall(const std::string& call, const std::string& band,
                                           const std::string& mode) const {
  CallRecords found;
  const Chain* chain = byCall_.find(call);
  if (!chain) return found;
  found.worked = true;
  found.hasContact = chainHasContact(*chain, band, mode);
  found.lastExchRcvd = std::string_view(chain->lastExch, chain->lastExchLength);
  return found;
}

size_t LogStore::findContact(const CInfo& probe) const {
  const Chain* chain = byCall_.find(probe.call);
  if (!chain) return npos;
  for (const Node* node = chain->head; node; node = node->nextOfCall)
    if (sameContact(node->record, probe)) return positionOf(node);
  return npos;
}

bool LogStore::hasBandPrefix(const std::string& band, const std::string& prefix) const {
  const uint32_t bandId = bandIds_.find(band), prefixId = prefixIds_.find(prefix);
  return recordsWithPrefix(bandId, prefixId) != 0;
}

uint32_t LogStore::recordsWithPrefix(uint32_t bandId, uint32_t prefixId) const {
  if (bandId >= prefixCountsOnBand_.size() || prefixId >= prefixCountsOnBand_[bandId].size()) return 0;
  return prefixCountsOnBand_[bandId][prefixId];
}

bool LogStore::hasWorkedBand(std::string_view band) const {
  return std::find(workedBands_.begin(), workedBands_.end(), band) != workedBands_.end();
}

void LogStore::addWorkedBand(std::string_view band) {
  if (!hasWorkedBand(band)) workedBands_.emplace_back(band);
}

void LogStore::setWorkedBands(std::vector<std::string> bands) { workedBands_ = std::move(bands); }

}  // namespace stats
