#pragma once
// The Cabrillo header's values in one table: where the settings file keeps each, which member
// of CabrilloHeader holds it, which control of the header dialog shows it and, for the
// categories, the choices of its drop-down list. Loading, saving, the dialog and the
// comparison of two headers all go by it.
#include <string>
#include <vector>

#include "reports/cabrillo_log.h"

namespace stats {

struct CabrilloField {
  std::string CabrilloHeader::*member;
  const char* settingsKey;  // null: never kept (the callsign is the reset's own call)
  bool saved;               // written when the operator confirms (the claimed score is not)
  int controlId;
  const std::vector<std::string>* choices;  // a category's list, or null for free text
  const char* fallback;  // loaded for a missing key, or a saved category that is no choice
};

// In the order the settings file is written.
extern const CabrilloField kCabrilloFields[19];

// The header as the settings file keeps it, for the reset's own call.
CabrilloHeader loadCabrilloHeader(const std::string& ownCall);

// Writes every saved value; the soapbox as `storedSoapbox` (see soapboxToStored).
void saveCabrilloHeader(const CabrilloHeader& header, const std::string& storedSoapbox);

}  // namespace stats
