#include "platform/float_control.h"

#include <cstdint>
#include <cstring>

namespace stats {
namespace {

// What Windows gives a new thread and MSVC's runtime keeps: 53-bit precision, round to
// nearest, every exception masked; and the SSE unit's power-on value.
constexpr uint16_t kDefaultX87 = 0x027F;
constexpr uint32_t kDefaultMxcsr = 0x1F80;

// The x87 environment as fnstenv stores it in 32-bit protected mode (28 bytes), and MXCSR.
struct Saved {
  unsigned char x87[28];
  uint32_t mxcsr;
};
static_assert(sizeof(Saved) <= 32, "fits the caller's record");

void loadDefaults() {
  const uint16_t x87 = kDefaultX87;
  uint32_t mxcsr = kDefaultMxcsr;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(x87) : "memory");
  asm volatile("ldmxcsr %0" : : "m"(mxcsr) : "memory");
}

}  // namespace

CallerFloatControl::CallerFloatControl() {
  Saved saved;
  // fnstenv also masks every x87 exception; loadDefaults then sets the whole control word.
  asm volatile("fnstenv %0" : "=m"(saved.x87) : : "memory");
  asm volatile("stmxcsr %0" : "=m"(saved.mxcsr) : : "memory");
  std::memcpy(saved_, &saved, sizeof saved);
  loadDefaults();
}

CallerFloatControl::~CallerFloatControl() {
  Saved saved;
  std::memcpy(&saved, saved_, sizeof saved);
  // The caller's status word comes back with its control word, so a flag our work raised is
  // never left pending under an exception the caller unmasked.
  asm volatile("fldenv %0" : : "m"(saved.x87) : "memory");
  asm volatile("ldmxcsr %0" : : "m"(saved.mxcsr) : "memory");
}

void useDefaultFloatControl() { loadDefaults(); }

}  // namespace stats
