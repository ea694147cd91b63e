#pragma once
// Turns fuzz input into the host's calls: texts from the contest's own vocabulary or of any
// bytes, null pointers, date-times of every status and of absurd values, and the checks that
// must hold after every call whatever came before.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <limits>
#include <string>
#include <vector>

namespace stats::fuzz {

class ArgSource {
 public:
  explicit ArgSource(FuzzedDataProvider& in) : in_(in) {}

  // What a text stands for: a field's own words make a QSO that is stored, and then checked and
  // hinted, a likely sequence instead of a rare one.
  enum class Field { any, call, band, mode, exchange, prefix };

  // A text pointer valid until the next reset() of the source, or null.
  const char* text(Field field = Field::any) {
    static const char* const words[] = {
        "", "20m", "40m", "80m", "160m", "15m", "10m", "20M", "30m", "CW", "SSB", "cw", "RTTY",
        "UA", "UA9", "UA2", "R1FJ", "DL", "CE9/KC4", "IT9", "EU", "AS", "UA9AAA", "RA3AA",
        "R1A/P", "DL1AA", "MA-01", "ma01", "MA01", "MO-03", "XX99", "001", "599", "SHOWINFO",
        "HIDEINFO", "STO", "SPEC", "2.19", "./", "../", "/", "CON",
        "ZZ-01ZZ01", "ZZ-01-ZZ01", "ZZ-01-ZZ-01"};  // kept whole (unknown): hints of 9, 10, 11 bytes
    static const std::vector<std::vector<const char*>> fieldWords = {
        {},
        {"UA9AAA", "RA3AA", "R1A/P", "DL1AA", "CE9/KC4", "UA2", "R1FJ"},
        {"20m", "40m", "80m", "160m", "15m", "10m", "20M", "30m"},
        {"CW", "SSB", "cw", "RTTY"},
        {"MA-01", "ma01", "MA01", "MO-03", "XX99", "001", "ZZ-01ZZ01", "ZZ-01-ZZ01", "ZZ-01-ZZ-01"},
        {"UA", "UA9", "UA2", "R1FJ", "DL", "CE9/KC4", "IT9"}};
    const uint8_t pick = in_.ConsumeIntegral<uint8_t>();
    if (pick == 0) return nullptr;
    const auto& own = fieldWords[static_cast<size_t>(field)];
    if (pick < 128 && !own.empty()) return own[pick % own.size()];
    if (pick < 192) return words[pick % (sizeof words / sizeof *words)];
    keep_.push_back(in_.ConsumeRandomLengthString(64));
    return keep_.back().c_str();
  }
  // Never null: what the host must always pass.
  const char* textOrEmpty() {
    const char* t = text();
    return t ? t : "";
  }
  unsigned frequency() {
    switch (in_.ConsumeIntegralInRange(0, 3)) {
      case 0: return 0;
      case 1: return 4294967295u;
      case 2: return 14025000;
      default: return in_.ConsumeIntegral<unsigned>();
    }
  }
  COleDateTime* dateTime() {
    COleDateTime& t = times_[next_++ % 4];
    static const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      1e300, -1e300, -1.5, 0.0, 42983.5, 2958466.0, 2958465.99999};
    const uint8_t pick = in_.ConsumeIntegral<uint8_t>();
    if (pick == 0) return nullptr;
    t.m_dt = pick < 128 ? 42983.5 + in_.ConsumeIntegralInRange(0, 2880) / 1440.0
                        : pick < 192 ? specials[pick % (sizeof specials / sizeof *specials)]
                                     : in_.ConsumeFloatingPoint<double>();
    t.m_status = in_.ConsumeIntegralInRange<int32_t>(-1, 3);
    if (t.m_status == 3) t.m_status = COleDateTime::valid;
    return &t;
  }
  int integer() { return in_.ConsumeIntegral<int>(); }
  void reset() { keep_.clear(); }

 private:
  FuzzedDataProvider& in_;
  std::deque<std::string> keep_;  // pointers into it stay valid as it grows
  COleDateTime times_[4];
  unsigned next_ = 0;
};

// A returned text must end within the library's own storage: strlen reads it to its NUL under
// AddressSanitizer.
inline void checkText(const char* text) {
  if (!text) __builtin_trap();
  volatile size_t n = std::strlen(text);
  (void)n;
}

}  // namespace stats::fuzz
