#include "rdac/crosscheck/clock_offsets.h"

#include <algorithm>

namespace rdac {
namespace {

int lowerMedian(std::vector<int>& values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

std::vector<int> solveClockOffsets(size_t entrants, std::vector<ClockPair> pairs, size_t fewestPairs) {
  std::vector<int> offsets(entrants, 0);
  const size_t given = pairs.size();
  for (size_t i = 0; i < given; ++i) pairs.push_back({pairs[i].partner, pairs[i].entrant, -pairs[i].difference});
  std::sort(pairs.begin(), pairs.end(), [](const ClockPair& a, const ClockPair& b) {
    return a.entrant != b.entrant ? a.entrant < b.entrant : a.partner < b.partner;
  });
  std::vector<int> values;
  // A few rounds settle it: a wrong clock shows in its own median at once and not in others'.
  for (int round = 0; round < 6; ++round) {
    std::vector<int> next(entrants, 0);
    std::vector<int> estimated;
    std::vector<uint32_t> whose;
    for (size_t i = 0; i < pairs.size();) {
      const uint32_t entrant = pairs[i].entrant;
      values.clear();
      for (; i < pairs.size() && pairs[i].entrant == entrant; ++i)
        values.push_back(pairs[i].difference + offsets[pairs[i].partner]);
      if (values.size() < fewestPairs) continue;
      next[entrant] = lowerMedian(values);
      estimated.push_back(next[entrant]);
      whose.push_back(entrant);
    }
    if (!estimated.empty()) {
      const int typical = lowerMedian(estimated);
      for (uint32_t entrant : whose) next[entrant] -= typical;
    }
    if (next == offsets) break;
    offsets.swap(next);
  }
  return offsets;
}

}  // namespace rdac
