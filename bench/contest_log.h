#pragma once
// A generated contest log with the mix a real RDAC log has: Russian stations sending
// district codes, the rest serial numbers, six bands, two modes, some dupes and bad districts.
#include <string>
#include <vector>

#include "tests/support/host_calls.h"

namespace stats::bench {

struct ContestLog {
  std::string districtTable;  // about 2,700 codes
  std::vector<testing::Qso> qsos;
};

// Deterministic for a given size: about 5% dupes and 3% unknown districts.
ContestLog makeContestLog(size_t size);

}  // namespace stats::bench
