#pragma once
// One QSO of the plug-in's own copy of the log.
#include <cstdint>
#include <string>

#include "platform/ole_date_time.h"

namespace stats {

struct CInfo {
  std::string call;
  std::string prefix;  // folded at intake ("IT9" and "IG9" stored as "I")
  std::string continent;
  std::string band;  // as the host passed it, letter case kept
  std::string mode;
  std::string rstRcvd;
  std::string rstSent;
  std::string exchRcvd;  // the normalised district code for an accepted Russian district
  std::string exchSent;
  std::string district;  // non-empty only for a Russian station with a known district
  int32_t freqKHz = 0;
  int32_t noScore = 0;  // 1 exactly when badQso or dupe is 1
  int32_t badQso = 0;
  int32_t dupe = 0;
  COleDateTime qsoTime;
  // The bad-QSO lines written for it, which leave the file with it: the refused district's
  // line, and the dupe line, which also goes when an earlier twin's removal makes it the first.
  std::string districtLine;
  std::string dupeLine;
};

// The match that removal uses: same call, mode, band (exact) and equal qsoTime, where an
// invalid date matches an invalid date.
bool sameContact(const CInfo& a, const CInfo& b);

}  // namespace stats
