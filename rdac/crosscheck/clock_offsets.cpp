#include "rdac/crosscheck/clock_offsets.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "rdac/crosscheck/two_threads.h"

namespace rdac {
namespace {

// Two logs cut their times to the minute from clocks seconds apart: the pairs of one QSO
// agree within a minute either way.
constexpr int kJitter = 1;
// A drifting clock is looked for among pairs this far from its constant offset: a minute every
// two hours is twelve over the contest, six either side of the middle.
constexpr int kDriftReach = 15;
// A log must span this long for a drift to show against the jitter.
constexpr int kShortestDriftSpan = 180;
// Fewer minutes of drift over the log than this are a constant offset.
constexpr double kSmallestDrift = 2.0;
constexpr int32_t kDay = 1440;
// The zones operators log in, in minutes from UTC: the Americas down to UTC-10, Russia up to
// UTC+12; every whole and half hour between, as a few zones are half an hour off.
constexpr int32_t kWestmostZone = -600, kEastmostZone = 720, kZoneStep = 30;
// A PC clock kept in local time is as far off as any other on top of its zone.
constexpr int32_t kZoneSlack = 10;

struct Point {
  int32_t minute;  // by the log's own clock
  int32_t ahead;   // what the pair says the log's clock was ahead then
};

template <class T>
T lowerMedian(std::vector<T>& values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// The offset most pairs agree on within the jitter, as the median of those; ties go to the
// smaller offset. `agreeing` is how many pairs agree on it.
int commonestOffset(std::vector<int32_t>& aheads, size_t& agreeing) {
  std::sort(aheads.begin(), aheads.end());
  size_t bestFirst = 0, bestCount = 0;
  for (size_t first = 0, last = 0; first < aheads.size(); ++first) {
    while (last < aheads.size() && aheads[last] <= aheads[first] + 2 * kJitter) ++last;
    const size_t count = last - first;
    const int32_t centre = aheads[first] + kJitter, bestCentre = aheads[bestFirst] + kJitter;
    if (count > bestCount || (count == bestCount && std::abs(centre) < std::abs(bestCentre))) {
      bestFirst = first;
      bestCount = count;
    }
  }
  agreeing = bestCount;
  const auto first = aheads.begin() + std::ptrdiff_t(bestFirst);
  std::vector<int32_t> window(first, first + std::ptrdiff_t(bestCount));
  return lowerMedian(window);
}

double lineAt(const ClockModel& m, int32_t minute) { return m.offset + m.drift * (minute - m.reference); }

// Least squares through the points the line passes within `within` of; false when too few.
bool refit(ClockModel& line, const std::vector<Point>& points, double within) {
  double n = 0, st = 0, sv = 0, stt = 0, stv = 0;
  for (const Point& p : points) {
    if (std::abs(p.ahead - lineAt(line, p.minute)) > within) continue;
    const double t = p.minute - line.reference;
    n += 1;
    st += t;
    sv += p.ahead;
    stt += t * t;
    stv += t * p.ahead;
  }
  const double spread = n * stt - st * st;
  if (n < 8 || spread <= 0) return false;
  line.drift = (n * stv - st * sv) / spread;
  line.offset = (sv - line.drift * st) / n;
  return true;
}

// The median slope between points an hour or more apart (Theil and Sen's), from at most
// kSlopeSample points spread over the log: a few QSOs logged minutes off do not tilt it.
double medianSlope(const std::vector<Point>& points) {
  constexpr size_t kSlopeSample = 64;
  const size_t step = std::max<size_t>(1, points.size() / kSlopeSample);
  std::vector<double> slopes;
  for (size_t i = 0; i < points.size(); i += step)
    for (size_t j = i + step; j < points.size(); j += step)
      if (points[j].minute - points[i].minute >= 60)
        slopes.push_back(double(points[j].ahead - points[i].ahead) / (points[j].minute - points[i].minute));
  return slopes.empty() ? 0.0 : lowerMedian(slopes);
}

// A line through the points near the constant offset, started from the median slope and
// refitted on the points it explains. It is taken only when it explains clearly more pairs
// than the constant does.
bool fitDrift(std::vector<Point> points, int constant, size_t agreeing, ClockModel& model) {
  points.erase(std::remove_if(points.begin(), points.end(),
                              [&](const Point& p) { return std::abs(p.ahead - constant) > kDriftReach; }),
               points.end());
  const size_t n = points.size();
  if (n < 8) return false;
  std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.minute < b.minute; });
  const double span = points.back().minute - points.front().minute;
  if (span < kShortestDriftSpan) return false;
  ClockModel line;
  line.reference = points[n / 2].minute;
  line.drift = medianSlope(points);
  std::vector<double> levels;
  for (const Point& p : points) levels.push_back(p.ahead - line.drift * (p.minute - line.reference));
  line.offset = lowerMedian(levels);
  for (int round = 0; round < 3; ++round)
    if (!refit(line, points, kJitter + 0.5)) return false;
  if (std::abs(line.drift) * span < kSmallestDrift) return false;
  const size_t explained = size_t(std::count_if(points.begin(), points.end(), [&](const Point& p) {
    return std::abs(p.ahead - lineAt(line, p.minute)) <= kJitter + 0.5;
  }));
  if (explained < agreeing + std::max<size_t>(3, n / 10)) return false;
  model.offset = line.offset;
  model.drift = line.drift;
  model.reference = line.reference;
  return true;
}

bool searched(int32_t ahead, const ClockSearch& search) {
  return std::abs(ahead) <= search.largestOffset + kJitter || zoneOffset(ahead);
}

// A log whose date stayed behind at local midnight: besides the pairs that agree on
// `constant`, at least as many as make an offset agree on it a day apart, and the two sets lie
// apart in the log's own time, the one a day behind all before the other. Then `constant`
// becomes the offset of the later part, and the minute the later part starts is returned;
// INT32_MIN when the log is no such log. `lastBehind`: the last minute of the part a day behind.
int32_t dateSlip(std::vector<Point>& points, int& constant, size_t& agreeing, const ClockSearch& search,
                 int32_t& lastBehind) {
  const auto near = [](const Point& p, int32_t at) { return std::abs(p.ahead - at) <= 2 * kJitter; };
  for (const int32_t other : {constant - kDay, constant + kDay}) {
    const int32_t later = std::max<int32_t>(constant, other), earlier = later - kDay;
    int32_t lastEarlier = INT32_MIN, firstLater = INT32_MAX;
    size_t behind = 0, onTime = 0;
    for (const Point& p : points) {
      if (near(p, earlier)) {
        ++behind;
        lastEarlier = std::max(lastEarlier, p.minute);
      } else if (near(p, later)) {
        ++onTime;
        firstLater = std::min(firstLater, p.minute);
      }
    }
    // A log kept in local time crosses local midnight in the contest: there a pair or two
    // after midnight say enough. Elsewhere a pair a day apart is rather a partner's wrong date.
    const size_t fewest = std::abs(constant) > search.largestOffset + kJitter ? 1 : search.fewestPairs;
    if (behind < fewest || onTime < fewest || lastEarlier >= firstLater) continue;
    for (Point& p : points)
      if (p.minute < firstLater) p.ahead += kDay;
    constant = later;
    agreeing = behind + onTime;
    lastBehind = lastEarlier;
    return firstLater;
  }
  return INT32_MIN;
}

// One log's clock given its partners' clocks; false when its pairs are too few to tell, or do
// not agree: an offset beyond the ones any clock may have needs most of its pairs behind it.
bool estimate(const ClockPair* begin, const ClockPair* end, const std::vector<ClockModel>& clocks,
              const ClockSearch& search, ClockModel& model) {
  std::vector<Point> points;
  std::vector<int32_t> aheads;
  size_t timed = 0;
  for (const ClockPair* p = begin; p != end; ++p) {
    const ClockModel& partner = clocks[p->partner];
    if (partner.timeless) continue;
    ++timed;
    const int32_t ahead = p->minute - (p->partnerMinute - partner.aheadAt(p->partnerMinute));
    if (!searched(ahead, search)) continue;
    points.push_back({p->minute, ahead});
    aheads.push_back(ahead);
  }
  if (aheads.size() < search.fewestPairs) return false;
  size_t agreeing = 0;
  int constant = commonestOffset(aheads, agreeing);
  if (agreeing < search.fewestPairs) return false;
  int32_t lastBehind = INT32_MIN;
  const int32_t slip = dateSlip(points, constant, agreeing, search, lastBehind);
  const bool ordinary = std::abs(constant) <= search.largestOffset + kJitter && slip == INT32_MIN;
  if (!ordinary && 2 * agreeing <= timed) return false;
  model = ClockModel{};
  model.offset = constant;
  model.dateBehindBefore = slip;
  model.lastBehind = lastBehind;
  fitDrift(std::move(points), constant, agreeing, model);
  return true;
}

bool sameClocks(const std::vector<ClockModel>& a, const std::vector<ClockModel>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), [](const ClockModel& x, const ClockModel& y) {
    return x.offset == y.offset && x.drift == y.drift && x.reference == y.reference &&
           x.dateBehindBefore == y.dateBehindBefore && x.lastBehind == y.lastBehind;
  });
}

}  // namespace

bool zoneOffset(int32_t ahead) {
  for (const int32_t day : {-kDay, 0, kDay}) {
    const int32_t local = ahead - day;
    if (local < kWestmostZone - kZoneSlack || local > kEastmostZone + kZoneSlack) continue;
    const int32_t fromZone = ((local % kZoneStep) + kZoneStep) % kZoneStep;
    if (std::min(fromZone, kZoneStep - fromZone) <= kZoneSlack) return true;
  }
  return false;
}

int32_t farthestOffset(const ClockSearch& search) {
  return std::max(search.largestOffset + kJitter, kDay + kEastmostZone + kZoneSlack);
}

int32_t ClockModel::aheadAt(int32_t minute) const {
  const auto ahead = static_cast<int32_t>(std::lround(lineAt(*this, minute)));
  return minute < dateBehindBefore ? ahead - kDay : ahead;
}

void ClockPairs::layOut() {
  size_t at = 0;
  for (size_t e = 0; e + 1 < first_.size(); ++e) {
    first_[e] = at;
    for (std::vector<size_t>& part : next_) at += std::exchange(part[e], at);
  }
  first_.back() = at;
  pairs_.resize(at);
}

void solveClocks(std::vector<ClockModel>& clocks, const ClockPairs& pairs, const ClockSearch& search) {
  // A few rounds settle it: a wrong clock shows in its own pairs at once and not in others'.
  // Each log's estimate reads only the last round's clocks: the two halves of the logs are
  // estimated side by side.
  struct Estimated {
    std::vector<uint32_t> whose;
    std::vector<int32_t> aheads;
  };
  const uint32_t entrants = uint32_t(pairs.entrants());
  const size_t total = entrants ? size_t(pairs.end(entrants - 1) - pairs.begin(0)) : 0;
  uint32_t half = 0;  // where the second half starts: about half of all the pairs before it
  for (size_t before = 0; half < entrants && 2 * before < total; ++half)
    before += size_t(pairs.end(half) - pairs.begin(half));
  for (int round = 0; round < 6; ++round) {
    std::vector<ClockModel> next = clocks;
    Estimated parts[2];
    const auto estimateIn = [&](uint32_t from, uint32_t to, Estimated& part) {
      for (uint32_t e = from; e < to; ++e) {
        if (clocks[e].timeless) continue;
        next[e] = ClockModel{};
        if (!estimate(pairs.begin(e), pairs.end(e), clocks, search, next[e])) continue;
        part.whose.push_back(e);
        part.aheads.push_back(next[e].aheadAt(next[e].reference));
      }
    };
    onTwoThreads(total, [&] { estimateIn(0, half, parts[0]); }, [&] { estimateIn(half, entrants, parts[1]); });
    std::vector<uint32_t>& whose = parts[0].whose;
    std::vector<int32_t>& estimated = parts[0].aheads;
    whose.insert(whose.end(), parts[1].whose.begin(), parts[1].whose.end());
    estimated.insert(estimated.end(), parts[1].aheads.begin(), parts[1].aheads.end());
    if (!estimated.empty()) {
      const int32_t typical = lowerMedian(estimated);
      for (uint32_t e : whose) next[e].offset -= typical;
    }
    if (sameClocks(next, clocks)) break;
    clocks.swap(next);
  }
}

}  // namespace rdac
