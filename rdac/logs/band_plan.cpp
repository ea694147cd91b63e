#include "rdac/logs/band_plan.h"

#include "platform/text.h"

namespace rdac {
namespace {

struct BandEdges {
  uint32_t lowKHz, highKHz;
  const char* name;
};

// Wide enough for every IARU region's allocation, so a band edge never loses a QSO.
const BandEdges kBands[] = {
    {1800, 2000, "160m"},     {3500, 4000, "80m"},      {5060, 5450, "60m"},
    {7000, 7300, "40m"},      {10100, 10150, "30m"},    {14000, 14350, "20m"},
    {18068, 18168, "17m"},    {21000, 21450, "15m"},    {24890, 24990, "12m"},
    {28000, 29700, "10m"},    {50000, 54000, "6m"},     {70000, 71000, "4m"},
    {144000, 148000, "2m"},   {420000, 450000, "70cm"},
};

}  // namespace

std::string bandOfKHz(uint32_t kHz) {
  for (const BandEdges& band : kBands)
    if (kHz >= band.lowKHz && kHz <= band.highKHz) return band.name;
  return std::string();
}

std::string bandNearKHz(uint32_t kHz) {
  for (const BandEdges& band : kBands)
    if (kHz + kBandEdgeSlackKHz >= band.lowKHz && kHz <= band.highKHz + kBandEdgeSlackKHz) return band.name;
  return std::string();
}

uint32_t lowerEdgeKHz(const std::string& band) {
  for (const BandEdges& edges : kBands)
    if (band == edges.name) return edges.lowKHz;
  return 0;
}

std::string normalisedBand(const std::string& band) {
  std::string out = stats::trimmed(band);
  for (char& c : out) c = stats::asciiLower(c);
  return out;
}

}  // namespace rdac
