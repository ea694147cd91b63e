#pragma once
// GetResult0: everything recomputed from the whole log on every call.
#include "plugin/state.h"

namespace stats {

// Puts workedBands into band order, counts the bad-QSO file, rebuilds workedDistricts and
// bandPrefixes (swapped in whole, so a reader never sees them half built), stores and writes
// the claimed score, and rebuilds the result text (HTML once setVersion was called).
void computeResult(PluginState& state);

}  // namespace stats
