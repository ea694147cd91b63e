#pragma once
// rdac crosscheck: reads every log of a contest, checks each QSO against the other station's
// log, scores each entrant as claimed and as checked through the plug-in, and writes the
// committee's files.
#include <ostream>

#include "host/options.h"

namespace rdac {

// The exit code: 0 done, 1 when a log, the plug-in or an output cannot be had.
int crossCheckCommand(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
