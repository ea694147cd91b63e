#pragma once
// The host's date-time value as it crosses the export boundary: a day count since
// 30 December 1899 (the fraction is the time of day) and a status.
#include <cstddef>
#include <cstdint>
#include <string>

namespace stats {

struct COleDateTime {
  enum Status : int32_t { valid = 0, invalid = 1, null = 2 };

  double m_dt = 0.0;
  int32_t m_status = valid;
  int32_t m_reserved = 0;  // the host's type is padded to 16 bytes

  // Equal when the statuses are equal and, for valid values, the day counts are equal;
  // two invalid values are never equal.
  bool operator==(const COleDateTime& other) const;
  bool operator!=(const COleDateTime& other) const { return !(*this == other); }

  // strftime-style text ("%d.%m.%Y", "%H%M", ...); null gives "", invalid "Invalid DateTime".
  std::string Format(const char* pattern) const;

  static COleDateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0,
                                int second = 0);
};

static_assert(sizeof(COleDateTime) == 16, "the host passes 16-byte date-time values");
static_assert(offsetof(COleDateTime, m_dt) == 0 && offsetof(COleDateTime, m_status) == 8,
              "day count at offset 0, status at offset 8");

// The value a date-time argument points to; a null pointer reads as a null value.
COleDateTime readDateTime(const COleDateTime* source);

}  // namespace stats
