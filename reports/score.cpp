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

int exactBandIndex(const std::string& band) {
  for (size_t i = 0; i < bandRules.size(); ++i)
    if (bandRules.at(i) == band) return static_cast<int>(i);
  return -1;
}

int32_t wholeMinutesBetween(double when, double reference) {
  double days = reference - when;
  days += days >= 0 ? 0.5 / 86400.0 : -0.5 / 86400.0;
  const double minutes = std::trunc(days * 1440.0);
  if (!(minutes > -2147483648.0 && minutes < 2147483647.0)) return minutes > 0 ? INT32_MAX : INT32_MIN;
  return static_cast<int32_t>(minutes);
}

ScoreSummary summarise(const LogStore& log, const std::vector<std::string>& bands,
                       const OwnStation& own, bool withRates) {
  ScoreSummary s;
  s.ownInRussia = IsRdaPrefix(own.prefix) == 1;
  const std::vector<ScoreKey>& keys = log.scoreKeys();
  const TextIds& prefixes = log.prefixIds();
  const TextIds& districts = log.districtIds();

  // Per prefix, once: Russian or not; the own station's prefix and continent as ids.
  std::vector<char> russianPrefix(prefixes.size());
  for (uint32_t id = 0; id < prefixes.size(); ++id) russianPrefix[id] = IsRdaPrefix(prefixes.text(id)) == 1;
  const uint32_t ownPrefix = prefixes.find(own.prefix);
  const uint32_t ownContinent = log.continentIds().find(own.continent);
  auto bucket = [&](const ScoreKey& k) {
    if (russianPrefix[k.prefix]) {
      if (k.flags & ScoreKey::kPortable) return kPortable;
      return (k.prefix == ownPrefix || k.continent == ownContinent) ? kSameArea : kOtherArea;
    }
    return k.continent == ownContinent ? kSameContinent : kOtherContinent;
  };

  // One walk of the log sorts its records by band, keeping log order within each band.
  std::vector<int> slotOfBand(log.bandIds().size(), -1);
  for (size_t b = 0; b < bands.size(); ++b) {
    const uint32_t id = log.bandIds().find(bands[b]);
    if (id != TextIds::kNone) slotOfBand[id] = static_cast<int>(b);
  }
  std::vector<std::vector<const ScoreKey*>> keysOf(bands.size());
  for (const ScoreKey& k : keys)
    if (slotOfBand[k.band] >= 0) keysOf[slotOfBand[k.band]].push_back(&k);

  const ScoreKey* last = keys.empty() ? nullptr : &keys.back();
  std::vector<char> districtSeen(districts.size());
  std::vector<size_t> prefixSeenOnBand(prefixes.size(), SIZE_MAX);

  for (size_t b = 0; b < bands.size(); ++b) {
    const int index = exactBandIndex(bands[b]);
    if (index >= 0) s.bandPrefixes[index].clear();
    BandRow row;
    row.band = bands[b];
    int32_t buckets[kBucketCount] = {};
    int32_t russianStations = 0;

    for (const ScoreKey* key : keysOf[b]) {
      const ScoreKey& k = *key;
      if (!(k.flags & ScoreKey::kCallPresent)) continue;
      if (k.flags & ScoreKey::kDupe) ++row.dupes;
      if (!(k.flags & ScoreKey::kCounted)) continue;
      ++row.qsos;
      if (k.flags & ScoreKey::kCw) ++row.cw;
      if (k.flags & ScoreKey::kSsb) ++row.ssb;
      if (k.band == last->band) {
        const int32_t p = s.ownInRussia ? kBucketPoints[bucket(k)] : 10;
        s.lastQsoPoints = p;
        if (withRates) {
          const int32_t m = wholeMinutesBetween(k.time, last->time);
          if (m < 60) ++s.hourQsos, s.hourPoints += p;
          if (m < 10) ++s.tenMinuteQsos, s.tenMinutePoints += p;
        }
      }
      if (s.ownInRussia) {
        ++buckets[bucket(k)];
        if (prefixSeenOnBand[k.prefix] != b) {
          prefixSeenOnBand[k.prefix] = b;
          if (index >= 0) s.bandPrefixes[index].push_back(prefixes.text(k.prefix));
          ++row.dxcc;
        }
      } else if (russianPrefix[k.prefix]) {
        ++russianStations;
      }
      if (k.district != TextIds::kNone && !districtSeen[k.district]) {
        districtSeen[k.district] = 1;
        s.workedDistricts.push_back(districts.text(k.district));
        ++row.rda;
      }
    }

    int64_t points = 0;
    if (s.ownInRussia) {
      for (int bucketIndex = 0; bucketIndex < kBucketCount; ++bucketIndex)
        points += int64_t{kBucketPoints[bucketIndex]} * buckets[bucketIndex];
    } else {
      points = int64_t{10} * russianStations;
    }
    row.points = wrapped(points);
    s.rows.push_back(row);
    for (auto [total, add] : {std::pair{&s.totals.qsos, row.qsos}, {&s.totals.points, row.points},
                              {&s.totals.dxcc, row.dxcc}, {&s.totals.rda, row.rda},
                              {&s.totals.cw, row.cw}, {&s.totals.ssb, row.ssb},
                              {&s.totals.dupes, row.dupes}})
      *total = wrapped(int64_t{*total} + add);
  }
  const int64_t multipliers = s.ownInRussia ? int64_t{s.totals.dxcc} + s.totals.rda : s.totals.rda;
  s.score = wrapped(int64_t{s.totals.points} * wrapped(multipliers));
  return s;
}

}  // namespace stats
