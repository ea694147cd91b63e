#include "reports/score.h"

#include <cmath>
#include <unordered_set>

#include "contest/contest_rules.h"
#include "contest/prefixes.h"

namespace stats {
namespace {

std::string bandKey(const std::string& band) {
  return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band;
}

bool isPortable(const std::string& call) {
  return call.size() >= 2 && call.compare(call.size() - 2, 2, "/P") == 0;
}

// 32-bit signed arithmetic as the host's compiler does it, wrapping instead of trapping.
int32_t wrapped(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

// Point buckets of an own station in Russia, in the order they are weighted.
enum Bucket { kPortable, kSameArea, kOtherArea, kSameContinent, kOtherContinent, kBucketCount };
constexpr int32_t kBucketPoints[kBucketCount] = {10, 1, 2, 3, 5};

Bucket bucketOf(const CInfo& r, const OwnStation& own) {
  if (IsRdaPrefix(r.prefix)) {
    if (isPortable(r.call)) return kPortable;
    if (r.prefix == own.prefix || r.continent == own.continent) return kSameArea;
    return kOtherArea;
  }
  return r.continent == own.continent ? kSameContinent : kOtherContinent;
}

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

int32_t pointsOf(const CInfo& record, const OwnStation& own) {
  if (!IsRdaPrefix(own.prefix)) return 10;
  return kBucketPoints[bucketOf(record, own)];
}

int32_t wholeMinutes(const COleDateTime& when, const COleDateTime& reference) {
  double days = reference.m_dt - when.m_dt;
  days += days >= 0 ? 0.5 / 86400.0 : -0.5 / 86400.0;
  const double minutes = std::trunc(days * 1440.0);
  if (!(minutes > -2147483648.0 && minutes < 2147483647.0)) return minutes > 0 ? INT32_MAX : INT32_MIN;
  return static_cast<int32_t>(minutes);
}

ScoreSummary summarise(const LogStore& log, const std::vector<std::string>& bands,
                       const OwnStation& own, bool withRates) {
  ScoreSummary s;
  s.ownInRussia = IsRdaPrefix(own.prefix) == 1;
  const CInfo* last = log.empty() ? nullptr : &log.back();
  std::unordered_set<std::string> districtsSeen;

  // One walk of the log sorts its records by band, keeping log order within each band.
  std::vector<std::vector<const CInfo*>> recordsOf(bands.size());
  log.forEach([&](const CInfo& r) {
    for (size_t b = 0; b < bands.size(); ++b)
      if (r.band == bands[b]) return recordsOf[b].push_back(&r);
  });

  for (size_t b = 0; b < bands.size(); ++b) {
    const std::string& band = bands[b];
    const int index = exactBandIndex(band);
    if (index >= 0) s.bandPrefixes[index].clear();
    BandRow row;
    row.band = band;
    int32_t buckets[kBucketCount] = {};
    int32_t russianStations = 0;
    std::unordered_set<std::string> prefixesSeen;

    for (const CInfo* record : recordsOf[b]) {
      const CInfo& r = *record;
      if (r.call.empty()) continue;
      row.dupes += r.dupe;
      if (r.noScore != 0) continue;
      ++row.qsos;
      if (r.mode == "CW") ++row.cw;
      if (r.mode == "SSB") ++row.ssb;
      if (r.band == last->band) {
        const int32_t p = pointsOf(r, own);
        s.lastQsoPoints = p;
        if (withRates) {
          const int32_t m = wholeMinutes(r.qsoTime, last->qsoTime);
          if (m < 60) ++s.hourQsos, s.hourPoints += p;
          if (m < 10) ++s.tenMinuteQsos, s.tenMinutePoints += p;
        }
      }
      if (s.ownInRussia) {
        ++buckets[bucketOf(r, own)];
        if (prefixesSeen.insert(r.prefix).second) {
          if (index >= 0) s.bandPrefixes[index].push_back(r.prefix);
          ++row.dxcc;
        }
      } else if (IsRdaPrefix(r.prefix)) {
        ++russianStations;
      }
      if (!r.district.empty() && districtsSeen.insert(r.district).second) {
        s.workedDistricts.push_back(r.district);
        ++row.rda;
      }
    }

    int64_t points = 0;
    if (s.ownInRussia) {
      for (int b = 0; b < kBucketCount; ++b) points += int64_t{kBucketPoints[b]} * buckets[b];
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
