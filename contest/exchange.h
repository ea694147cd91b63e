#pragma once
#include <string>

#include "contest/district_table.h"

namespace stats {

// 1 when the exchange is a serial number (1 to 4 digits, not "599") or a known district code.
int isValidExchange(const std::string& exch, const DistrictTable& districts);

}  // namespace stats
