#pragma once
// The arguments of the host's calls that the plug-in reads, as owned values.
// A null text pointer has already become the empty text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ole_date_time.h"

namespace stats {

// AddData0 and RemoveData0. The texts are views of the host's strings, valid during the call
// only: intake copies what it keeps, once.
struct QsoArgs {
  std::string_view ownCall;
  std::string_view call;
  COleDateTime qsoTime;
  uint32_t freqHz = 0;
  std::string_view mode;
  std::string_view rstSent;
  std::string_view rstRcvd;
  std::string_view exchSent;
  std::string_view exchRcvd;
  std::string_view prefix;
  std::string_view continent;
  std::string_view band;
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
};

}  // namespace stats
