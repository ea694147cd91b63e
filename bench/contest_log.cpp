#include "bench/contest_log.h"

#include <cstdio>
#include <random>

namespace stats::bench {
namespace {

const char* const kRegions[] = {"MA", "MO", "SP", "LO", "KA", "KO", "VO", "AR", "NV", "KL", "TV",
                                "YR", "IV", "KS", "RA", "TL", "OR", "LP", "BR", "SM", "KU", "BO",
                                "KG", "VL", "VR", "NN", "PE", "TA", "MR", "CU", "UL", "SA", "KI",
                                "AD", "DA", "CN", "KR", "RK", "SE", "IN", "KB", "KM", "KC", "SO",
                                "AO", "ST", "RO", "VG", "BA", "OB", "MD", "PM", "UD", "SR", "KN",
                                "CB", "SV", "HM", "TN", "JN", "GA", "KE", "NS", "AL", "OM", "TO"};
constexpr int kRegionCount = sizeof kRegions / sizeof kRegions[0];
constexpr int kDistrictsPerRegion = 41;  // 66 x 41 = 2,706 codes

struct Country {
  const char* prefix;
  const char* continent;
  const char* callStem;
  int weight;
};
const Country kCountries[] = {
    {"UA", "EU", "RA3", 30}, {"UA9", "AS", "UA9", 18}, {"UA2", "EU", "UA2F", 2}, {"UR", "EU", "UR5", 8},
    {"DL", "EU", "DL1", 6},  {"SP", "EU", "SP2", 4},   {"OK", "EU", "OK1", 3},   {"EU", "EU", "EW1", 4},
    {"UN", "AS", "UN7", 3},  {"I", "EU", "I2", 2},     {"IT9", "EU", "IT9", 1},  {"K", "NA", "K1", 3},
    {"JA", "AS", "JA1", 2},  {"YL", "EU", "YL2", 2},   {"LY", "EU", "LY2", 2},   {"ES", "EU", "ES1", 1},
    {"4X", "AS", "4X1", 1},  {"LZ", "EU", "LZ1", 2},   {"YO", "EU", "YO3", 2},   {"HA", "EU", "HA5", 2},
    {"OH", "EU", "OH2", 1},  {"SM", "EU", "SM5", 1},   {"CE9/KC4", "SA", "KC4", 1}};

const char* const kBands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
const unsigned kBandBaseHz[] = {1810000, 3510000, 7010000, 14010000, 21010000, 28010000};

bool isRussian(const Country& c) {
  const std::string p = c.prefix;
  return p == "UA" || p == "UA9" || p == "UA2" || p == "CE9/KC4";
}

}  // namespace

ContestLog makeContestLog(size_t size) {
  ContestLog log;
  for (int r = 0; r < kRegionCount; ++r)
    for (int d = 1; d <= kDistrictsPerRegion; ++d) {
      char line[64];
      std::snprintf(line, sizeof line, "%s-%02d District %d\r\n", kRegions[r], d, d);
      log.districtTable += line;
    }

  std::mt19937 random(12345);
  int totalWeight = 0;
  for (const Country& c : kCountries) totalWeight += c.weight;
  // Distinct stations grow with the log, so dupes stay rare however long it is.
  const size_t stations = size * 2 / 3 + 10;
  std::vector<testing::Qso> worked;
  log.qsos.reserve(size);
  double minutes = 0;
  for (size_t i = 0; i < size; ++i) {
    testing::Qso q;
    minutes += 24.0 * 60.0 / static_cast<double>(size);
    std::uniform_int_distribution<int> percent(0, 99);
    const int roll = percent(random);
    if (roll < 5 && !worked.empty()) {
      q = worked[random() % worked.size()];  // a dupe: same call, band and mode again
    } else {
      int pick = static_cast<int>(random() % totalWeight);
      const Country* country = kCountries;
      while (pick >= country->weight) pick -= (country++)->weight;
      const size_t station = random() % stations;
      char call[32];
      std::snprintf(call, sizeof call, "%s%c%c%c", country->callStem, 'A' + static_cast<int>(station % 26),
                    'A' + static_cast<int>(station / 26 % 26), 'A' + static_cast<int>(station / 676 % 26));
      q.call = call;
      q.prefix = country->prefix;
      q.continent = country->continent;
      const int band = static_cast<int>(random() % 6);
      q.band = kBands[band];
      q.freqHz = kBandBaseHz[band] + static_cast<unsigned>(random() % 50000);
      q.mode = random() % 3 ? "CW" : "SSB";
      if (isRussian(*country)) {
        char code[8];
        if (roll < 8)  // a district that is not in the table
          std::snprintf(code, sizeof code, "ZZ-%02d", static_cast<int>(random() % 99));
        else
          std::snprintf(code, sizeof code, "%s-%02d", kRegions[station % kRegionCount],
                        static_cast<int>(station % kDistrictsPerRegion) + 1);
        q.exchRcvd = code;
      } else {
        q.exchRcvd = std::to_string(1 + random() % 2000);
      }
      q.exchSent = std::to_string(i + 1);
      worked.push_back(q);
    }
    q.time = COleDateTime::fromParts(2017, 9, 2, 12, 0, 0);
    q.time.m_dt += minutes / 1440.0;
    log.qsos.push_back(q);
  }
  return log;
}

}  // namespace stats::bench
