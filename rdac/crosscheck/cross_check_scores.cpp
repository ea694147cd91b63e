#include "rdac/crosscheck/cross_check_scores.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <forward_list>
#include <optional>
#include <unordered_map>

#include "rdac/logs/log_text.h"
#include "rdac/score/result_numbers.h"

namespace rdac {
namespace {

class EntrantScorer {
 public:
  EntrantScorer(PluginLibrary& plugin, const CountryFile& countries, const SubmittedLogs& logs)
      : plugin_(plugin), countries_(countries), logs_(logs), resolved_(logs.calls.size()) {}

  // Resets the plug-in for the entrant; false when its own call has no country.
  bool reset(const Entrant& entrant) {
    const std::optional<Country>& own = countryOf(entrant.call);
    if (!own) return false;
    HostReset values;
    values.ownFolder = "./";
    values.ownCall = logs_.calls.text(entrant.call);  // with its suffix: the points rule reads it
    values.ownPrefix = own->prefix;
    values.ownContinent = own->continent;
    values.contestStart.m_dt = logs_.qsos[entrant.first].minute / 1440.0;
    values.contestEnd.m_dt = logs_.qsos[entrant.first + entrant.count - 1].minute / 1440.0;
    ownCall_ = callText(entrant.call);
    plugin_.reset(values);
    return true;
  }

  // What rdac score passes for the QSO as logged, its texts converted once for the contest.
  void feed(const CheckedQso& qso) {
    const std::optional<Country>& country = countryOf(qso.call);
    if (!country) return;  // as rdac score: a call the country file places nowhere is not scored
    PluginQso passed{callText(qso.call), text(qso.mode), logs_.texts.text(qso.band).c_str(), text(qso.rstSent),
                     text(qso.rstRcvd), text(qso.exchSent), text(qso.exchRcvd), country->prefix.c_str(),
                     country->continent.c_str(), {}, qso.freqHz};
    passed.time.m_dt = qso.minute / 1440.0;
    plugin_.addQso(ownCall_, passed);
  }

  ResultNumbers result() { return readResultNumbers(plugin_.result()).value_or(ResultNumbers{}); }

 private:
  PluginLibrary& plugin_;
  const CountryFile& countries_;
  const SubmittedLogs& logs_;
  std::vector<std::optional<std::optional<Country>>> resolved_;  // by call id, once
  std::vector<const char*> callTexts_, texts_;                   // by id, once: null until needed
  std::forward_list<std::string> converted_;
  const char* ownCall_ = "";

  const char* callText(uint32_t id) { return pluginTextOf(logs_.calls, id, callTexts_); }
  const char* text(uint32_t id) { return pluginTextOf(logs_.texts, id, texts_); }
  const char* pluginTextOf(const stats::TextIds& ids, uint32_t id, std::vector<const char*>& known) {
    if (known.size() <= id) known.resize(ids.size(), nullptr);
    if (!known[id]) known[id] = pluginText(ids.text(id), converted_);
    return known[id];
  }

  const std::optional<Country>& countryOf(uint32_t call) {
    auto& known = resolved_[call];
    if (!known) known = countries_.resolve(logs_.calls.text(call));
    return *known;
  }
};

// What the entrant claims: every QSO of its log but those it asked not to be counted. The check
// gives those QSOs, and only those, the X-QSO verdict.
bool claimedQso(const SubmittedLogs& logs, size_t qso) { return !logs.qsos[qso].xQso; }

int64_t multipliersOf(const ResultNumbers& r) { return r.dxccColumn ? r.dxcc + r.rda : r.rda; }

// The claimed score alone: the plug-in reset for the entrant and fed what it claims.
void scoreClaimed(EntrantScorer& scorer, const SubmittedLogs& logs, const Entrant& entrant, EntrantScore& score) {
  for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) score.claimedQsos += claimedQso(logs, i);
  if (entrant.count == 0 || !scorer.reset(entrant)) return;
  score.scored = true;
  for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i)
    if (claimedQso(logs, i)) scorer.feed(logs.qsos[i]);
  const ResultNumbers claimed = scorer.result();
  score.claimedScore = claimed.score;
  score.claimedPoints = claimed.points;
}

// The stage in which a QSO is fed when an entrant is scored in one pass: what counts, then (for
// a penalty) the own errors, then the rest of what it claims. -1: not claimed, never fed.
int stageOf(const SubmittedLogs& logs, const CheckOutcome& outcome, bool penalty, size_t qso) {
  if (!claimedQso(logs, qso)) return -1;
  if (outcome.countsQso(qso)) return 0;
  return penalty && ownError(outcome.qsos[qso].verdict) ? 1 : 2;
}

// Whether feeding in stages, each in time order, leaves the plug-in with the dupes it marks when
// fed in time order. It marks the later QSOs of a call, band and mode (as their bytes), whatever
// they are: the stages keep that when no QSO comes in a later stage than a later one of its call,
// band and mode. Texts beyond ASCII, which reach the plug-in converted, are not trusted to that.
// A chance collision of two keys only makes an entrant go the longer way.
class StageOrder {
 public:
  bool keepsDupes(const SubmittedLogs& logs, const CheckOutcome& outcome, bool penalty, const Entrant& entrant) {
    latest_.clear();
    for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) {
      const int stage = stageOf(logs, outcome, penalty, i);
      if (stage < 0) continue;
      const CheckedQso& q = logs.qsos[i];
      if (!ascii(logs.calls, q.call, callAscii_) || !ascii(logs.texts, q.band, textAscii_) ||
          !ascii(logs.texts, q.mode, textAscii_))
        return false;
      const uint64_t key = (uint64_t{q.call} << 32) | ((q.band * 65599u + q.mode) & 0xFFFFFFFFu);
      int& latest = latest_.try_emplace(key, stage).first->second;
      if (stage < latest) return false;
      latest = stage;
    }
    return true;
  }

 private:
  std::unordered_map<uint64_t, int> latest_;
  std::vector<int8_t> callAscii_, textAscii_;  // by id: -1 not known yet

  static bool ascii(const stats::TextIds& ids, uint32_t id, std::vector<int8_t>& known) {
    if (known.size() <= id) known.resize(ids.size(), -1);
    if (known[id] < 0) known[id] = isAscii(ids.text(id));
    return known[id] != 0;
  }
};

}  // namespace

size_t scoreClaimedWhile(PluginLibrary& plugin, const CountryFile& countries, const SubmittedLogs& logs,
                         const std::atomic<bool>& stop, std::vector<EntrantScore>& scores) {
  EntrantScorer scorer(plugin, countries, logs);
  scores.assign(logs.entrants.size(), EntrantScore{});
  size_t e = 0;
  for (; e < logs.entrants.size() && !stop.load(std::memory_order_relaxed); ++e)
    scoreClaimed(scorer, logs, logs.entrants[e], scores[e]);
  return e;
}

void scoreEntrants(PluginLibrary& plugin, const CountryFile& countries, const SubmittedLogs& logs,
                   const CheckOutcome& outcome, double penalty, size_t first, size_t last, size_t claimedBefore,
                   const std::function<void(size_t)>& progress, std::vector<EntrantScore>& scores) {
  EntrantScorer scorer(plugin, countries, logs);
  StageOrder stageOrder;
  scores.resize(logs.entrants.size());
  const auto feedStage = [&](const Entrant& entrant, int stage) {
    for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i)
      if (stageOf(logs, outcome, penalty > 0, i) == stage) scorer.feed(logs.qsos[i]);
  };
  for (size_t e = first; e < last; ++e) {
    const Entrant& entrant = logs.entrants[e];
    EntrantScore& score = scores[e];
    const bool claimedKnown = e < claimedBefore;
    if (!claimedKnown) score = EntrantScore{};
    for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) {
      if (!claimedKnown) score.claimedQsos += claimedQso(logs, i);
      score.checkedQsos += outcome.countsQso(i);
    }
    if (claimedKnown ? !score.scored : entrant.count == 0 || !scorer.reset(entrant)) continue;
    score.scored = true;
    // A log whose every claimed QSO counts is fed alike both times: one feeding gives both
    // scores (what counts is claimed, so equal numbers are the same QSOs).
    const bool allCount = score.checkedQsos == score.claimedQsos;
    if (claimedKnown && allCount && penalty == 0) {
      score.checkedScore = score.claimedScore;
      score.checkedPoints = score.claimedPoints;
      if (progress) progress(e + 1 - first);
      continue;
    }
    // Where the stages mark the dupes time order marks, one reset and one feeding of what it
    // claims give every score: the checked one after what counts, the claimed one at the end.
    const bool staged = !claimedKnown && !allCount && stageOrder.keepsDupes(logs, outcome, penalty > 0, entrant);
    if (!claimedKnown && !allCount && !staged) {
      for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i)
        if (claimedQso(logs, i)) scorer.feed(logs.qsos[i]);
      const ResultNumbers claimed = scorer.result();
      score.claimedScore = claimed.score;
      score.claimedPoints = claimed.points;
    }
    if (claimedKnown || (!allCount && !staged)) scorer.reset(entrant);
    feedStage(entrant, 0);
    const ResultNumbers checked = scorer.result();
    score.checkedScore = checked.score;
    score.checkedPoints = checked.points;
    if (allCount && !claimedKnown) {
      score.claimedScore = checked.score;
      score.claimedPoints = checked.points;
    }
    if (penalty > 0) {
      // The points the own errors would have earned: fed after the QSOs that count.
      feedStage(entrant, 1);
      const int errorPoints = scorer.result().points - checked.points;
      score.penaltyPoints = static_cast<int>(std::lround(penalty * errorPoints));
      score.checkedPoints -= score.penaltyPoints;
      score.checkedScore = int64_t{score.checkedPoints} * multipliersOf(checked);
    }
    if (staged) {
      feedStage(entrant, 2);
      const ResultNumbers claimed = scorer.result();
      score.claimedScore = claimed.score;
      score.claimedPoints = claimed.points;
    }
    if (progress) progress(e + 1 - first);
  }
}

}  // namespace rdac
