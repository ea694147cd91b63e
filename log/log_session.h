#pragma once
// The log's part of the plug-in's state: the contest as the last reset set it up, the log
// itself and its bad-QSO file.
#include <string>

#include "contest/district_table.h"
#include "log/bad_qso_file.h"
#include "log/log_store.h"

namespace stats {

struct LogSession {
  LogStore qsoLog;

  // Own station and contest, kept by the reset.
  std::string ownFolder, ownCall, ownPrefix, ownContinent;
  std::string startDayMonth, contestYear, endDate;
  std::string hostVersion;
  int exportFlag = 0;
  int ownRussian = 0;    // only ever goes from 0 to 1
  int russianTexts = 0;  // only ever goes from 0 to 1

  // Contest data, reloaded by every reset.
  DistrictTable DistrictList;
  StationHints StationHintList;

  // The bad-QSO file of the contest with this contest's lines.
  BadQsoFile badQsoFile;
};

}  // namespace stats
