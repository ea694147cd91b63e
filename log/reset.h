#pragma once
// ResetStats0: start the statistics over for a contest.
#include "log/call_args.h"
#include "plugin/state.h"

namespace stats {

// Everything up to the export preparation: dates, host version, the emptied log, own station
// and flags, data files reloaded, the worked-with rows.
void resetLog(PluginState& state, const ResetArgs& args);

// After the export preparation: the "Start" toggle, which decides whether the window thread
// is to be started (returned), and the fresh bad-QSO file.
bool finishReset(PluginState& state, const ResetArgs& args, bool windowThreadRuns);

// The host's version from its settings file, as the reset finds it; `current` when the file
// is found but holds no version line.
std::string findHostVersion(const std::string& ownFolder, const std::string& current);

}  // namespace stats
