#pragma once
// AddData0 and RemoveData0: keep the plug-in's log in step with the host's, one QSO at a time.
#include "log/call_args.h"
#include "log/log_session.h"

namespace stats {

// 1 when the QSO was stored (also as a dupe or with a refused district), 0 when refused for
// its band, mode or a missing exchange. Flagged and refused QSOs get bad-QSO lines.
int addQso(LogSession& log, const QsoArgs& qso);

// What a removal left behind for the lists built from the log.
struct QsoRemoval {
  int emptiedBand = -1;     // index of the band whose last record went, else -1
  bool logEmptied = false;  // no record left: workedBands is empty too
};

// Removes the earliest record with the QSO's call, mode, band and time, and its bad-QSO lines,
// leaving the log as a reload of the remaining records would: the next record of its call,
// band and mode is no longer a dupe, and a band without records leaves workedBands.
QsoRemoval removeQso(LogSession& log, const QsoArgs& qso);

// The district code a received exchange stands for: its first two and last two bytes,
// upper-cased and trimmed.
std::string normalisedDistrict(std::string_view exchRcvd);

}  // namespace stats
