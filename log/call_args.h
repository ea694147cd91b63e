#pragma once
// The arguments of the host's calls that the plug-in reads, as owned values.
// A null text pointer has already become the empty text.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ole_date_time.h"

namespace stats {

// AddData0 and RemoveData0.
struct QsoArgs {
  std::string ownCall;
  std::string call;
  COleDateTime qsoTime;
  uint32_t freqHz = 0;
  std::string mode;
  std::string rstSent;
  std::string rstRcvd;
  std::string exchSent;
  std::string exchRcvd;
  std::string prefix;
  std::string continent;
  std::string band;
};

// ResetStats0.
struct ResetArgs {
  std::string ownFolder;
  int exportFlag = 0;
  std::string ownCall;
  COleDateTime contestStart;
  COleDateTime contestEnd;
  std::string ownPrefix;
  std::string ownContinent;
};

// CheckCall0. The two band texts stay absent when the host passed null pointers.
struct CheckArgs {
  std::string call;
  std::string mode;
  std::string prefix;
  std::optional<std::string> band;
  std::optional<std::string> secondBand;
  char* hintBuffer = nullptr;  // the host's 10-byte buffer, or null
};

}  // namespace stats
