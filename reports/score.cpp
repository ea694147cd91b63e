#include "reports/score.h"

#include <cmath>
#include <cstdint>

#include "contest/contest_rules.h"
#include "contest/prefixes.h"

namespace stats {
namespace {

std::string bandKey(const std::string& band) {
  return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band;
}

// 32-bit signed arithmetic as the host's compiler does it, wrapping instead of trapping.
int32_t wrapped(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

// Point buckets of an own station in Russia, in the order they are weighted.
enum Bucket { kPortable, kSameArea, kOtherArea, kSameContinent, kOtherContinent, kBucketCount };
constexpr int32_t kBucketPoints[kBucketCount] = {10, 1, 2, 3, 5};

}  // namespace

std::vector<std::string> sortedBands(std::vector<std::string> bands) {
  for (size_t i = 0; i + 1 < bands.size(); ++i)
    for (size_t j = i + 1; j < bands.size(); ++j)
      if (bandKey(bands[i]) < bandKey(bands[j])) std::swap(bands[i], bands[j]);
  return bands;
}

int32_t wholeMinutesBetween(double when, double reference) {
  double days = reference - when;
  days += days >= 0 ? 0.5 / 86400.0 : -0.5 / 86400.0;
  const double minutes = std::trunc(days * 1440.0);
  if (!(minutes > -2147483648.0 && minutes < 2147483647.0)) return minutes > 0 ? INT32_MAX : INT32_MIN;
  return static_cast<int32_t>(minutes);
}

namespace {

// One summary's walk of the log: the points table as this own station applies it, and what has
// been counted once for the whole contest (districts) or once per band (prefixes).
class Summariser {
 public:
  Summariser(const LogStore& log, const OwnStation& own, bool withRates);
  // The counted records of each band, in log order within the band.
  std::vector<std::vector<const ScoreKey*>> keysByBand(const std::vector<std::string>& bands) const;
  // One band's row; fills the band's prefix list and the worked districts as it goes.
  BandRow bandRow(const std::string& band, size_t slot, const std::vector<const ScoreKey*>& keys);
  ScoreSummary& summary() { return s_; }

 private:
  Bucket bucket(const ScoreKey& k) const;
  int32_t pointsOf(const ScoreKey& k) const;
  void creditRates(const ScoreKey& k);
  void countMultipliers(const ScoreKey& k, size_t slot, int bandIndex, BandRow& row);

  const LogStore& log_;
  const bool withRates_;
  ScoreSummary s_;
  std::vector<char> russianPrefix_;  // by prefix id
  uint32_t ownPrefix_, ownContinent_;
  const ScoreKey* last_;
  std::vector<char> districtSeen_;
  std::vector<size_t> prefixSeenOnBand_;  // the slot of the band it was last counted on
};

Summariser::Summariser(const LogStore& log, const OwnStation& own, bool withRates)
    : log_(log), withRates_(withRates) {
  s_.ownInRussia = IsRdaPrefix(own.prefix) == 1;
  const TextIds& prefixes = log.prefixIds();
  // Per prefix, once: Russian or not.
  russianPrefix_.resize(prefixes.size());
  for (uint32_t id = 0; id < prefixes.size(); ++id)
    russianPrefix_[id] = IsRdaPrefix(prefixes.text(id)) == 1;
  ownPrefix_ = prefixes.find(own.prefix);
  ownContinent_ = log.continentIds().find(own.continent);
  last_ = log.scoreKeys().empty() ? nullptr : &log.scoreKeys().back();
  districtSeen_.resize(log.districtIds().size());
  prefixSeenOnBand_.assign(prefixes.size(), SIZE_MAX);
}

std::vector<std::vector<const ScoreKey*>> Summariser::keysByBand(
    const std::vector<std::string>& bands) const {
  // One walk of the log sorts its records by band.
  std::vector<int> slotOfBand(log_.bandIds().size(), -1);
  for (size_t b = 0; b < bands.size(); ++b) {
    const uint32_t id = log_.bandIds().find(bands[b]);
    if (id != TextIds::kNone) slotOfBand[id] = static_cast<int>(b);
  }
  std::vector<std::vector<const ScoreKey*>> keysOf(bands.size());
  for (const ScoreKey& k : log_.scoreKeys())
    if (slotOfBand[k.band] >= 0) keysOf[slotOfBand[k.band]].push_back(&k);
  return keysOf;
}

Bucket Summariser::bucket(const ScoreKey& k) const {
  if (russianPrefix_[k.prefix]) {
    if (k.flags & ScoreKey::kPortable) return kPortable;
    return (k.prefix == ownPrefix_ || k.continent == ownContinent_) ? kSameArea : kOtherArea;
  }
  return k.continent == ownContinent_ ? kSameContinent : kOtherContinent;
}

// What the record adds to its band's points, so the rates and the last QSO credit the same.
int32_t Summariser::pointsOf(const ScoreKey& k) const {
  if (s_.ownInRussia) return kBucketPoints[bucket(k)];
  return russianPrefix_[k.prefix] ? 10 : 0;
}

// The last QSO's points and the rates count the records on the last record's band.
void Summariser::creditRates(const ScoreKey& k) {
  if (k.band != last_->band) return;
  const int32_t p = pointsOf(k);
  s_.lastQsoPoints = p;
  if (!withRates_) return;
  const int32_t m = wholeMinutesBetween(k.time, last_->time);
  if (m < 60) ++s_.hourQsos, s_.hourPoints += p;
  if (m < 10) ++s_.tenMinuteQsos, s_.tenMinutePoints += p;
}

// A prefix counts once per band (own station in Russia only), a district once per contest.
void Summariser::countMultipliers(const ScoreKey& k, size_t slot, int bandIndex, BandRow& row) {
  if (s_.ownInRussia && prefixSeenOnBand_[k.prefix] != slot) {
    prefixSeenOnBand_[k.prefix] = slot;
    if (bandIndex >= 0) s_.bandPrefixes[bandIndex].push_back(log_.prefixIds().text(k.prefix));
    ++row.dxcc;
  }
  if (k.district != TextIds::kNone && !districtSeen_[k.district]) {
    districtSeen_[k.district] = 1;
    s_.workedDistricts.push_back(log_.districtIds().text(k.district));
    ++row.rda;
  }
}

BandRow Summariser::bandRow(const std::string& band, size_t slot,
                            const std::vector<const ScoreKey*>& keys) {
  const int index = exactBandIndex(band);
  if (index >= 0) s_.bandPrefixes[index].clear();
  BandRow row;
  row.band = band;
  int32_t buckets[kBucketCount] = {};
  int32_t russianStations = 0;
  for (const ScoreKey* key : keys) {
    const ScoreKey& k = *key;
    if (!(k.flags & ScoreKey::kCallPresent)) continue;
    if (k.flags & ScoreKey::kDupe) ++row.dupes;
    if (!(k.flags & ScoreKey::kCounted)) continue;
    ++row.qsos;
    if (k.flags & ScoreKey::kCw) ++row.cw;
    if (k.flags & ScoreKey::kSsb) ++row.ssb;
    creditRates(k);
    if (s_.ownInRussia)
      ++buckets[bucket(k)];
    else if (russianPrefix_[k.prefix])
      ++russianStations;
    countMultipliers(k, slot, index, row);
  }
  int64_t points = int64_t{10} * russianStations;
  if (s_.ownInRussia) {
    points = 0;
    for (int b = 0; b < kBucketCount; ++b) points += int64_t{kBucketPoints[b]} * buckets[b];
  }
  row.points = wrapped(points);
  return row;
}

void addToTotals(BandRow& totals, const BandRow& row) {
  for (auto [total, add] : {std::pair{&totals.qsos, row.qsos}, {&totals.points, row.points},
                            {&totals.dxcc, row.dxcc}, {&totals.rda, row.rda},
                            {&totals.cw, row.cw}, {&totals.ssb, row.ssb},
                            {&totals.dupes, row.dupes}})
    *total = wrapped(int64_t{*total} + add);
}

// Points times multipliers; the DXCC multipliers count only for an own station in Russia.
int32_t scoreOf(const BandRow& totals, bool ownInRussia) {
  const int64_t multipliers = ownInRussia ? int64_t{totals.dxcc} + totals.rda : totals.rda;
  return wrapped(int64_t{totals.points} * wrapped(multipliers));
}

}  // namespace

ScoreSummary summarise(const LogStore& log, const std::vector<std::string>& bands,
                       const OwnStation& own, bool withRates) {
  Summariser summariser(log, own, withRates);
  const std::vector<std::vector<const ScoreKey*>> keysOf = summariser.keysByBand(bands);
  ScoreSummary& s = summariser.summary();
  for (size_t b = 0; b < bands.size(); ++b) {
    s.rows.push_back(summariser.bandRow(bands[b], b, keysOf[b]));
    addToTotals(s.totals, s.rows.back());
  }
  s.score = scoreOf(s.totals, s.ownInRussia);
  return std::move(s);
}

}  // namespace stats
