#include "rdac/logs/qso_limits.h"

#include "rdac/io/messages.h"

namespace rdac {

std::string implausibleQso(const LoggedQso& qso) {
  if (qso.call.size() > kLongestCall)
    return tr("a call of {1} characters; no call is longer than {2}",
              {std::to_string(qso.call.size()), std::to_string(kLongestCall)});
  static const double first = stats::COleDateTime::fromParts(kFirstQsoYear, 1, 1).m_dt,
                      end = stats::COleDateTime::fromParts(kLastQsoYear + 1, 1, 1).m_dt;
  if (qso.time.m_dt < first || qso.time.m_dt >= end)
    return tr("date {1} outside the years {2} to {3}",
              {qso.time.Format("%Y-%m-%d"), std::to_string(kFirstQsoYear), std::to_string(kLastQsoYear)});
  return {};
}

}  // namespace rdac
