#include "rdac/crosscheck/cross_check.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <unordered_map>

#include "rdac/crosscheck/call_edits.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

constexpr uint32_t kNoQso = QsoCheck::kNoQso;
// A QSO offers its log's clock estimate its nearest few QSOs of the partner on its band and
// mode, so that a log repeating one QSO costs no more than any other.
constexpr int kClockCandidates = 4;
// How many of a partner's QSOs near its time a leftover QSO looks at for a busted call, at most.
constexpr int kBustLookups = 1024;

// A QSO whose worked station sent a log. Sorted, all QSOs between two stations lie together,
// by band and mode, then by which of the two logged them, then by time.
struct PairEntry {
  uint64_t pair;   // lower station id in the high half
  int32_t minute;  // corrected by the log's clock offset once that is known
  uint32_t qso;
  uint16_t slot;   // band and mode
  uint8_t side;    // 1: logged by the higher station
  bool timeless;   // logged by a log whose times carry nothing: paired by order
};

bool entryBefore(const PairEntry& a, const PairEntry& b) {
  return std::tie(a.pair, a.slot, a.side, a.minute, a.qso) < std::tie(b.pair, b.slot, b.side, b.minute, b.qso);
}

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
    // One log's QSOs with one station stay in order: its clock's correction never decreases.
    for (PairEntry& e : entries_)
      if (!e.timeless) e.minute -= out_.clocks[logs_.qsos[e.qso].entrant].aheadAt(e.minute);
    forEachGroup([&](size_t begin, size_t end) { pairTimeless(begin, end); });
    forEachGroup([&](size_t begin, size_t end) { pairWithinSlots(begin, end, policy_.windowMinutes, Verdict::ok); });
    checkExchanges();
    report();
    forEachGroup([&](size_t begin, size_t end) {
      pairWithinSlots(begin, end, policy_.clockWindowMinutes, Verdict::timeMismatch);
    });
    forEachGroup([&](size_t begin, size_t end) { pairAcrossSlots(begin, end); });
    findBustedCalls();
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
  std::vector<bool> decided_;
  std::vector<PairEntry> entries_;
  std::unordered_map<uint64_t, uint16_t> slots_;
  size_t paired_ = 0;
  std::vector<uint32_t> sideA_, sideB_;  // entries pairNearest pairs
  FreeSlots freeB_;
  std::vector<Candidate> heap_;

  void report() {
    if (progress_) progress_(paired_);
  }

  static uint64_t slotKey(const CheckedQso& q) { return (uint64_t{q.pairBand} << 32) | q.mode; }

  // Band and mode pairs are few; a log with junk in them shares the last slot among its junk.
  uint16_t slotOf(const CheckedQso& q) {
    const auto next = static_cast<uint16_t>(std::min<size_t>(slots_.size(), UINT16_MAX - 1));
    return slots_.try_emplace(slotKey(q), next).first->second;
  }

  void buildPairIndex() {
    for (uint32_t i = 0; i < logs_.qsos.size(); ++i) {
      const CheckedQso& q = logs_.qsos[i];
      const uint32_t own = logs_.entrants[q.entrant].station;
      if (q.station == own || logs_.entrantOf(q.station) < 0) continue;
      entries_.push_back({pairOf(own, q.station), q.minute, i, slotOf(q), uint8_t(own > q.station),
                          out_.clocks[q.entrant].timeless});
    }
    std::sort(entries_.begin(), entries_.end(), entryBefore);
  }

  template <class Fn>
  void forEachGroup(Fn&& fn) const {
    for (size_t begin = 0; begin < entries_.size();) {
      size_t end = begin;
      while (end < entries_.size() && entries_[end].pair == entries_[begin].pair) ++end;
      fn(begin, end);
      begin = end;
    }
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
      out_.clocks[e].timeless = commonest >= 3 && 2 * commonest > entrant.count;
    }
  }

  // Each QSO of one side with the nearest few of the other on its band and mode, as far apart as
  // two clocks off in opposite directions can put them.
  template <class Fn>
  void forEachClockPair(Fn&& fn) const {
    const int reach = 2 * policy_.largestClockOffset + policy_.windowMinutes;
    forEachGroup([&](size_t begin, size_t end) {
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

  void estimateClocks() {
    ClockPairs pairs(logs_.entrants.size());
    const auto entrantOf = [&](size_t entry) { return logs_.qsos[entries_[entry].qso].entrant; };
    forEachClockPair([&](size_t a, size_t b) {
      pairs.count(entrantOf(a));
      pairs.count(entrantOf(b));
    });
    forEachClockPair([&](size_t a, size_t b) {
      pairs.add(entrantOf(a), {entrantOf(b), entries_[a].minute, entries_[b].minute});
      pairs.add(entrantOf(b), {entrantOf(a), entries_[b].minute, entries_[a].minute});
    });
    ClockSearch search;
    search.largestOffset = policy_.largestClockOffset;
    solveClocks(out_.clocks, pairs, search);
  }

  void decide(uint32_t qso, Verdict verdict, uint32_t partnerQso, uint32_t partnerCall) {
    out_.qsos[qso] = {verdict, partnerQso, partnerCall};
    decided_[qso] = true;
  }

  // The call of the log that holds the QSO, as its header gives it.
  uint32_t ownerCall(uint32_t qso) const { return logs_.entrants[logs_.qsos[qso].entrant].call; }

  void pairUp(uint32_t a, uint32_t b, Verdict verdict) {
    const uint32_t qa = entries_[a].qso, qb = entries_[b].qso;
    decide(qa, verdict, qb, ownerCall(qb));
    decide(qb, verdict, qa, ownerCall(qa));
    ++paired_;
  }

  // A log without usable times pairs with its partner in the order both logged their QSOs on
  // a band and mode.
  void pairTimeless(size_t begin, size_t end) {
    forEachSlot(begin, end, [&](size_t first, size_t sideB, size_t slotEnd) {
      if (first == sideB || sideB == slotEnd || (!entries_[first].timeless && !entries_[sideB].timeless)) return;
      for (size_t a = first, b = sideB; a < sideB && b < slotEnd; ++a, ++b) pairUp(a, b, Verdict::ok);
    });
  }

  void pairWithinSlots(size_t begin, size_t end, int window, Verdict verdict) {
    for (size_t slotBegin = begin; slotBegin < end;) {
      size_t slotEnd = slotBegin, sideB = slotBegin;
      while (slotEnd < end && entries_[slotEnd].slot == entries_[slotBegin].slot) ++slotEnd;
      while (sideB < slotEnd && entries_[sideB].side == 0) ++sideB;
      sideA_.clear();
      sideB_.clear();
      for (size_t a = slotBegin; a < sideB; ++a) keepUndecided(sideA_, a);
      for (size_t b = sideB; b < slotEnd; ++b) keepUndecided(sideB_, b);
      if (!sideA_.empty() && !sideB_.empty()) pairNearest(window, verdict, false);
      slotBegin = slotEnd;
    }
  }

  void pairAcrossSlots(size_t begin, size_t end) {
    sideA_.clear();
    sideB_.clear();
    for (size_t e = begin; e < end; ++e) keepUndecided(entries_[e].side == 0 ? sideA_ : sideB_, e);
    if (sideA_.empty() || sideB_.empty()) return;
    std::sort(sideB_.begin(), sideB_.end(), [&](uint32_t x, uint32_t y) {
      return std::tie(entries_[x].minute, x) < std::tie(entries_[y].minute, y);
    });
    pairNearest(policy_.windowMinutes, Verdict::bandMismatch, true);
  }

  void keepUndecided(std::vector<uint32_t>& side, size_t entry) const {
    if (!decided_[entries_[entry].qso]) side.push_back(uint32_t(entry));
  }

  // Pairs the undecided sideA_ with sideB_ (sorted by minute, then index) within the window: nearest first,
  // equal distances in index order, so the outcome never depends on hashing. Each QSO of side A
  // holds only its nearest free partner and looks again when that one is taken, so memory stays
  // linear where listing every pair would not: two logs that hold one QSO 10,000 times each make
  // 100 million pairs.
  void pairNearest(int window, Verdict verdict, bool otherSlotsOnly) {
    const size_t n = sideB_.size();
    freeB_.reset(n);
    const auto minute = [&](size_t b) { return entries_[sideB_[b]].minute; };
    const auto firstAt = [&](int32_t m) {
      return size_t(std::partition_point(sideB_.begin(), sideB_.end(), [&](uint32_t e) { return entries_[e].minute < m; }) -
                    sideB_.begin());
    };
    const auto fits = [&](uint32_t a, size_t b) { return !otherSlotsOnly || entries_[sideB_[b]].slot != entries_[a].slot; };
    // The free b nearest to a, the lowest index among equals.
    const auto nearest = [&](uint32_t a, Candidate& found) {
      const int32_t m = entries_[a].minute;
      const size_t split = firstAt(m);
      bool any = false;
      for (size_t b = freeB_.nextFrom(split); b < n && minute(b) <= m + window; b = freeB_.nextFrom(b + 1)) {
        if (!fits(a, b)) continue;
        found = {minute(b) - m, a, sideB_[b], uint32_t(b)};
        any = true;
        break;
      }
      for (size_t last = freeB_.lastBefore(split); last < n && minute(last) >= m - window;) {
        const size_t sameMinute = firstAt(minute(last));
        size_t b = freeB_.nextFrom(sameMinute);
        while (b <= last && !fits(a, b)) b = freeB_.nextFrom(b + 1);
        if (b <= last) {
          const Candidate left{m - minute(b), a, sideB_[b], uint32_t(b)};
          if (!any || left < found) found = left;
          return true;
        }
        last = freeB_.lastBefore(sameMinute);
      }
      return any;
    };
    const auto later = [](const Candidate& x, const Candidate& y) { return y < x; };
    heap_.clear();
    for (uint32_t a : sideA_) {
      Candidate c;
      if (nearest(a, c)) heap_.push_back(c);
    }
    std::make_heap(heap_.begin(), heap_.end(), later);
    while (!heap_.empty()) {
      std::pop_heap(heap_.begin(), heap_.end(), later);
      Candidate c = heap_.back();
      heap_.pop_back();
      if (!decided_[entries_[c.b].qso]) {
        pairUp(c.a, c.b, verdict);
        freeB_.take(c.place);
      } else if (nearest(c.a, c)) {
        heap_.push_back(c);
        std::push_heap(heap_.begin(), heap_.end(), later);
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
    std::unordered_map<uint64_t, std::vector<uint32_t>> byKey;  // entrants
    std::unordered_map<std::string, std::vector<uint32_t>> byHome;
    for (uint32_t e = 0; e < logs_.entrants.size(); ++e) {
      const std::string& station = logs_.calls.text(logs_.entrants[e].station);
      for (uint64_t key : slipKeys(station)) byKey[key].push_back(e);
      const std::string_view home = homeOf(station);
      if (!home.empty()) byHome[std::string(home)].push_back(e);
    }
    std::vector<uint32_t> candidates;
    for (uint32_t i = 0; i < logs_.qsos.size(); ++i) {
      if (decided_[i]) continue;
      const CheckedQso& q = logs_.qsos[i];
      const std::string& worked = logs_.calls.text(q.station);
      candidates.clear();
      for (uint64_t key : slipKeys(worked)) {
        const auto found = byKey.find(key);
        if (found == byKey.end()) continue;
        for (uint32_t e : found->second)
          if (e != q.entrant && oneSlipApart(worked, logs_.calls.text(logs_.entrants[e].station))) candidates.push_back(e);
      }
      if (const auto away = byHome.find(worked); away != byHome.end())
        candidates.insert(candidates.end(), away->second.begin(), away->second.end());
      if (const std::string_view home = homeOf(worked); !home.empty()) {
        const int atHome = logs_.entrantOf(logs_.calls.find(std::string(home)));
        if (atHome >= 0) candidates.push_back(uint32_t(atHome));
      }
      std::sort(candidates.begin(), candidates.end());
      candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
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

  // The deletion keys of a call and of its bare call: a slip in either is found by them.
  static std::vector<uint64_t> slipKeys(const std::string& call) {
    std::vector<uint64_t> keys = deletionKeys(call);
    const std::string_view bare = bareCall(call);
    if (bare.size() != call.size())
      for (uint64_t key : deletionKeys(bare)) keys.push_back(key);
    return keys;
  }

  // The undecided QSO of one of the `entrants` that is the other side of `qso` with a busted
  // call: on its band and mode, within the bust window after clocks (any time when either log
  // has none), logged with the QSO's own station or a slip of it. The nearest in time; of equal
  // ones, the one that logged the station right.
  uint32_t bustPartner(uint32_t qso, const std::vector<uint32_t>& entrants) const {
    const CheckedQso& q = logs_.qsos[qso];
    const uint32_t own = logs_.entrants[q.entrant].station;
    const int32_t minute = out_.correctedMinute(q), window = policy_.bustWindowMinutes;
    uint32_t best = kNoQso;
    int bestRank = INT_MAX;
    for (uint32_t e : entrants) {
      const bool anyTime = out_.clocks[q.entrant].timeless || out_.clocks[e].timeless;
      const auto logBegin = logs_.qsos.begin() + std::ptrdiff_t(logs_.entrants[e].first);
      const auto logEnd = logBegin + std::ptrdiff_t(logs_.entrants[e].count);
      auto it = anyTime ? logBegin : std::partition_point(logBegin, logEnd, [&](const CheckedQso& c) {
        return out_.correctedMinute(c) < minute - window;
      });
      for (int looked = 0; it != logEnd && looked < kBustLookups; ++it, ++looked) {
        const int distance = anyTime ? 0 : std::abs(out_.correctedMinute(*it) - minute);
        if (distance > window) break;
        const uint32_t other = uint32_t(it - logs_.qsos.begin());
        if (decided_[other] || it->pairBand != q.pairBand || it->mode != q.mode) continue;
        const bool rightCall = it->station == own;
        if (!rightCall && !oneSlipApart(logs_.calls.text(it->station), logs_.calls.text(own))) continue;
        const int rank = 2 * distance + !rightCall;
        if (rank < bestRank) {
          bestRank = rank;
          best = other;
        }
      }
    }
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
    std::unordered_map<uint64_t, bool> counted;
    for (const Entrant& entrant : logs_.entrants) {
      counted.clear();
      std::unordered_map<uint64_t, uint16_t> slotIds;
      for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) {
        const CheckedQso& q = logs_.qsos[i];
        if (q.xQso) continue;
        const auto slot = slotIds.try_emplace(slotKey(q), static_cast<uint16_t>(slotIds.size())).first->second;
        bool& seen = counted[(uint64_t{q.station} << 16) | slot];
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
