#pragma once
// Every log of a contest held compactly for the cross-check: 5,000 logs of 1,000 QSOs fit in
// a few hundred megabytes because each text is stored once and a QSO holds numbers only.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/text_ids.h"
#include "rdac/logs/logged_qso.h"

namespace rdac {

// Five million of these in a contest's check: the X-QSO flag shares a word with the entrant, so
// one takes 48 bytes, not 56.
struct CheckedQso {
  uint32_t entrant : 31;
  uint32_t xQso : 1;  // not counted for its log, at its sender's request; it confirms the partner's
  int32_t minute = 0;  // as logged, minutes since 30 December 1899
  uint32_t call = 0;       // as logged
  uint32_t station = 0;    // the call without its portable suffix
  uint32_t exchSent = 0, exchRcvd = 0;  // as logged
  uint32_t rstSent = 0, rstRcvd = 0, band = 0, mode = 0;
  uint32_t pairBand = 0;  // the band it pairs on: as logged, or the band whose edge its frequency is near
  uint32_t freqHz = 0;
  CheckedQso() : entrant(0), xQso(0) {}
};
static_assert(sizeof(CheckedQso) == 48);

struct Entrant {
  std::string source;  // the file the log came from
  uint32_t call = 0;     // as its header names it
  uint32_t station = 0;  // without its portable suffix
  size_t first = 0, count = 0;  // its QSOs in SubmittedLogs::qsos, in time order
  size_t skipped = 0;    // QSO lines of its file that could not be read
  bool checklog = false;  // checked and a help to its partners, but not ranked
  std::string prefixOnlyCall;  // the header's call when it was only a prefix ("RN0")
  std::string category;  // as its header or the committee gives it; empty: none given
  std::string area;      // where it is ranked within its category (standings.h)
};

// A log of a station that the committee cannot use (no QSO in it, or most of its lines
// unreadable): its partners are judged as if it had sent none.
struct SetAsideLog {
  std::string source;
  uint32_t call = 0;
  std::string why;  // "holds no QSO", "read 1 of 7 QSO lines"
};

// Received and sent exchanges compare by this key: the readers' spelling of the exchange
// ("599 MA3" = "МА-03" = "MA-03"), upper case, without blanks and dashes, a serial number
// without its leading zeros ("007" = "7").
std::string exchangeKey(std::string_view exchange);

struct SubmittedLogs {
  stats::TextIds calls;  // calls as logged and their stations
  stats::TextIds texts;  // exchanges, reports, bands and modes
  std::vector<Entrant> entrants;
  std::vector<CheckedQso> qsos;

  // Adds one log; its QSOs are taken in time order (equal times in file order). A log of a station
  // that has one already becomes that station's log.
  void add(const std::string& source, const std::string& ownCall, const std::vector<LoggedQso>& logged);
  // Takes the entrants out whose flag is set, with their QSOs; the others keep their order. Once
  // for all, as it moves every QSO.
  void drop(const std::vector<bool>& dropped);
  void setAside(const std::string& source, const std::string& ownCall, const std::string& why);
  // The set-aside log of a station without a log checked, or null.
  const SetAsideLog* setAsideOf(uint32_t station) const;
  std::vector<SetAsideLog> setAsideLogs;
  // The QSO as a reader would have handed it over.
  LoggedQso logged(const CheckedQso& qso) const;
  // The entrant whose log is that station's, or -1.
  int entrantOf(uint32_t station) const;
  // The id of the exchange's exchangeKey, for an exchange as logged.
  uint32_t exchangeKeyOf(uint32_t exchange) const { return keyOfText_[exchange]; }

 private:
  std::unordered_map<uint32_t, uint32_t> entrantByStation_, setAsideByStation_;
  // Contest logs repeat their calls and exchanges: each is derived once.
  std::vector<uint32_t> stationOfCall_, keyOfText_;
  uint32_t stationOf(uint32_t call);
  uint32_t exchange(const std::string& logged);
};

}  // namespace rdac
