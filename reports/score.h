#pragma once
// The score summary, recomputed from the whole log: per-band counters, totals, score, rates,
// and the worked lists the windows show.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "log/log_store.h"

namespace stats {

struct BandRow {
  std::string band;
  int32_t qsos = 0, points = 0, dxcc = 0, rda = 0, cw = 0, ssb = 0, dupes = 0;
};

struct ScoreSummary {
  bool ownInRussia = false;
  std::vector<BandRow> rows;  // in band order
  BandRow totals;
  int32_t score = 0;
  int32_t lastQsoPoints = 0;
  int32_t hourQsos = 0, hourPoints = 0, tenMinuteQsos = 0, tenMinutePoints = 0;
  std::vector<std::string> workedDistricts;
  std::array<std::vector<std::string>, 6> bandPrefixes;
};

struct OwnStation {
  std::string prefix;
  std::string continent;
};

// Band order: descending by the name padded on the left with "0" to 20 characters, as an
// exchange sort over the list (so "160m", "80m", "40m", "20m", "15m", "10m").
std::vector<std::string> sortedBands(std::vector<std::string> bands);

// `bands` in band order; rates are accumulated only when `withRates`.
ScoreSummary summarise(const LogStore& log, const std::vector<std::string>& bands,
                       const OwnStation& own, bool withRates);

// Whole minutes from `when` to `reference`, rounded as the rates need them.
int32_t wholeMinutesBetween(double whenDays, double referenceDays);

}  // namespace stats
