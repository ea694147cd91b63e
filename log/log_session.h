#pragma once
// The log's part of the plug-in's state: the contest as the last reset set it up, the log
// itself and its bad-QSO file.
#include <string>

#include "contest/district_table.h"
#include "log/bad_qso_file.h"
#include "log/log_store.h"
#include "platform/file_path.h"

namespace stats {

struct LogSession {
  LogStore qsoLog;

  // Own station and contest, kept by the reset.
  std::string ownFolder, ownCall, ownPrefix, ownContinent;
  // The folder every file of the contest is found in, fixed at the reset; empty before the
  // first one (the current folder then).
  FilePath contestFolder;
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
