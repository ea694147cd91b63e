#pragma once
// Per-log clock offsets, solved across all logs from the time differences of QSOs that two
// logs agree on.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rdac {

struct ClockPair {
  uint32_t entrant, partner;
  int32_t difference;  // entrant's logged minute minus the partner's, for one QSO
};

// Minutes each entrant's clock was ahead. Each log's offset is the median of what its pairs
// say given its partners' offsets, so one bad clock moves none of its partners; the offsets are
// then shifted so that the typical log keeps its time. A log with fewer than `fewestPairs`
// pairs keeps offset 0.
std::vector<int> solveClockOffsets(size_t entrants, std::vector<ClockPair> pairs, size_t fewestPairs = 3);

}  // namespace rdac
