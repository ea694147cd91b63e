#include "contest/exchange.h"

#include "platform/text.h"

namespace stats {

int isValidExchange(const std::string& exch, const DistrictTable& districts) {
  if (exch == "599") return 0;  // a report typed into the exchange field
  const size_t n = exch.size();
  if (n == 4 && districts.IsKnownDistrict(exch)) return 1;
  if (n < 1 || n > 4) return 0;
  for (char c : exch)
    if (!isAsciiDigit(c)) return 0;
  return 1;
}

}  // namespace stats
