#pragma once
// The numbers of the plug-in's text result (GetResult0 in its text form), read back so the
// report can chart them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rdac {

struct BandNumbers {
  std::string band;
  int qsos = 0, points = 0, dxcc = 0, cw = 0, ssb = 0;  // dxcc: 0 in the layout without it
};

struct ResultNumbers {
  bool dxccColumn = false;  // the own station is in Russia: DXCC counts as a multiplier
  std::vector<BandNumbers> bands;  // the rows the result shows, in its order
  int qsos = 0, points = 0, dxcc = 0, rda = 0, cw = 0, ssb = 0, dupes = 0, bad = 0;
  int64_t score = 0;

  int qsosOn(const std::string& band) const;
};

// Nothing when the text is not the plug-in's text result.
std::optional<ResultNumbers> readResultNumbers(const std::string& text);

}  // namespace rdac
