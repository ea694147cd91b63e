#pragma once
// ResetStats0: start the statistics over for a contest.
#include "log/call_args.h"
#include "log/log_session.h"
#include "platform/message_box.h"

namespace stats {

// Everything up to the export preparation: the contest's folder (the host's folder when it
// exists, else the current one), against which every file of the contest resolves until the
// next reset; dates, host version, the emptied log, own station and flags, data files reloaded.
void resetLog(LogSession& log, const ResetArgs& args);

// The operator's warning when the district table gave no code at all (missing, unreadable, or
// without one entry line in any encoding we read): every Russian district would be refused
// without a word. Names the table's full path; empty when the table holds a code.
FileMessage districtTableWarning(const LogSession& log);

// After the export preparation: the contest's fresh bad-QSO file.
void startBadQsoFile(LogSession& log, const ResetArgs& args);

// The host's version from its settings file in the contest's folder, which is the host's own
// (or, when the host names a folder that does not exist or that the ANSI code page cannot
// spell, the current one); "Tarn" when there is none, `current` when it holds no version line.
std::string findHostVersion(const FilePath& contestFolder, const std::string& current);

}  // namespace stats
