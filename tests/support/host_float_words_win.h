#pragma once
// The floating-point control words a host sets before it loads and calls the library, and reads
// back after each call: the x87 word and MXCSR, without the flags of past operations.
#include <cstdint>

namespace stats::testing {

struct HostFloatWords {
  uint16_t x87;
  uint32_t sse;
  bool operator==(const HostFloatWords& o) const { return x87 == o.x87 && sse == o.sse; }
  bool operator!=(const HostFloatWords& o) const { return !(*this == o); }
};

// Bit 6 of the x87 word always reads as set: 0x1332 reads back as 0x1372.
inline HostFloatWords currentFloatWords() {
  HostFloatWords words;
  asm volatile("fnstcw %0" : "=m"(words.x87));
  asm volatile("stmxcsr %0" : "=m"(words.sse));
  words.sse &= ~0x3Fu;
  return words;
}

inline void setFloatWords(const HostFloatWords& words) {
  uint32_t sse = words.sse;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(words.x87));
  asm volatile("ldmxcsr %0" : : "m"(sse));
}

}  // namespace stats::testing
