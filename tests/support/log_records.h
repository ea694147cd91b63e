#pragma once
// Puts a record straight into a log, as intake would store it, for tests that need a log of a
// given shape without going through the exports.
#include "log/log_store.h"

namespace stats {

// The record keeps its own flags; a later record of the same call, band and mode is flagged a
// dupe as intake flags it.
inline void appendRecord(LogStore& log, CInfo record) {
  log.nextRecord(record.call) = std::move(record);
  log.commitFlaggingDupe();
}

}  // namespace stats
