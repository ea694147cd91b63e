#pragma once
// One QSO of a contest log as the readers hand it to the host, whatever format it came in,
// and what went wrong while reading.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/ole_date_time.h"

namespace rdac {

struct LoggedQso {
  std::string call;
  stats::COleDateTime time;
  uint32_t freqHz = 0;
  std::string mode;  // "CW", "SSB", or the log's own text for other modes
  std::string band;  // "20m" style; empty when neither band nor frequency says
  std::string rstSent;
  std::string rstRcvd;
  std::string exchSent;
  std::string exchRcvd;
  size_t line = 0;  // where the record starts in the file, for messages
  bool xQso = false;  // a Cabrillo X-QSO: not counted for its log, but it confirms the partner's
};

struct LogProblem {
  size_t line = 0;
  std::string message;
};

struct ContestLog {
  std::string ownCall;  // from the log's header or records; empty when it names none
  std::vector<LoggedQso> qsos;
  std::vector<LogProblem> problems;  // records skipped, each with its line
  size_t skippedQsos = 0;            // QSO lines or records among the problems
  bool checklog = false;             // CATEGORY-OPERATOR: CHECKLOG: sent to help its partners
  // The category header lines by what follows the word CATEGORY ("-OPERATOR", "-MODE", ...; ""
  // for Cabrillo 2's one CATEGORY: line), each value's words upper-cased and one blank apart.
  std::map<std::string, std::string> category;
  bool formatSeen = false;  // it holds what marks its format: an ADIF <EOH> or <EOR>, a Cabrillo
                            // START-OF-LOG: or QSO: line
};

}  // namespace rdac
