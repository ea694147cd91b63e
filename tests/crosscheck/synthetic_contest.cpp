#include "tests/crosscheck/synthetic_contest.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <unordered_map>
#include <unordered_set>

#include "platform/ole_date_time.h"
#include "rdac/crosscheck/call_edits.h"

namespace rdac::testing {
namespace {

const char* const kBands[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
const int kBandKHz[] = {1810, 3510, 7010, 14010, 21010, 28010};
const char* const kModes[] = {"CW", "SSB"};
// Regions of examples/rda_sample.dat, so the plug-in knows the districts.
const char* const kRegions[] = {"YR", "TO", "OM", "ZK", "TL", "NN", "EA", "TA", "KA", "VL", "SM", "SE"};
const char* const kRussianPrefixes[] = {"RA", "RK", "RN", "RU", "RW", "RZ", "UA", "UB", "UD"};
const char kRussianDigits[] = "134690";
const char* const kOtherPrefixes[] = {"DL", "G", "F", "OK", "SP", "I", "EA", "JA", "K", "W", "N", "VE",
                                      "LY", "ES", "YO", "HA", "OH", "SM", "ON", "PA"};
const char* const kPortable[] = {"/P", "/M", "/QRP"};
const char kCallCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

enum class Fault { none, bustedCall, bustedExchange, nil, time, band };

struct Station {
  std::string base, signs;  // signs: with its portable suffix
  bool russian = false, hasLog = false, rare = false, mobile = false;
  std::string district, laterDistrict;  // a mobile moves at half time
  int clock = 0;
  int log = -1;  // its index in the contest's logs
};

struct TrueQso {
  uint32_t a, b;
  int minute, band, mode;
  bool dupe = false;        // a repeat of an earlier QSO on that band and mode
  bool sharesSlot = false;  // it or its repeat: left free of faults, to keep the truth plain
  Fault fault = Fault::none;
  bool faultOnA = true;
  int serialA = 0, serialB = 0;
};

class Generator {
 public:
  explicit Generator(const SyntheticOptions& o) : o_(o), rng_(o.seed) {}

  SyntheticContest make() {
    makeStations();
    makeQsos();
    numberSerials();
    injectFaults();
    return writeLogs();
  }

 private:
  const SyntheticOptions& o_;
  std::mt19937 rng_;
  std::vector<Station> stations_;
  std::unordered_set<std::string> bases_;
  std::vector<TrueQso> qsos_;
  std::unordered_set<uint64_t> slots_;

  size_t below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  template <class T, size_t N>
  const T& pick(const T (&items)[N]) { return items[below(N)]; }

  std::string newCall(bool russian) {
    for (;;) {
      std::string call = russian ? std::string(pick(kRussianPrefixes)) + kRussianDigits[below(6)]
                                 : std::string(pick(kOtherPrefixes)) + char('1' + below(9));
      for (size_t n = 2 + below(2), i = 0; i < n; ++i) call += char('A' + below(26));
      if (bases_.insert(call).second) return call;
    }
  }

  std::string district() {
    char number[4];
    std::snprintf(number, sizeof number, "%02zu", 1 + below(30));
    return std::string(pick(kRegions)) + "-" + number;
  }

  void makeStations() {
    const size_t total = o_.logs + o_.activeWithoutLog + o_.rareWithoutLog;
    for (size_t i = 0; i < total; ++i) {
      Station s;
      s.russian = chance(0.4);
      s.base = newCall(s.russian);
      s.signs = chance(0.05) ? s.base + pick(kPortable) : s.base;
      s.hasLog = i < o_.logs;
      s.rare = i >= o_.logs + o_.activeWithoutLog;
      s.district = district();
      s.mobile = s.russian && chance(0.05);
      s.laterDistrict = s.mobile ? district() : s.district;
      if (s.hasLog && chance(o_.wrongClockShare)) s.clock = int(2 + below(6)) * (chance(0.5) ? 1 : -1);
      stations_.push_back(s);
    }
  }

  uint64_t slotKey(uint32_t a, uint32_t b, int band, int mode) const {
    return (uint64_t{std::min(a, b)} << 36) | (uint64_t{std::max(a, b)} << 8) | uint64_t(band * 2 + mode);
  }

  bool addQso(uint32_t a, uint32_t b, int minute, int band, int mode) {
    if (a == b || !slots_.insert(slotKey(a, b, band, mode)).second) return false;
    qsos_.push_back({a, b, minute, band, mode});
    return true;
  }

  void makeQsos() {
    const size_t busy = o_.logs + o_.activeWithoutLog;
    const size_t wanted = busy * o_.qsosPerLog / 2;  // each log then holds about qsosPerLog
    while (qsos_.size() < wanted)
      addQso(uint32_t(below(busy)), uint32_t(below(busy)), int(below(1440)), int(below(6)), int(below(2)));
    for (uint32_t r = uint32_t(busy); r < stations_.size(); ++r)
      for (size_t n = 1 + below(2), made = 0; made < n;)
        made += addQso(r, uint32_t(below(o_.logs)), int(below(1440)), int(below(6)), int(below(2)));
    // Worked again on the same band and mode, an hour or more later.
    for (size_t n = qsos_.size() / 200, i = 0; i < n; ++i) {
      TrueQso& first = qsos_[below(qsos_.size())];
      if (first.sharesSlot || stations_[first.a].rare || stations_[first.b].rare) continue;
      first.sharesSlot = true;
      TrueQso repeat = first;
      repeat.minute = first.minute < 720 ? first.minute + int(60 + below(240)) : first.minute - int(60 + below(240));
      const bool later = repeat.minute > first.minute;
      (later ? repeat : first).dupe = true;
      qsos_.push_back(repeat);
    }
  }

  void numberSerials() {
    std::vector<std::vector<std::pair<int, size_t>>> byStation(stations_.size());
    for (size_t i = 0; i < qsos_.size(); ++i) {
      byStation[qsos_[i].a].push_back({qsos_[i].minute, i});
      byStation[qsos_[i].b].push_back({qsos_[i].minute, i});
    }
    for (uint32_t s = 0; s < byStation.size(); ++s) {
      std::sort(byStation[s].begin(), byStation[s].end());
      for (size_t n = 0; n < byStation[s].size(); ++n) {
        TrueQso& q = qsos_[byStation[s][n].second];
        (q.a == s ? q.serialA : q.serialB) = int(n + 1);
      }
    }
  }

  void injectFaults() {
    const Fault kinds[] = {Fault::bustedCall, Fault::bustedExchange, Fault::nil, Fault::time, Fault::band};
    for (TrueQso& q : qsos_) {
      if (q.sharesSlot || !stations_[q.a].hasLog || !stations_[q.b].hasLog) continue;
      if (!chance(o_.faultShare * 5)) continue;
      q.fault = pick(kinds);
      q.faultOnA = chance(0.5);
      if (q.fault == Fault::band && !moveBand(q)) q.fault = Fault::none;
    }
  }

  // The wrong band one side logs, where the two have no QSO on that band and mode.
  bool moveBand(TrueQso& q) {
    for (int tries = 0; tries < 6; ++tries) {
      const int band = int(below(6));
      if (band != q.band && slots_.insert(slotKey(q.a, q.b, band, q.mode)).second) {
        wrongBand_[&q - qsos_.data()] = band;
        return true;
      }
    }
    return false;
  }
  std::unordered_map<size_t, int> wrongBand_;

  std::string bustedCall(const std::string& call) {
    for (;;) {
      std::string busted = call;
      const size_t at = below(call.size());
      switch (below(4)) {
        case 0: busted[at] = kCallCharacters[below(36)]; break;
        case 1: busted.insert(busted.begin() + std::ptrdiff_t(at), kCallCharacters[below(36)]); break;
        case 2: if (call.size() > 3) busted.erase(at, 1); break;
        default: if (at + 1 < call.size()) std::swap(busted[at], busted[at + 1]); break;
      }
      if (busted != call && !bases_.count(busted)) return busted;
    }
  }

  std::string exchangeOf(const Station& s, int minute, int serial) const {
    if (!s.russian) {
      char text[8];
      std::snprintf(text, sizeof text, "%03d", serial);
      return text;
    }
    return minute < 720 ? s.district : s.laterDistrict;
  }

  std::string bustedExchange(const std::string& right) {
    for (;;) {
      std::string busted = right;
      const size_t at = right.size() - 1 - below(2);  // the last digits
      busted[at] = char('0' + below(10));
      if (busted != right && !(right.size() == 5 && busted.substr(3) == "00")) return busted;
    }
  }

  SyntheticContest writeLogs();
  void logSide(const TrueQso& q, size_t index, bool sideA, SyntheticContest& contest);
};

void Generator::logSide(const TrueQso& q, size_t index, bool sideA, SyntheticContest& contest) {
  const Station& own = stations_[sideA ? q.a : q.b];
  const Station& other = stations_[sideA ? q.b : q.a];
  const bool faulty = q.fault != Fault::none && q.faultOnA == sideA;
  if (!own.hasLog || (faulty && q.fault == Fault::nil)) return;
  SyntheticLog& log = contest.logs[size_t(own.log)];
  LoggedQso logged;
  // Partners of a portable station mostly log its suffix, some leave it out.
  logged.call = other.signs != other.base && chance(0.2) ? other.base : other.signs;
  int minute = q.minute + own.clock;
  int band = q.band;
  if (faulty && q.fault == Fault::bustedCall) logged.call = bustedCall(other.base) + logged.call.substr(other.base.size());
  if (faulty && q.fault == Fault::time) minute += int(8 + below(13)) * (chance(0.5) ? 1 : -1);
  if (faulty && q.fault == Fault::band) band = wrongBand_.at(index);
  const int day = 19 + (720 + minute) / 1440 - (720 + minute < 0 ? 1 : 0);
  const int ofDay = ((720 + minute) % 1440 + 1440) % 1440;
  logged.time = stats::COleDateTime::fromParts(2017, 8, day, ofDay / 60, ofDay % 60);
  logged.band = kBands[band];
  logged.mode = kModes[q.mode];
  logged.freqHz = uint32_t(kBandKHz[band] + (q.mode == 1 ? 100 : 0)) * 1000;
  logged.rstSent = logged.rstRcvd = q.mode == 0 ? "599" : "59";
  logged.exchSent = exchangeOf(own, q.minute, sideA ? q.serialA : q.serialB);
  logged.exchRcvd = exchangeOf(other, q.minute, sideA ? q.serialB : q.serialA);
  if (faulty && q.fault == Fault::bustedExchange) logged.exchRcvd = bustedExchange(logged.exchRcvd);

  Verdict truth = Verdict::ok;
  if (q.dupe) truth = Verdict::dupe;
  else if (q.fault == Fault::time) truth = Verdict::timeMismatch;
  else if (q.fault == Fault::band) truth = Verdict::bandMismatch;
  else if (q.fault == Fault::nil) truth = Verdict::nil;
  else if (q.fault == Fault::bustedCall) truth = faulty ? Verdict::bustedCall : Verdict::partnerError;
  else if (q.fault == Fault::bustedExchange) truth = faulty ? Verdict::bustedExchange : Verdict::partnerError;
  else if (!other.hasLog) truth = Verdict::unique;  // or credited: decided once all logs are known
  log.qsos.push_back(std::move(logged));
  log.truth.push_back(truth);
  log.rightCall.push_back(faulty && q.fault == Fault::bustedCall ? other.signs : std::string());
}

// As a logger writes it, and as the checker holds it, so truth and outcome line up.
void inTimeOrder(SyntheticLog& log) {
  std::vector<size_t> order(log.qsos.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return log.qsos[a].time.m_dt < log.qsos[b].time.m_dt; });
  SyntheticLog sorted{log.ownCall, {}, {}, {}, log.clockOffset};
  for (size_t i : order) {
    sorted.qsos.push_back(std::move(log.qsos[i]));
    sorted.truth.push_back(log.truth[i]);
    sorted.rightCall.push_back(std::move(log.rightCall[i]));
  }
  log = std::move(sorted);
}

SyntheticContest Generator::writeLogs() {
  SyntheticContest contest;
  for (Station& s : stations_) {
    if (!s.hasLog) continue;
    s.log = int(contest.logs.size());
    contest.logs.push_back({s.signs, {}, {}, {}, s.clock});
  }
  for (size_t i = 0; i < qsos_.size(); ++i) {
    logSide(qsos_[i], i, true, contest);
    logSide(qsos_[i], i, false, contest);
  }
  for (SyntheticLog& log : contest.logs) inTimeOrder(log);
  if (!o_.withTruth) return contest;
  std::unordered_map<std::string, std::unordered_set<size_t>> holders;
  for (size_t l = 0; l < contest.logs.size(); ++l)
    for (const LoggedQso& q : contest.logs[l].qsos) holders[std::string(stationOf(q.call))].insert(l);
  for (SyntheticLog& log : contest.logs)
    for (size_t i = 0; i < log.qsos.size(); ++i)
      if (log.truth[i] == Verdict::unique && holders[std::string(stationOf(log.qsos[i].call))].size() >= 3)
        log.truth[i] = Verdict::noLogCredited;
  return contest;
}

}  // namespace

SyntheticContest makeContest(const SyntheticOptions& options) { return Generator(options).make(); }

std::string cabrilloText(const SyntheticLog& log) {
  std::string text = "START-OF-LOG: 3.0\r\nCONTEST: RDAC\r\nCALLSIGN: " + log.ownCall + "\r\n";
  char line[160];
  for (const LoggedQso& q : log.qsos) {
    std::snprintf(line, sizeof line, "QSO: %5u %s %s %s %-13s %s %-6s %-13s %s %s\r\n", q.freqHz / 1000,
                  q.mode == "SSB" ? "PH" : "CW", q.time.Format("%Y-%m-%d").c_str(), q.time.Format("%H%M").c_str(),
                  log.ownCall.c_str(), q.rstSent.c_str(), q.exchSent.c_str(), q.call.c_str(), q.rstRcvd.c_str(),
                  q.exchRcvd.c_str());
    text += line;
  }
  return text + "END-OF-LOG:\r\n";
}

}  // namespace rdac::testing
