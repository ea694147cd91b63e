#include "rdac/crosscheck/submitted_logs.h"

#include <algorithm>
#include <numeric>

#include "platform/text.h"
#include "rdac/crosscheck/call_edits.h"
#include "rdac/logs/band_plan.h"
#include "rdac/logs/log_files.h"
#include "rdac/logs/logged_exchange.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {

std::string exchangeKey(std::string_view exchange) {
  std::string key;
  for (char c : normalisedExchange(exchange))
    if (!stats::isAsciiSpace(c) && c != '-') key += c;
  key = stats::toUpperAscii(key);
  const bool serial = !key.empty() && std::all_of(key.begin(), key.end(), stats::isAsciiDigit);
  if (serial) key.erase(0, std::min(key.find_first_not_of('0'), key.size() - 1));
  return key;
}

void SubmittedLogs::add(const std::string& source, const std::string& ownCall, const std::vector<LoggedQso>& logged) {
  Entrant entrant;
  entrant.source = source;
  entrant.call = calls.idOf(ownCall);
  entrant.station = stationOf(entrant.call);
  entrant.first = qsos.size();
  entrant.count = logged.size();
  const uint32_t index = static_cast<uint32_t>(entrants.size());
  entrantByStation_[entrant.station] = index;
  entrants.push_back(entrant);

  // A log's QSOs mostly repeat the band, mode, reports and sent exchange of the one before:
  // those take the id it was given.
  const LoggedQso* before = nullptr;
  for (size_t i : timeOrder(logged)) {
    const LoggedQso& q = logged[i];
    const CheckedQso* b = before ? &qsos.back() : nullptr;
    const auto idOf = [&](const std::string LoggedQso::*field, uint32_t CheckedQso::*id) {
      return b && q.*field == before->*field ? b->*id : texts.idOf(q.*field);
    };
    CheckedQso c;
    c.entrant = index;
    c.minute = static_cast<int32_t>(minuteOf(q.time));
    c.call = calls.idOf(q.call);
    c.station = stationOf(c.call);
    c.exchSent = b && q.exchSent == before->exchSent ? b->exchSent : exchange(q.exchSent);
    c.exchRcvd = exchange(q.exchRcvd);
    c.rstSent = idOf(&LoggedQso::rstSent, &CheckedQso::rstSent);
    c.rstRcvd = idOf(&LoggedQso::rstRcvd, &CheckedQso::rstRcvd);
    c.band = idOf(&LoggedQso::band, &CheckedQso::band);
    c.mode = idOf(&LoggedQso::mode, &CheckedQso::mode);
    if (!q.band.empty() || q.freqHz == 0) c.pairBand = c.band;
    else if (b && b->band == c.band && b->freqHz / 1000 == q.freqHz / 1000) c.pairBand = b->pairBand;
    else c.pairBand = texts.idOf(bandNearKHz(q.freqHz / 1000));
    c.freqHz = q.freqHz;
    c.xQso = q.xQso;
    qsos.push_back(c);
    before = &q;
  }
}

void SubmittedLogs::drop(const std::vector<bool>& dropped) {
  std::vector<Entrant> kept;
  std::vector<uint32_t> renumbered(entrants.size(), UINT32_MAX);
  for (size_t e = 0; e < entrants.size(); ++e) {
    if (e < dropped.size() && dropped[e]) continue;
    renumbered[e] = static_cast<uint32_t>(kept.size());
    kept.push_back(std::move(entrants[e]));
  }
  size_t next = 0;
  for (size_t i = 0; i < qsos.size(); ++i) {
    const uint32_t entrant = renumbered[qsos[i].entrant];
    if (entrant == UINT32_MAX) continue;
    qsos[next] = qsos[i];
    qsos[next++].entrant = entrant;
  }
  qsos.resize(next);
  size_t first = 0;
  entrantByStation_.clear();
  for (uint32_t e = 0; e < kept.size(); ++e) {
    kept[e].first = first;
    first += kept[e].count;
    entrantByStation_[kept[e].station] = e;
  }
  entrants.swap(kept);
}

uint32_t SubmittedLogs::stationOf(uint32_t call) {
  constexpr uint32_t kUnknown = stats::TextIds::kNone;
  if (stationOfCall_.size() <= call) stationOfCall_.resize(calls.size(), kUnknown);
  if (stationOfCall_[call] == kUnknown) {
    const uint32_t station = calls.idOf(std::string(rdac::stationOf(calls.text(call))));
    stationOfCall_.resize(calls.size(), kUnknown);  // the station may be a new call
    stationOfCall_[call] = station;
  }
  return stationOfCall_[call];
}

uint32_t SubmittedLogs::exchange(const std::string& logged) {
  constexpr uint32_t kUnknown = stats::TextIds::kNone;
  const uint32_t id = texts.idOf(logged);
  if (keyOfText_.size() <= id) keyOfText_.resize(texts.size(), kUnknown);
  if (keyOfText_[id] == kUnknown) {
    const uint32_t key = texts.idOf(exchangeKey(logged));
    keyOfText_.resize(texts.size(), kUnknown);
    keyOfText_[id] = key;
  }
  return id;
}

LoggedQso SubmittedLogs::logged(const CheckedQso& c) const {
  LoggedQso q;
  q.call = calls.text(c.call);
  q.time.m_dt = c.minute / 1440.0;
  q.freqHz = c.freqHz;
  q.mode = texts.text(c.mode);
  q.band = texts.text(c.band);
  q.rstSent = texts.text(c.rstSent);
  q.rstRcvd = texts.text(c.rstRcvd);
  q.exchSent = texts.text(c.exchSent);
  q.exchRcvd = texts.text(c.exchRcvd);
  q.xQso = c.xQso;
  return q;
}

void SubmittedLogs::setAside(const std::string& source, const std::string& ownCall, const std::string& why) {
  const uint32_t call = calls.idOf(ownCall);
  setAsideByStation_.emplace(stationOf(call), static_cast<uint32_t>(setAsideLogs.size()));
  setAsideLogs.push_back({source, call, why});
}

const SetAsideLog* SubmittedLogs::setAsideOf(uint32_t station) const {
  const auto found = setAsideByStation_.find(station);
  return found == setAsideByStation_.end() || entrantOf(station) >= 0 ? nullptr : &setAsideLogs[found->second];
}

int SubmittedLogs::entrantOf(uint32_t station) const {
  const auto found = entrantByStation_.find(station);
  return found == entrantByStation_.end() ? -1 : static_cast<int>(found->second);
}

}  // namespace rdac
