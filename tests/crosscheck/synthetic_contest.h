#pragma once
// Made-up contests whose every QSO's right verdict is known: stations make true QSOs, then
// faults are injected (busted calls and exchanges, dropped QSOs, wrong times and bands, clocks
// off, dupes, portable calls, stations without a log). Deterministic for a seed.
#include <string>
#include <vector>

#include "rdac/crosscheck/cross_check.h"
#include "rdac/logs/logged_qso.h"

namespace rdac::testing {

struct SyntheticOptions {
  size_t logs = 250;                 // stations that send a log
  size_t activeWithoutLog = 30;      // busy stations that send none
  size_t rareWithoutLog = 20;        // stations that make one or two QSOs and send no log
  size_t qsosPerLog = 100;           // about
  unsigned seed = 1;
  double faultShare = 0.01;     // of the true QSOs, for each kind of fault
  double wrongClockShare = 0.06;  // logs whose clock is 2 to 7 minutes off
  bool withTruth = true;  // the large benchmark contest needs no truth
};

struct SyntheticLog {
  std::string ownCall;  // as its header gives it, /P or /QRP included
  std::vector<LoggedQso> qsos;
  std::vector<Verdict> truth;          // per QSO
  std::vector<std::string> rightCall;  // per QSO: the worked station's call where it was busted
  int clockOffset = 0;                 // minutes the log's clock was ahead
};

struct SyntheticContest {
  std::vector<SyntheticLog> logs;
};

SyntheticContest makeContest(const SyntheticOptions& options);

// The log as a Cabrillo file of QSO lines.
std::string cabrilloText(const SyntheticLog& log);

}  // namespace rdac::testing
