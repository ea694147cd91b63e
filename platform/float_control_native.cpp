#include "platform/float_control.h"

#include <cfenv>
#include <cstdint>
#include <cstring>

namespace stats {
namespace {

static_assert(sizeof(std::fenv_t) <= 32, "fits the caller's record");

// Whether the caller's words are the defaults already, read in a few instructions: saving and
// setting the whole environment takes about a quarter of a microsecond, a third of what one QSO
// of a reload costs, and nearly every caller has the defaults.
bool callerHasDefaults() {
#if defined(__x86_64__)
  uint16_t x87;
  uint32_t mxcsr;
  asm volatile("fnstcw %0" : "=m"(x87));
  asm volatile("stmxcsr %0" : "=m"(mxcsr));
  constexpr uint32_t kFlags = 0x3F;  // what past operations raised, not how the next one runs
  return x87 == 0x037F && (mxcsr & ~kFlags) == 0x1F80;
#else
  return false;
#endif
}

}  // namespace

CallerFloatControl::CallerFloatControl() {
  if (callerHasDefaults()) return;
  std::fenv_t caller;
  std::fegetenv(&caller);
  std::memcpy(saved_, &caller, sizeof caller);
  std::fesetenv(FE_DFL_ENV);
  restore_ = true;
}

CallerFloatControl::~CallerFloatControl() {
  if (!restore_) return;
  std::fenv_t caller;
  std::memcpy(&caller, saved_, sizeof caller);
  std::fesetenv(&caller);  // also the caller's flags, none of ours
}

void useDefaultFloatControl() { std::fesetenv(FE_DFL_ENV); }

}  // namespace stats
