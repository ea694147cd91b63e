#pragma once
// What no contest log holds. A log comes from whoever sent it, so these bounds are taken as it
// is read, before any work grows with a call's length or a date's distance.
#include <cstddef>
#include <string>

#include "rdac/logs/logged_qso.h"

namespace rdac {

// No call is longer; portable calls such as VP2E/W1ABC/QRP take half of it.
inline constexpr size_t kLongestCall = 32;
// The years a QSO of a contest log may be dated in; later ones would not fit the cross-check's
// minutes, which hold about four thousand years.
inline constexpr int kFirstQsoYear = 1900, kLastQsoYear = 2099;

// Why the QSO cannot be one of a contest log (a call longer than any, a date outside those
// years); empty when it can.
std::string implausibleQso(const LoggedQso& qso);

}  // namespace rdac
