#pragma once
// The QSO lines of a Cabrillo 3 log of the RDAC contest.
#include <string_view>

#include "rdac/logs/logged_qso.h"

namespace rdac {

// Reads the CALLSIGN: header and every "QSO:" line: frequency in kHz, mode (PH is SSB), date,
// time, own call, report and exchange sent, worked call, report and exchange received, and an
// optional transmitter number. The band comes from the frequency. A line that does not fit
// is skipped and reported with its number; reading goes on.
ContestLog readCabrillo(std::string_view bytes);

}  // namespace rdac
