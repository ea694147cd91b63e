#pragma once
// The firewall every export and every callback of the window system stands behind: nothing
// thrown inside may reach the host, whose frames this toolchain cannot unwind through, and the
// work runs under our floating-point control words, the caller's coming back on every way out.
#include "platform/float_control.h"

namespace stats {

template <class Result, class Work>
Result guarded(Result neutral, Work&& work) noexcept {
  CallerFloatControl callerWords;
  try {
    return work();
  } catch (...) {
    return neutral;
  }
}

}  // namespace stats
