#include "rdac/logs/qso_fields.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace rdac {
namespace {

bool allDigits(std::string_view text) {
  for (char c : text)
    if (!stats::isAsciiDigit(c)) return false;
  return !text.empty();
}

int number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<stats::COleDateTime> qsoTime(std::string_view date, std::string_view time) {
  if (date.size() != 8 || !allDigits(date)) return std::nullopt;
  if ((time.size() != 4 && time.size() != 6) || !allDigits(time)) return std::nullopt;
  const int year = number(date.substr(0, 4)), month = number(date.substr(4, 2)),
            day = number(date.substr(6, 2));
  const int hour = number(time.substr(0, 2)), minute = number(time.substr(2, 2)),
            second = time.size() == 6 ? number(time.substr(4, 2)) : 0;
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
    return std::nullopt;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return stats::COleDateTime::fromParts(year, month, day, hour, minute, second);
}

std::optional<uint32_t> hzOfMHz(std::string_view mhz) { return hzOf(mhz, 1000000); }

std::optional<uint32_t> hzOfKHz(std::string_view kHz) { return hzOf(kHz, 1000); }

std::optional<uint32_t> hzOf(std::string_view number, uint32_t unitHz) {
  const std::string_view text = stats::trimmedView(number);
  const size_t point = std::min(text.find('.'), text.find(','));
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if ((!whole.empty() && !allDigits(whole)) || (!fraction.empty() && !allDigits(fraction)))
    return std::nullopt;
  // Beyond 4 GHz does not fit the host's 32 bits; checked before the digits are summed.
  uint64_t hz = 0;
  for (char c : whole)
    if ((hz = hz * 10 + static_cast<uint64_t>(c - '0')) > UINT32_MAX) return std::nullopt;
  // Digits, not a double: 14.025 MHz must give 14025000 Hz exactly.
  hz *= unitHz;
  uint64_t scale = unitHz / 10;
  size_t used = 0;
  for (; used < fraction.size() && scale > 0; ++used, scale /= 10)
    hz += static_cast<uint64_t>(fraction[used] - '0') * scale;
  if (used < fraction.size() && fraction[used] >= '5') ++hz;
  if (hz > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(hz);
}

std::string adifMode(std::string_view mode) {
  const std::string upper = stats::toUpperAscii(stats::trimmed(mode));
  if (upper == "USB" || upper == "LSB") return "SSB";  // older ADIF put the sideband in MODE
  return upper;
}

std::string cabrilloMode(std::string_view mode) {
  if (mode == "CW") return "CW";  // nearly every line of a committee's logs
  if (mode == "PH") return "SSB";
  const std::string upper = stats::toUpperAscii(stats::trimmed(mode));
  return upper == "PH" ? "SSB" : adifMode(upper);
}

std::string_view bareCall(std::string_view call) {
  std::string_view longest;
  for (size_t begin = 0; begin <= call.size();) {
    const size_t end = std::min(call.find('/', begin), call.size());
    if (end - begin > longest.size()) longest = call.substr(begin, end - begin);
    begin = end + 1;
  }
  return longest;
}

bool onlyAPrefix(std::string_view call) {
  const std::string_view home = bareCall(call);
  const size_t lastDigit = home.find_last_of("0123456789");
  return lastDigit != std::string_view::npos && lastDigit + 1 == home.size();
}

std::string callOfFileName(std::string_view fileName, std::string_view prefix) {
  std::string call = stats::toUpperAscii(fileName.substr(0, fileName.find('.')));
  std::replace(call.begin(), call.end(), '_', '/');
  const auto callCharacter = [](char c) { return stats::isAsciiDigit(c) || (c >= 'A' && c <= 'Z') || c == '/'; };
  if (!std::all_of(call.begin(), call.end(), callCharacter) || onlyAPrefix(call)) return {};
  const std::string_view home = bareCall(call), homePrefix = bareCall(prefix);
  const bool named = home.find_first_of("0123456789") != std::string_view::npos && !homePrefix.empty() &&
                     home.substr(0, homePrefix.size()) == stats::toUpperAscii(homePrefix);
  return named ? call : std::string();
}

std::string normalisedCall(std::string_view call) {
  std::string upper(stats::trimmedView(call));
  for (char& c : upper) c = stats::asciiUpper(c);
  return upper;
}

// Cut, not rounded, as a Cabrillo time and the plug-in's export cut seconds; the nudge keeps a
// whole minute that the day fraction holds a hair short of it.
int64_t minuteOf(const stats::COleDateTime& time) {
  return static_cast<int64_t>(std::floor(time.m_dt * 1440.0 + 1e-6));
}

stats::COleDateTime timeOfMinute(int64_t minute) {
  stats::COleDateTime time;
  time.m_dt = static_cast<double>(minute) / 1440.0;
  return time;
}

std::string qsoTimeText(const stats::COleDateTime& time) { return time.Format("%Y-%m-%d %H%M"); }

std::string minuteText(int64_t minute) {
  // The cross-check's files write millions of these: the day's date is formatted once a day.
  // Days before 1900 (a day count below zero) and dates the format cannot write go the long way.
  thread_local int64_t day = -1;
  thread_local std::string date;
  if (minute < 0) return qsoTimeText(timeOfMinute(minute));
  const int64_t today = minute / 1440, time = minute % 1440;
  if (today != day) {
    const std::string midnight = qsoTimeText(timeOfMinute(today * 1440));
    date = midnight.size() == 15 ? midnight.substr(0, 11) : std::string();
    day = today;
  }
  if (date.empty()) return qsoTimeText(timeOfMinute(minute));
  const char clock[5] = {char('0' + time / 600), char('0' + time / 60 % 10), char('0' + time % 60 / 10),
                         char('0' + time % 10), '\0'};
  return date + clock;
}

}  // namespace rdac
