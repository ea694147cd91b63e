#pragma once
// Per-log clock errors, solved across all logs from the times of QSOs that two logs agree on.
#include <cstddef>
#include <climits>
#include <cstdint>
#include <vector>

namespace rdac {

// How far a log's clock was ahead: a constant, or a line over the contest when it drifted.
struct ClockModel {
  double offset = 0;      // minutes ahead at `reference`
  double drift = 0;       // minutes gained per minute
  int32_t reference = 0;  // a minute by the log's own clock
  bool timeless = false;  // its times carry nothing to pair by; its QSOs pair by order
  // A log kept in local time whose date did not roll over at local midnight: its times before
  // this minute (by its own clock) carry a date a day behind. None by default.
  int32_t dateBehindBefore = INT32_MIN;
  int32_t lastBehind = INT32_MIN;  // its last time that a pair shows a day behind: the date
                                   // rolled between this and dateBehindBefore
  // Minutes ahead at a minute by the log's own clock, rounded.
  int32_t aheadAt(int32_t minute) const;
  bool dateSlipped() const { return dateBehindBefore != INT32_MIN; }
};

// One QSO two logs agree on, seen from one of them.
struct ClockPair {
  uint32_t partner;
  int32_t minute;         // as this log has it
  int32_t partnerMinute;  // as the partner's log has it
};

// Each log's pairs, grouped: begin(e) to end(e) are those of entrant e. They are gathered in
// `parts` side by side: each part counts its pairs first, then adds them. A log's pairs come in
// the order of the parts, and within a part in the order added.
class ClockPairs {
 public:
  explicit ClockPairs(size_t entrants, size_t parts = 1)
      : first_(entrants + 1, 0), next_(parts, std::vector<size_t>(entrants, 0)) {}
  // Both sides of each QSO are kept: count them all first, then lay them out, then add them.
  void count(uint32_t entrant, size_t part = 0) { ++next_[part][entrant]; }
  void layOut();
  void add(uint32_t entrant, const ClockPair& pair, size_t part = 0) { pairs_[next_[part][entrant]++] = pair; }
  size_t entrants() const { return first_.size() - 1; }
  const ClockPair* begin(uint32_t e) const { return pairs_.data() + first_[e]; }
  const ClockPair* end(uint32_t e) const { return pairs_.data() + first_[e + 1]; }

 private:
  std::vector<size_t> first_;
  std::vector<std::vector<size_t>> next_;  // by part and entrant: its count, then where its next pair goes
  std::vector<ClockPair> pairs_;
};

struct ClockSearch {
  int largestOffset = 120;  // minutes a clock may be off by any amount and still be found
  size_t fewestPairs = 3;   // a log with fewer pairs keeps its clock
};

// Besides any offset up to ClockSearch::largestOffset, a log may be kept in the local time of
// a zone operators use (whole and half hours from UTC-10 to UTC+12), its PC clock a few minutes
// off on top, and its date a day off. True for an offset of one of those.
bool zoneOffset(int32_t ahead);
// The most minutes a clock may be off and be found.
int32_t farthestOffset(const ClockSearch& search);

// Each log's clock: the offset most of its pairs agree on (within a minute), given its
// partners' clocks, so one bad clock moves none of its partners; a line where a drifting clock
// explains the pairs clearly better. The offsets are then shifted so that the typical log keeps
// its time. Logs marked timeless in `clocks` stay as they are.
void solveClocks(std::vector<ClockModel>& clocks, const ClockPairs& pairs, const ClockSearch& search);

}  // namespace rdac
