#pragma once
// CheckCall0: what the callsign being typed would be (dupe, new multiplier, ordinary, not
// countable), with an optional district hint for the host to pre-fill.
#include <string>

#include "log/call_args.h"
#include "log/log_session.h"

namespace stats {

enum CheckResult : int { kDupeCall = 0, kOrdinary = 1, kNewMultiplier = 2, kCannotCount = 4 };

// The answer and the hint to offer (empty: leave the host's buffer alone). Reads the log only.
struct CallCheck {
  int result = kOrdinary;
  std::string hint;
};
// What the windows know that a hint may come from: whether the operator wants hints, and the
// call in the host's entry line as the last refresh read it.
struct HintInputs {
  bool useHint = false;
  bool callEntered = false;
  std::string enteredCall;
};
CallCheck checkCall(const LogSession& log, const HintInputs& hints, const CheckArgs& args);

// Copies the hint into the host's 10-byte buffer: at most nine characters and a terminating
// zero; a longer hint empties the buffer instead.
void writeHint(char* hintBuffer, const std::string& hint);

}  // namespace stats
