#include "rdac/crosscheck/cross_check_scores.h"

#include <atomic>
#include <cmath>
#include <optional>

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
    ownCall_ = values.ownCall;
    plugin_.reset(values);
    return true;
  }

  void feed(const CheckedQso& qso) {
    const std::optional<Country>& country = countryOf(qso.call);
    if (!country) return;  // as rdac score: a call the country file places nowhere is not scored
    const LoggedQso logged = logs_.logged(qso);
    HostQso host{&logged, country->prefix, country->continent};
    plugin_.addQso(ownCall_, host);
  }

  ResultNumbers result() { return readResultNumbers(plugin_.result()).value_or(ResultNumbers{}); }

 private:
  PluginLibrary& plugin_;
  const CountryFile& countries_;
  const SubmittedLogs& logs_;
  std::vector<std::optional<std::optional<Country>>> resolved_;  // by call id, once
  std::string ownCall_;

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
  scores.resize(logs.entrants.size());
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
    if (!claimedKnown && !allCount) {
      for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i)
        if (claimedQso(logs, i)) scorer.feed(logs.qsos[i]);
      const ResultNumbers claimed = scorer.result();
      score.claimedScore = claimed.score;
      score.claimedPoints = claimed.points;
    }
    if (claimedKnown || !allCount) scorer.reset(entrant);
    for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i)
      if (outcome.countsQso(i)) scorer.feed(logs.qsos[i]);
    const ResultNumbers checked = scorer.result();
    score.checkedScore = checked.score;
    score.checkedPoints = checked.points;
    if (allCount && !claimedKnown) {
      score.claimedScore = checked.score;
      score.claimedPoints = checked.points;
    }
    if (penalty > 0) {
      // The points the own errors would have earned: fed after the QSOs that count.
      for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i)
        if (ownError(outcome.qsos[i].verdict)) scorer.feed(logs.qsos[i]);
      const int errorPoints = scorer.result().points - checked.points;
      score.penaltyPoints = static_cast<int>(std::lround(penalty * errorPoints));
      score.checkedPoints -= score.penaltyPoints;
      score.checkedScore = int64_t{score.checkedPoints} * multipliersOf(checked);
    }
    if (progress) progress(e + 1 - first);
  }
}

}  // namespace rdac
