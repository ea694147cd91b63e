#pragma once
// ADIF 3 text format as loggers write it.
#include <string_view>

#include "rdac/logs/logged_qso.h"

namespace rdac {

// Reads every record of an ADIF file. Values are taken by their declared byte length, so a
// value may hold '<', '>' or line ends. A record that cannot be read or lacks a field the
// plug-in needs is skipped and reported with the line it starts on; reading goes on.
ContestLog readAdif(std::string_view bytes);

}  // namespace rdac
