#pragma once
// A small contest played through Stats.dll's decorated exports, as the logger plays it: a
// reset, eight QSOs, the result; and the callsign check and removal of single QSOs.
#include <string>

#include "tests/support/stats_dll_win.h"

namespace stats::testing {

double oleDate(int year, int month, int day, int hour, int minute);

// Writes Plugins\rda_rus.dat with the districts the QSOs use (SV01, MA05, KR01, AD01).
void writeDistrictTable();

// Reset as ownCall/ownPrefix (contest 7 March 2026), feed the eight QSOs, ask for the result;
// returns how many QSOs the intake stored. UA9AA is worked on 20m CW 10:05 and SSB 10:20 and on
// 40m CW 11:00, all with SV01; KR01 and MA05 come from two other stations.
int playContest(const StatsDll& dll, const char* ownCall, const char* ownPrefix);

// CheckCall0 with the callsign as typed so far (20m, CW).
int checkCall(const StatsDll& dll, const std::string& typed);
// RemoveData0 of QSO number index (0 to 7) of the contest.
int removeQso(const StatsDll& dll, int index);

}  // namespace stats::testing
