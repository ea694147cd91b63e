#pragma once
// The floating-point control words belong to whoever calls us. A host may leave the x87 unit at
// 64-bit precision, which changes our date arithmetic, or with the invalid-operation, zero-divide
// and overflow exceptions unmasked, which would turn any such operation of ours into a hardware
// exception that ends the host's process where no C++ catch sees it. So every entry from the
// host works under the runtime's defaults (53-bit precision, round to nearest, all exceptions
// masked: the results the native build gets) and gives the caller its words back on the way out.

namespace stats {

class CallerFloatControl {
 public:
  CallerFloatControl();   // saves the caller's control and status words, sets the defaults
  ~CallerFloatControl();  // the caller's words again, without the flags our work raised
  CallerFloatControl(const CallerFloatControl&) = delete;
  CallerFloatControl& operator=(const CallerFloatControl&) = delete;

 private:
  alignas(16) unsigned char saved_[32];  // the platform's record of the caller's environment
  bool restore_ = false;                 // the native build skips callers that have the defaults
};

// For a thread of our own, at its start: the defaults, whatever the creating thread had.
void useDefaultFloatControl();

}  // namespace stats
