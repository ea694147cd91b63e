#include "rdac/crosscheck/cross_check.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <unordered_map>

#include "rdac/crosscheck/call_edits.h"
#include "rdac/crosscheck/two_threads.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

constexpr uint32_t kNoQso = QsoCheck::kNoQso;
// A QSO offers its log's clock estimate its nearest few QSOs of the partner on its band and
// mode, so that a log repeating one QSO costs no more than any other.
constexpr int kClockCandidates = 4;
// How many of a partner's QSOs near its time a leftover QSO looks at for a busted call, at most.
constexpr int kBustLookups = 1024;
// More QSOs in one minute than anyone makes: a log whose times are mostly one minute and that
// many in it, or all of them in it, carries no time. A small log's busy minute does.
constexpr size_t kBusiestMinute = 6;
constexpr int32_t kMinutesPerDay = 24 * 60;

// A QSO whose worked station sent a log. Sorted, all QSOs between two stations lie together,
// by band and mode, then by which of the two logged them, then by time.
struct PairEntry {
  uint64_t pair;   // lower station id in the high half
  int32_t minute;  // corrected by the log's clock offset once that is known
  uint32_t qso;
  uint16_t slot;   // band and mode
  uint8_t side;    // 1: logged by the higher station
  bool timeless;   // logged by a log whose times carry nothing: paired by order
  uint32_t entrant;  // whose log holds it: in what was padding, read without a look at the QSO
};
static_assert(sizeof(PairEntry) == 24);

// A type of its own rather than a function pointer, so that std::sort inlines it.
struct EntryBefore {
  bool operator()(const PairEntry& a, const PairEntry& b) const {
    return std::tie(a.pair, a.slot, a.side, a.minute, a.qso) < std::tie(b.pair, b.slot, b.side, b.minute, b.qso);
  }
};

uint64_t pairOf(uint32_t x, uint32_t y) {
  return x < y ? (uint64_t{x} << 32) | y : (uint64_t{y} << 32) | x;
}

struct Candidate {
  int distance;
  uint32_t a, b;  // indexes into the entries
  uint32_t place = 0;  // b's among the QSOs it was picked from
  bool operator<(const Candidate& o) const { return std::tie(distance, a, b) < std::tie(o.distance, o.a, o.b); }
};

// Which of n places are still free: the nearest free place either way of a given one, in
// near-constant time however many were taken.
class FreeSlots {
 public:
  void reset(size_t n) {
    next_.resize(n + 1);
    before_.resize(n + 1);
    for (size_t i = 0; i <= n; ++i) next_[i] = before_[i] = i;
  }
  // The first free place from i on; n when none.
  size_t nextFrom(size_t i) { return find(next_, i); }
  // The last free place before i; n (as the size) when none.
  size_t lastBefore(size_t i) {
    const size_t found = find(before_, i);
    return found == 0 ? next_.size() - 1 : found - 1;
  }
  void take(size_t i) {
    next_[i] = i + 1;
    before_[i + 1] = i;
  }

 private:
  std::vector<size_t> next_, before_;  // before_[i + 1] stands for place i; before_[0]: none
  static size_t find(std::vector<size_t>& links, size_t i) {
    size_t root = i;
    while (links[root] != root) root = links[root];
    while (links[i] != root) i = std::exchange(links[i], root);
    return root;
  }
};

class Checker {
 public:
  Checker(const SubmittedLogs& logs, const CheckPolicy& policy, const std::function<void(size_t)>& progress)
      : logs_(logs), policy_(policy), progress_(progress) {
    out_.qsos.resize(logs.qsos.size());
    out_.partnerErrorsCount = policy.partnerErrorsCount;
    decided_.assign(logs.qsos.size(), false);
  }

  CheckOutcome run() {
    findTimelessLogs();
    buildPairIndex();
    estimateClocks();
    placeDateSlips();
    // One log's QSOs with one station stay in order, its clock's correction never decreasing,
    // unless its date stayed behind for a part of it.
    bool reordered = false;
    for (PairEntry& e : entries_) {
      const ClockModel& clock = out_.clocks[e.entrant];
      if (!e.timeless) e.minute -= clock.aheadAt(e.minute);
      reordered |= clock.dateSlipped();
    }
    if (reordered) sortEntries();
    pairGroups([&](size_t begin, size_t end, Scratch& s) {
      pairTimeless(begin, end, s);
      pairWithinSlots(begin, end, policy_.windowMinutes, Verdict::ok, s);
    });
    checkExchanges();
    report();
    pairGroups([&](size_t begin, size_t end, Scratch& s) {
      pairWithinSlots(begin, end, policy_.clockWindowMinutes, Verdict::timeMismatch, s);
      pairDayApart(begin, end, s);
      pairAcrossSlots(begin, end, s);
    });
    findBustedCalls();
    pairAwayDroppedAcrossSlots();
    report();
    judgeLeftovers();
    markOutOfPeriod();
    markDupes();
    markXQsos();
    return std::move(out_);
  }

 private:
  const SubmittedLogs& logs_;
  const CheckPolicy& policy_;
  const std::function<void(size_t)>& progress_;
  CheckOutcome out_;
  std::vector<uint8_t> decided_;  // bytes, not bits: read in every pairing step
  std::vector<PairEntry> entries_;
  std::unordered_map<uint64_t, uint16_t> slots_;
  size_t paired_ = 0;
  // The pairing's room to work in, one for each thread that pairs groups.
  struct Scratch {
    std::vector<uint32_t> sideA, sideB;  // entries pairNearest pairs
    FreeSlots freeB;
    std::vector<Candidate> heap;
    size_t paired = 0;
  };
  Scratch scratch_[2];
  std::unordered_map<uint64_t, std::vector<uint32_t>> timelessQsos_;  // by log and worked station

  void report() {
    if (progress_) progress_(paired_);
  }

  static uint64_t slotKey(const CheckedQso& q) { return (uint64_t{q.pairBand} << 32) | q.mode; }

  // Band and mode pairs are few; a log with junk in them shares the last slot among its junk.
  uint16_t slotOf(const CheckedQso& q) {
    const auto next = static_cast<uint16_t>(std::min<size_t>(slots_.size(), UINT16_MAX - 1));
    return slots_.try_emplace(slotKey(q), next).first->second;
  }

  // Counted first: grown by doubling, the index of a contest's millions of QSOs would need
  // half as much again while it moves.
  void buildPairIndex() {
    std::vector<uint8_t> sentLog(logs_.calls.size(), 0);  // by station
    for (const Entrant& entrant : logs_.entrants) sentLog[entrant.station] = 1;
    const auto pairedWithLog = [&](const CheckedQso& q) {
      return q.station != logs_.entrants[q.entrant].station && sentLog[q.station];
    };
    entries_.reserve(size_t(std::count_if(logs_.qsos.begin(), logs_.qsos.end(), pairedWithLog)));
    uint64_t lastKey = UINT64_MAX;  // a log's QSOs mostly stay on one band and mode a while
    uint16_t lastSlot = 0;
    for (uint32_t i = 0; i < logs_.qsos.size(); ++i) {
      const CheckedQso& q = logs_.qsos[i];
      if (!pairedWithLog(q)) continue;
      if (slotKey(q) != lastKey) lastKey = slotKey(q), lastSlot = slotOf(q);
      const uint32_t own = logs_.entrants[q.entrant].station;
      entries_.push_back({pairOf(own, q.station), q.minute, i, lastSlot, uint8_t(own > q.station),
                          out_.clocks[q.entrant].timeless, q.entrant});
    }
    sortEntries();
  }

  // The groups of entries [from, to), which starts and ends between two groups.
  template <class Fn>
  void forEachGroupIn(size_t from, size_t to, Fn&& fn) const {
    for (size_t begin = from; begin < to;) {
      size_t end = begin;
      while (end < to && entries_[end].pair == entries_[begin].pair) ++end;
      fn(begin, end);
      begin = end;
    }
  }

  // `fn(begin, end, scratch)` for each group, those of the index's first half on a thread of
  // their own: the QSOs of two stations are theirs alone, so the threads decide disjoint QSOs,
  // each group as it would be on its own, in any order.
  template <class Fn>
  void pairGroups(Fn&& fn) {
    const size_t middle = groupsMiddle();
    const auto pairIn = [&](size_t from, size_t to, Scratch& s) {
      forEachGroupIn(from, to, [&](size_t begin, size_t end) { fn(begin, end, s); });
    };
    onTwoThreads(
        entries_.size(), [&] { pairIn(0, middle, scratch_[1]); }, [&] { pairIn(middle, entries_.size(), scratch_[0]); });
    for (Scratch& s : scratch_) paired_ += std::exchange(s.paired, 0);
  }

  // Where the index's second half begins: the first group that starts past its middle.
  size_t groupsMiddle() const {
    size_t middle = entries_.size() / 2;
    while (middle < entries_.size() && middle > 0 && entries_[middle].pair == entries_[middle - 1].pair) ++middle;
    return middle;
  }

  // Sorted by a pivot into two parts, each sorted on a thread of its own. The order is total
  // (the QSO decides last), so the outcome is the one sort's.
  void sortEntries() {
    auto middle = entries_.begin();
    if (entries_.size() >= kTwoThreadsFrom) {
      std::vector<PairEntry> sample;
      for (size_t i = 0; i < 63; ++i) sample.push_back(entries_[i * entries_.size() / 63]);
      std::nth_element(sample.begin(), sample.begin() + 31, sample.end(), EntryBefore());
      const PairEntry pivot = sample[31];
      middle = std::partition(entries_.begin(), entries_.end(), [&](const PairEntry& e) { return EntryBefore()(e, pivot); });
    }
    onTwoThreads(entries_.size(), [&] { std::sort(entries_.begin(), middle, EntryBefore()); },
                 [&] { std::sort(middle, entries_.end(), EntryBefore()); });
  }

  // `fn(first, sideB, end)` for each band and mode of a group: [first, sideB) logged by the
  // lower station, [sideB, end) by the higher, each in time order.
  template <class Fn>
  void forEachSlot(size_t begin, size_t end, Fn&& fn) const {
    for (size_t slotBegin = begin; slotBegin < end;) {
      size_t slotEnd = slotBegin, sideB = slotBegin;
      while (slotEnd < end && entries_[slotEnd].slot == entries_[slotBegin].slot) ++slotEnd;
      while (sideB < slotEnd && entries_[sideB].side == 0) ++sideB;
      fn(slotBegin, sideB, slotEnd);
      slotBegin = slotEnd;
    }
  }

  // A log whose times are mostly one minute (all at 0000, say) says nothing by them: an offset
  // found for it would mean nothing and put NILs on its partners.
  void findTimelessLogs() {
    out_.clocks.assign(logs_.entrants.size(), ClockModel{});
    for (size_t e = 0; e < logs_.entrants.size(); ++e) {
      const Entrant& entrant = logs_.entrants[e];
      size_t commonest = 0;
      for (size_t i = entrant.first, run = 0; i < entrant.first + entrant.count; ++i) {
        run = i > entrant.first && logs_.qsos[i].minute == logs_.qsos[i - 1].minute ? run + 1 : 1;
        commonest = std::max(commonest, run);
      }
      out_.clocks[e].timeless =
          commonest >= 3 && (commonest == entrant.count || (commonest > kBusiestMinute && 2 * commonest > entrant.count));
    }
  }

  // Each QSO of one side with the nearest few of the other on its band and mode, as far apart as
  // two clocks off in opposite directions can put them.
  template <class Fn>
  void forEachClockPair(size_t from, size_t to, Fn&& fn) const {
    const int reach = 2 * farthestOffset(clockSearch()) + policy_.windowMinutes;
    forEachGroupIn(from, to, [&](size_t begin, size_t end) {
      forEachSlot(begin, end, [&](size_t first, size_t sideB, size_t slotEnd) {
        if (first == sideB || sideB == slotEnd || entries_[first].timeless || entries_[sideB].timeless) return;
        for (size_t a = first; a < sideB; ++a) {
          const int32_t minute = entries_[a].minute;
          size_t right = size_t(std::partition_point(entries_.begin() + std::ptrdiff_t(sideB),
                                                     entries_.begin() + std::ptrdiff_t(slotEnd),
                                                     [&](const PairEntry& e) { return e.minute < minute; }) -
                                entries_.begin());
          size_t left = right;
          for (int taken = 0; taken < kClockCandidates; ++taken) {
            const int toLeft = left > sideB ? minute - entries_[left - 1].minute : INT_MAX;
            const int toRight = right < slotEnd ? entries_[right].minute - minute : INT_MAX;
            if (std::min(toLeft, toRight) > reach) break;
            fn(a, toLeft <= toRight ? --left : right++);
          }
        }
      });
    });
  }

  // The pairs of the index's two halves are gathered side by side, each log's in index order.
  void estimateClocks() {
    ClockPairs pairs(logs_.entrants.size(), 2);
    const auto entrantOf = [&](size_t entry) { return entries_[entry].entrant; };
    const size_t middle = groupsMiddle();
    const auto inHalves = [&](auto&& fn) {
      onTwoThreads(
          entries_.size(), [&] { forEachClockPair(0, middle, [&](size_t a, size_t b) { fn(a, b, 0); }); },
          [&] { forEachClockPair(middle, entries_.size(), [&](size_t a, size_t b) { fn(a, b, 1); }); });
    };
    inHalves([&](size_t a, size_t b, size_t part) {
      pairs.count(entrantOf(a), part);
      pairs.count(entrantOf(b), part);
    });
    pairs.layOut();
    inHalves([&](size_t a, size_t b, size_t part) {
      pairs.add(entrantOf(a), {entrantOf(b), entries_[a].minute, entries_[b].minute}, part);
      pairs.add(entrantOf(b), {entrantOf(a), entries_[b].minute, entries_[a].minute}, part);
    });
    solveClocks(out_.clocks, pairs, clockSearch());
  }

  // Between the last pair a day behind and the first on time, the log's date rolled where its
  // QSOs pause longest: the station was off the air round local midnight or the start, and a
  // QSO with a station that sent no log goes with its neighbours.
  void placeDateSlips() {
    for (uint32_t e = 0; e < logs_.entrants.size(); ++e) {
      ClockModel& clock = out_.clocks[e];
      if (!clock.dateSlipped()) continue;
      const Entrant& entrant = logs_.entrants[e];
      int32_t previous = clock.lastBehind, longest = 0, split = clock.dateBehindBefore;
      for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) {
        const int32_t minute = logs_.qsos[i].minute;
        if (minute <= clock.lastBehind) continue;
        if (minute > clock.dateBehindBefore) break;
        if (minute - previous > longest) {
          longest = minute - previous;
          split = minute;
        }
        previous = minute;
      }
      clock.dateBehindBefore = split;
    }
  }

  ClockSearch clockSearch() const {
    ClockSearch search;
    search.largestOffset = policy_.largestClockOffset;
    return search;
  }

  void decide(uint32_t qso, Verdict verdict, uint32_t partnerQso, uint32_t partnerCall) {
    out_.qsos[qso] = {verdict, partnerQso, partnerCall};
    decided_[qso] = true;
  }

  // The call of the log that holds the QSO, as its header gives it.
  uint32_t ownerCall(uint32_t qso) const { return logs_.entrants[logs_.qsos[qso].entrant].call; }

  void pairUp(uint32_t a, uint32_t b, Verdict verdict, Scratch& s) {
    const uint32_t qa = entries_[a].qso, qb = entries_[b].qso;
    decide(qa, verdict, qb, logs_.entrants[entries_[b].entrant].call);
    decide(qb, verdict, qa, logs_.entrants[entries_[a].entrant].call);
    ++s.paired;
  }

  // A log without usable times pairs with its partner in the order both logged their QSOs on
  // a band and mode.
  void pairTimeless(size_t begin, size_t end, Scratch& s) {
    forEachSlot(begin, end, [&](size_t first, size_t sideB, size_t slotEnd) {
      if (first == sideB || sideB == slotEnd || (!entries_[first].timeless && !entries_[sideB].timeless)) return;
      for (size_t a = first, b = sideB; a < sideB && b < slotEnd; ++a, ++b) pairUp(a, b, Verdict::ok, s);
    });
  }

  // The undecided QSOs of a slot's two sides into the scratch; false when a side has none.
  bool undecidedSides(size_t first, size_t sideB, size_t slotEnd, Scratch& s) const {
    s.sideA.clear();
    s.sideB.clear();
    for (size_t a = first; a < sideB; ++a) keepUndecided(s.sideA, a);
    for (size_t b = sideB; b < slotEnd; ++b) keepUndecided(s.sideB, b);
    return !s.sideA.empty() && !s.sideB.empty();
  }

  void pairWithinSlots(size_t begin, size_t end, int window, Verdict verdict, Scratch& s) {
    forEachSlot(begin, end, [&](size_t first, size_t sideB, size_t slotEnd) {
      if (undecidedSides(first, sideB, slotEnd, s)) pairNearest(window, verdict, false, s);
    });
  }

  // A QSO both logs hold a day apart is one whose date slipped where no offset of the log could
  // say so (too few pairs, or the two parts interleave): it is in the other log, so it is no NIL,
  // and its time is wrong on one side or the other.
  void pairDayApart(size_t begin, size_t end, Scratch& s) {
    for (const int32_t day : {kMinutesPerDay, -kMinutesPerDay}) {
      forEachSlot(begin, end, [&](size_t first, size_t sideB, size_t slotEnd) {
        if (!undecidedSides(first, sideB, slotEnd, s)) return;
        for (uint32_t b : s.sideB) entries_[b].minute += day;
        pairNearest(policy_.clockWindowMinutes, Verdict::timeMismatch, false, s);
        for (uint32_t b : s.sideB) entries_[b].minute -= day;
      });
    }
  }

  void pairAcrossSlots(size_t begin, size_t end, Scratch& s) {
    s.sideA.clear();
    s.sideB.clear();
    for (size_t e = begin; e < end; ++e) keepUndecided(entries_[e].side == 0 ? s.sideA : s.sideB, e);
    if (s.sideA.empty() || s.sideB.empty()) return;
    std::sort(s.sideB.begin(), s.sideB.end(), [&](uint32_t x, uint32_t y) {
      return std::tie(entries_[x].minute, x) < std::tie(entries_[y].minute, y);
    });
    pairNearest(policy_.windowMinutes, Verdict::bandMismatch, true, s);
  }

  void keepUndecided(std::vector<uint32_t>& side, size_t entry) const {
    if (!decided_[entries_[entry].qso]) side.push_back(uint32_t(entry));
  }

  // Pairs the undecided side A with side B (sorted by minute, then index) within the window: nearest first,
  // equal distances in index order, so the outcome never depends on hashing. Each QSO of side A
  // holds only its nearest free partner and looks again when that one is taken, so memory stays
  // linear where listing every pair would not: two logs that hold one QSO 10,000 times each make
  // 100 million pairs.
  void pairNearest(int window, Verdict verdict, bool otherSlotsOnly, Scratch& s) {
    const size_t n = s.sideB.size();
    s.freeB.reset(n);
    const auto minute = [&](size_t b) { return entries_[s.sideB[b]].minute; };
    const auto firstAt = [&](int32_t m) {
      return size_t(std::partition_point(s.sideB.begin(), s.sideB.end(), [&](uint32_t e) { return entries_[e].minute < m; }) -
                    s.sideB.begin());
    };
    const auto fits = [&](uint32_t a, size_t b) { return !otherSlotsOnly || entries_[s.sideB[b]].slot != entries_[a].slot; };
    // Most slots hold one QSO on each side: paired at once when the search below would.
    if (n == 1 && s.sideA.size() == 1) {
      const uint32_t a = s.sideA[0];
      if (fits(a, 0) && std::abs(int64_t{minute(0)} - entries_[a].minute) <= window) pairUp(a, s.sideB[0], verdict, s);
      return;
    }
    // The free b nearest to a, the lowest index among equals.
    const auto nearest = [&](uint32_t a, Candidate& found) {
      const int32_t m = entries_[a].minute;
      const size_t split = firstAt(m);
      bool any = false;
      for (size_t b = s.freeB.nextFrom(split); b < n && minute(b) <= m + window; b = s.freeB.nextFrom(b + 1)) {
        if (!fits(a, b)) continue;
        found = {minute(b) - m, a, s.sideB[b], uint32_t(b)};
        any = true;
        break;
      }
      for (size_t last = s.freeB.lastBefore(split); last < n && minute(last) >= m - window;) {
        const size_t sameMinute = firstAt(minute(last));
        size_t b = s.freeB.nextFrom(sameMinute);
        while (b <= last && !fits(a, b)) b = s.freeB.nextFrom(b + 1);
        if (b <= last) {
          const Candidate left{m - minute(b), a, s.sideB[b], uint32_t(b)};
          if (!any || left < found) found = left;
          return true;
        }
        last = s.freeB.lastBefore(sameMinute);
      }
      return any;
    };
    const auto later = [](const Candidate& x, const Candidate& y) { return y < x; };
    s.heap.clear();
    for (uint32_t a : s.sideA) {
      Candidate c;
      if (nearest(a, c)) s.heap.push_back(c);
    }
    std::make_heap(s.heap.begin(), s.heap.end(), later);
    while (!s.heap.empty()) {
      std::pop_heap(s.heap.begin(), s.heap.end(), later);
      Candidate c = s.heap.back();
      s.heap.pop_back();
      if (!decided_[entries_[c.b].qso]) {
        pairUp(c.a, c.b, verdict, s);
        s.freeB.take(c.place);
      } else if (nearest(c.a, c)) {
        s.heap.push_back(c);
        std::push_heap(s.heap.begin(), s.heap.end(), later);
      }
    }
  }

  // Both directions: what each side received against what the other logged as sent in that
  // same QSO, never against what the station sent elsewhere (a mobile changes district).
  void checkExchanges() {
    for (uint32_t i = 0; i < out_.qsos.size(); ++i) {
      QsoCheck& check = out_.qsos[i];
      if (!decided_[i] || check.verdict != Verdict::ok || i > check.partnerQso) continue;
      const CheckedQso& a = logs_.qsos[i];
      const CheckedQso& b = logs_.qsos[check.partnerQso];
      const bool aBusted = copiedWrong(a.exchRcvd, b.exchSent), bBusted = copiedWrong(b.exchRcvd, a.exchSent);
      if (aBusted) check.verdict = Verdict::bustedExchange;
      else if (bBusted) check.verdict = Verdict::partnerError;
      QsoCheck& other = out_.qsos[check.partnerQso];
      if (bBusted) other.verdict = Verdict::bustedExchange;
      else if (aBusted) other.verdict = Verdict::partnerError;
    }
  }

  // A log that gives no sent exchange says nothing against what its partner received.
  bool copiedWrong(uint32_t received, uint32_t sent) const {
    const uint32_t sentKey = logs_.exchangeKeyOf(sent);
    return !logs_.texts.text(sentKey).empty() && logs_.exchangeKeyOf(received) != sentKey;
  }

  // A leftover QSO whose call is one slip from a station that has a leftover QSO on that band
  // and mode near that time, logged with this log's station or a slip of it too: the call was
  // busted, on one side or on both.
  void findBustedCalls() {
    indexTimelessQsos();
    std::unordered_map<uint64_t, std::vector<uint32_t>> byKey;  // entrants
    std::unordered_map<std::string, std::vector<uint32_t>> byHome;
    for (uint32_t e = 0; e < logs_.entrants.size(); ++e) {
      const std::string& station = logs_.calls.text(logs_.entrants[e].station);
      for (uint64_t key : slipKeys(station)) byKey[key].push_back(e);
      // A slip in a prefix form (CRA1/RN4LL for RA1/RN4LL) is one of the call as signed.
      if (logs_.entrants[e].call != logs_.entrants[e].station)
        for (uint64_t key : slipKeys(logs_.calls.text(logs_.entrants[e].call))) byKey[key].push_back(e);
      const std::string_view home = homeOf(station);
      if (!home.empty()) byHome[std::string(home)].push_back(e);
    }
    // Which logs a QSO may be a bust of depends on no decision: that is gathered for every
    // undecided QSO on two threads first, and the busts are then decided in QSO order.
    std::vector<uint32_t> undecided;
    for (uint32_t i = 0; i < logs_.qsos.size(); ++i)
      if (!decided_[i]) undecided.push_back(i);
    struct Gathered {
      std::vector<uint32_t> ends;  // by QSO of the half: where its logs end in `logs`
      std::vector<uint32_t> logs;
    } halves[2];
    const size_t middle = undecided.size() / 2;
    const auto gatherIn = [&](size_t from, size_t to, Gathered& gathered) {
      std::vector<uint32_t> candidates;
      for (size_t k = from; k < to; ++k) {
        bustCandidates(undecided[k], byKey, byHome, candidates);
        gathered.logs.insert(gathered.logs.end(), candidates.begin(), candidates.end());
        gathered.ends.push_back(uint32_t(gathered.logs.size()));
      }
    };
    onTwoThreads(
        undecided.size(), [&] { gatherIn(0, middle, halves[0]); }, [&] { gatherIn(middle, undecided.size(), halves[1]); });
    std::vector<uint32_t> candidates;
    for (size_t k = 0; k < undecided.size(); ++k) {
      const uint32_t i = undecided[k];
      if (decided_[i]) continue;  // the partner of a bust found before
      const CheckedQso& q = logs_.qsos[i];
      const Gathered& gathered = halves[k < middle ? 0 : 1];
      const size_t at = k < middle ? k : k - middle;
      candidates.assign(gathered.logs.begin() + (at ? gathered.ends[at - 1] : 0), gathered.logs.begin() + gathered.ends[at]);
      const uint32_t partner = bustPartner(i, candidates);
      if (partner == kNoQso) continue;
      decide(i, Verdict::bustedCall, partner, ownerCall(partner));
      ++paired_;
      const CheckedQso& p = logs_.qsos[partner];
      if (p.station != logs_.entrants[q.entrant].station) {
        decide(partner, Verdict::bustedCall, i, ownerCall(i));
        continue;
      }
      // The victim's own copy of the buster's exchange is judged all the same.
      decide(partner, copiedWrong(p.exchRcvd, q.exchSent) ? Verdict::bustedExchange : Verdict::partnerError, i,
             ownerCall(i));
    }
  }

  // The logs, in order, whose station the undecided QSO `i` may have meant: one slip from the
  // call it logged (or from the call as signed), the station away from its home or at it.
  void bustCandidates(uint32_t i, const std::unordered_map<uint64_t, std::vector<uint32_t>>& byKey,
                      const std::unordered_map<std::string, std::vector<uint32_t>>& byHome,
                      std::vector<uint32_t>& candidates) const {
    const CheckedQso& q = logs_.qsos[i];
    const std::string& worked = logs_.calls.text(q.station);
    candidates.clear();
    const std::string& asLogged = logs_.calls.text(q.call);
    for (uint64_t key : slipKeys(worked)) {
      const auto found = byKey.find(key);
      if (found == byKey.end()) continue;
      for (uint32_t e : found->second)
        if (oneSlipApart(worked, logs_.calls.text(logs_.entrants[e].station)) ||
            oneSlipApart(asLogged, logs_.calls.text(logs_.entrants[e].call)))
          candidates.push_back(e);
    }
    if (const auto away = byHome.find(worked); away != byHome.end())
      candidates.insert(candidates.end(), away->second.begin(), away->second.end());
    if (const std::string_view home = homeOf(worked); !home.empty()) {
      const int atHome = logs_.entrantOf(logs_.calls.find(std::string(home)));
      if (atHome >= 0) candidates.push_back(uint32_t(atHome));
    }
    // A log is never its own partner: SM5XVC/P logging SM5XVC/1 worked another station.
    candidates.erase(std::remove(candidates.begin(), candidates.end(), q.entrant), candidates.end());
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  }

  // The deletion keys of a call and of its bare call: a slip in either is found by them.
  static std::vector<uint64_t> slipKeys(const std::string& call) {
    std::vector<uint64_t> keys = deletionKeys(call);
    const std::string_view bare = bareCall(call);
    if (bare.size() != call.size())
      for (uint64_t key : deletionKeys(bare)) keys.push_back(key);
    return keys;
  }

  // A log without usable times has its QSOs wherever its partner's are: those of timeless logs
  // and those with a timeless log's station, by log and worked station, so that a bust is found
  // however far into the partner's log its QSO lies.
  void indexTimelessQsos() {
    std::vector<bool> timelessStation(logs_.calls.size(), false);
    bool any = false;
    for (uint32_t e = 0; e < logs_.entrants.size(); ++e)
      if (out_.clocks[e].timeless) any = timelessStation[logs_.entrants[e].station] = true;
    if (!any) return;
    for (uint32_t i = 0; i < logs_.qsos.size(); ++i) {
      const CheckedQso& q = logs_.qsos[i];
      if (out_.clocks[q.entrant].timeless || timelessStation[q.station])
        timelessQsos_[(uint64_t{q.entrant} << 32) | q.station].push_back(i);
    }
  }

  // A log's QSOs in runs along which its corrected times never go back: one, or two when its
  // date stayed behind for a part of it.
  template <class Fn>
  void forEachTimeRun(uint32_t e, Fn&& fn) const {
    const auto begin = logs_.qsos.begin() + std::ptrdiff_t(logs_.entrants[e].first);
    const auto end = begin + std::ptrdiff_t(logs_.entrants[e].count);
    const ClockModel& clock = out_.clocks[e];
    const auto split = !clock.dateSlipped() ? begin : std::partition_point(begin, end, [&](const CheckedQso& c) {
      return c.minute < clock.dateBehindBefore;
    });
    if (split != begin) fn(begin, split);
    fn(split, end);
  }

  // Two QSOs that are each a slip of the other's log's call are one QSO only when more than the
  // calls agree: at least one of the exchanges, as sent on one side and received on the other.
  // An exchange a log does not give agrees with nothing.
  bool exchangeAgrees(const CheckedQso& a, const CheckedQso& b) const {
    const auto agrees = [&](uint32_t received, uint32_t sent) {
      const uint32_t sentKey = logs_.exchangeKeyOf(sent);
      return !logs_.texts.text(sentKey).empty() && logs_.exchangeKeyOf(received) == sentKey;
    };
    return agrees(a.exchRcvd, b.exchSent) || agrees(b.exchRcvd, a.exchSent);
  }

  // The undecided QSO of one of the `entrants` that is the other side of `qso` with a busted
  // call: on its band and mode, within the bust window after clocks (any time when either log
  // has none), logged with the QSO's own station, or with a slip of it when an exchange agrees
  // too. The nearest in time; of equal ones, the one that logged the station right.
  uint32_t bustPartner(uint32_t qso, const std::vector<uint32_t>& entrants) const {
    const CheckedQso& q = logs_.qsos[qso];
    const uint32_t own = logs_.entrants[q.entrant].station;
    const int32_t minute = out_.correctedMinute(q), window = policy_.bustWindowMinutes;
    uint32_t best = kNoQso;
    int bestRank = INT_MAX;
    const auto consider = [&](uint32_t other, int distance) {
      const CheckedQso& c = logs_.qsos[other];
      if (decided_[other] || c.pairBand != q.pairBand || c.mode != q.mode) return;
      const bool rightCall = c.station == own;
      if (!rightCall && (!oneSlipApart(logs_.calls.text(c.station), logs_.calls.text(own)) || !exchangeAgrees(q, c)))
        return;
      const int rank = 2 * distance + !rightCall;
      if (rank < bestRank) {
        bestRank = rank;
        best = other;
      }
    };
    for (uint32_t e : entrants) {
      if (out_.clocks[q.entrant].timeless || out_.clocks[e].timeless) {
        const auto found = timelessQsos_.find((uint64_t{e} << 32) | own);
        if (found != timelessQsos_.end())
          for (uint32_t other : found->second) consider(other, 0);
        continue;
      }
      forEachTimeRun(e, [&](std::vector<CheckedQso>::const_iterator begin, std::vector<CheckedQso>::const_iterator end) {
        auto it = std::partition_point(begin, end, [&](const CheckedQso& c) {
          return out_.correctedMinute(c) < minute - window;
        });
        for (int looked = 0; it != end && looked < kBustLookups; ++it, ++looked) {
          const int distance = std::abs(out_.correctedMinute(*it) - minute);
          if (distance > window) break;
          consider(uint32_t(it - logs_.qsos.begin()), distance);
        }
      });
    }
    return best;
  }

  // A station away from home (RZ3XX/1) whose partner dropped its /N and logged another band or
  // mode as well: the QSO is in both logs, a band or mode mismatch, not a NIL and a bust.
  void pairAwayDroppedAcrossSlots() {
    for (uint32_t e = 0; e < logs_.entrants.size(); ++e) {
      const std::string_view home = homeOf(logs_.calls.text(logs_.entrants[e].station));
      const uint32_t homeId = home.empty() ? stats::TextIds::kNone : logs_.calls.find(std::string(home));
      if (homeId == stats::TextIds::kNone) continue;
      const Entrant& away = logs_.entrants[e];
      for (size_t i = away.first; i < away.first + away.count; ++i) {
        const CheckedQso& q = logs_.qsos[i];
        const int partner = logs_.entrantOf(q.station);
        if (decided_[i] || partner < 0 || uint32_t(partner) == e) continue;
        const uint32_t other = nearestWithStation(uint32_t(partner), homeId, q);
        if (other == kNoQso) continue;
        decide(uint32_t(i), Verdict::bandMismatch, other, ownerCall(other));
        decide(other, Verdict::bandMismatch, uint32_t(i), ownerCall(uint32_t(i)));
        ++paired_;
      }
    }
  }

  // The undecided QSO of log `e` with `station` on another band or mode than `q`, within the
  // window of it after clocks, the nearest.
  uint32_t nearestWithStation(uint32_t e, uint32_t station, const CheckedQso& q) const {
    const int32_t minute = out_.correctedMinute(q), window = policy_.windowMinutes;
    uint32_t best = kNoQso;
    int bestDistance = INT_MAX;
    forEachTimeRun(e, [&](std::vector<CheckedQso>::const_iterator begin, std::vector<CheckedQso>::const_iterator end) {
      auto it = std::partition_point(begin, end, [&](const CheckedQso& c) {
        return out_.correctedMinute(c) < minute - window;
      });
      for (; it != end; ++it) {
        const int distance = std::abs(out_.correctedMinute(*it) - minute);
        if (distance > window) break;
        const uint32_t other = uint32_t(it - logs_.qsos.begin());
        if (decided_[other] || it->station != station || (it->pairBand == q.pairBand && it->mode == q.mode)) continue;
        if (distance < bestDistance) {
          bestDistance = distance;
          best = other;
        }
      }
    });
    return best;
  }

  // How many logs hold each station: a station without a log is credited by that count.
  std::vector<uint32_t> logsHolding() const {
    std::vector<uint32_t> holding(logs_.calls.size(), 0), lastEntrant(logs_.calls.size(), UINT32_MAX);
    for (const CheckedQso& q : logs_.qsos) {
      if (lastEntrant[q.station] == q.entrant) continue;
      lastEntrant[q.station] = q.entrant;
      ++holding[q.station];
    }
    return holding;
  }

  void judgeLeftovers() {
    out_.logsHolding = logsHolding();
    const std::vector<uint32_t>& holding = out_.logsHolding;
    for (uint32_t i = 0; i < logs_.qsos.size(); ++i) {
      if (decided_[i]) continue;
      const CheckedQso& q = logs_.qsos[i];
      const Verdict verdict = logs_.entrantOf(q.station) >= 0                           ? Verdict::nil
                              : holding[q.station] >= uint32_t(policy_.creditedLogs) ? Verdict::noLogCredited
                                                                                      : Verdict::unique;
      decide(i, verdict, kNoQso, stats::TextIds::kNone);
    }
  }

  // A log whose QSOs all carry one and the same minute says nothing about when they were made.
  void markOutOfPeriod() {
    for (uint32_t e = 0; e < logs_.entrants.size(); ++e) {
      const Entrant& entrant = logs_.entrants[e];
      if (out_.clocks[e].timeless) continue;
      for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) {
        const int64_t minute = out_.correctedMinute(logs_.qsos[i]);
        if (minute < policy_.periodStart || minute >= policy_.periodEnd) out_.qsos[i].verdict = Verdict::outOfPeriod;
      }
    }
  }

  // A station counts once per band and mode: after the first QSO that counts, the others with
  // it there are dupes. One that did not count before it leaves room for a later one.
  void markDupes() {
    const uint32_t entrants = uint32_t(logs_.entrants.size());
    const uint32_t half = logs_.qsos.empty() ? 0 : uint32_t(logs_.qsos[logs_.qsos.size() / 2].entrant);
    onTwoThreads(logs_.qsos.size(), [&] { markDupes(0, half); }, [&] { markDupes(half, entrants); });
  }

  // Of the logs from `from` up to `to`; each log's QSOs are its own.
  void markDupes(uint32_t from, uint32_t to) {
    using QsoIt = std::vector<CheckedQso>::const_iterator;
    std::unordered_map<uint64_t, bool> counted;
    std::vector<std::pair<QsoIt, QsoIt>> runs;
    for (uint32_t e = from; e < to; ++e) {
      counted.clear();
      std::unordered_map<uint64_t, uint16_t> slotIds;
      runs.clear();
      forEachTimeRun(e, [&](QsoIt begin, QsoIt end) { runs.emplace_back(begin, end); });
      std::reverse(runs.begin(), runs.end());  // the part whose date stayed behind was made last
      for (const auto& [begin, end] : runs)
        for (QsoIt it = begin; it != end; ++it) {
          if (it->xQso) continue;
          const size_t i = size_t(it - logs_.qsos.begin());
          const auto slot = slotIds.try_emplace(slotKey(*it), static_cast<uint16_t>(slotIds.size())).first->second;
          bool& seen = counted[(uint64_t{it->station} << 16) | slot];
          if (seen && out_.qsos[i].verdict != Verdict::outOfPeriod) out_.qsos[i].verdict = Verdict::dupe;
          else seen = out_.countsQso(i);
        }
    }
  }

  // Paired and judged as any QSO, so the partner's copy is confirmed; never counted for its own log.
  void markXQsos() {
    for (uint32_t i = 0; i < logs_.qsos.size(); ++i)
      if (logs_.qsos[i].xQso) out_.qsos[i].verdict = Verdict::xQso;
  }
};

}  // namespace

CheckOutcome crossCheck(const SubmittedLogs& logs, const CheckPolicy& policy,
                        const std::function<void(size_t)>& progress) {
  return Checker(logs, policy, progress).run();
}

}  // namespace rdac
