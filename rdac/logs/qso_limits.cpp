#include "rdac/logs/qso_limits.h"

namespace rdac {

std::string implausibleQso(const LoggedQso& qso) {
  if (qso.call.size() > kLongestCall)
    return "a call of " + std::to_string(qso.call.size()) + " characters; no call is longer than " +
           std::to_string(kLongestCall);
  static const double first = stats::COleDateTime::fromParts(kFirstQsoYear, 1, 1).m_dt,
                      end = stats::COleDateTime::fromParts(kLastQsoYear + 1, 1, 1).m_dt;
  if (qso.time.m_dt < first || qso.time.m_dt >= end)
    return "date " + qso.time.Format("%Y-%m-%d") + " outside the years " + std::to_string(kFirstQsoYear) + " to " +
           std::to_string(kLastQsoYear);
  return {};
}

}  // namespace rdac
