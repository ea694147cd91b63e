#include "platform/ole_date_time.h"

#include <cmath>
#include <cstddef>

namespace stats {
namespace {

constexpr double kSecondsPerDay = 86400.0;
// The host's date type covers 1 January 100 to 31 December 9999.
constexpr double kMinDays = -657434.0;
constexpr double kMaxDays = 2958465.999999;
const char kInvalidText[] = "Invalid DateTime";

// Days from 1 March 0000 (proleptic Gregorian) arithmetic, after H. Hinnant's civil algorithms.
constexpr long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

struct Civil {
  long long year;
  unsigned month, day;
};

Civil civilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {y + (m <= 2), m, d};
}

// constexpr: date-time constants of other files may be built before this file's dynamic initialisation.
constexpr long long kEpochOffset = daysFromCivil(1899, 12, 30);

struct Broken {
  long long year;
  unsigned month, day, hour, minute, second;
};

// Rounds to the nearest second, half a second away from zero, the way the host's type does.
// A negative value counts whole days back from the epoch and its fraction forward into that day.
Broken breakDown(double value) {
  const double magnitude = std::fabs(value);
  double wholeSeconds = std::floor(magnitude * kSecondsPerDay + 0.5);
  long long days = static_cast<long long>(wholeSeconds / kSecondsPerDay);
  long long secondOfDay = static_cast<long long>(wholeSeconds) - days * 86400;
  if (value < 0) days = -days;
  const Civil c = civilFromDays(days + kEpochOffset);
  return {c.year, c.month, c.day, static_cast<unsigned>(secondOfDay / 3600),
          static_cast<unsigned>(secondOfDay / 60 % 60), static_cast<unsigned>(secondOfDay % 60)};
}

void appendNumber(std::string& out, long long value, int width) {
  char digits[24];
  char* end = digits + sizeof digits;
  char* begin = end;
  unsigned long long rest = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                      : static_cast<unsigned long long>(value);
  do {
    *--begin = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  while (end - begin < width) *--begin = '0';
  if (value < 0) *--begin = '-';
  out.append(begin, end);
}

}  // namespace

bool COleDateTime::operator==(const COleDateTime& other) const {
  if (m_status != other.m_status) return false;
  if (m_status == valid) return m_dt == other.m_dt;
  return m_status == null;
}

COleDateTime COleDateTime::fromParts(int year, int month, int day, int hour, int minute,
                                     int second) {
  COleDateTime result;
  const long long days =
      daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochOffset;
  const double fraction = (hour * 3600.0 + minute * 60.0 + second) / kSecondsPerDay;
  // Before the epoch the fraction still counts forward into the day.
  result.m_dt = days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
  return result;
}

std::string COleDateTime::Format(const char* pattern) const {
  if (m_status == null) return std::string();
  if (m_status != valid || !std::isfinite(m_dt) || m_dt < kMinDays || m_dt > kMaxDays)
    return kInvalidText;
  const Broken t = breakDown(m_dt);
  std::string out;
  out.reserve(32);
  for (const char* p = pattern ? pattern : ""; *p; ++p) {
    if (*p != '%' || p[1] == '\0') {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 'd': appendNumber(out, t.day, 2); break;
      case 'm': appendNumber(out, t.month, 2); break;
      case 'Y': appendNumber(out, t.year, 1); break;
      case 'y': appendNumber(out, t.year % 100, 2); break;
      case 'H': appendNumber(out, t.hour, 2); break;
      case 'M': appendNumber(out, t.minute, 2); break;
      case 'S': appendNumber(out, t.second, 2); break;
      case '%': out += '%'; break;
      default:
        out += '%';
        out += *p;
    }
  }
  return out;
}

COleDateTime readDateTime(const COleDateTime* source) {
  if (!source) {
    COleDateTime none;
    none.m_status = COleDateTime::null;
    return none;
  }
  COleDateTime copy;
  copy.m_dt = source->m_dt;
  copy.m_status = source->m_status;
  return copy;
}

}  // namespace stats
