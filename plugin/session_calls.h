#pragma once
// What the exports do that crosses the layers' parts of the state, one function per export:
// no layer below reaches another's part. Each takes the held state lock.
#include "log/call_args.h"
#include "plugin/state.h"

namespace stats {

// RemoveData0: the contact leaves the log, the bad-QSO file and the result's lists, and the
// windows are asked to refresh.
void removeContact(StateLock& lock, const QsoArgs& args);

// CheckCall0: the answer; a hint, when there is one, goes into the host's buffer. A refresh
// the last change asked for is posted now that the operator is typing.
int checkCallForHost(StateLock& lock, const CheckArgs& args, char* hintBuffer);

// ResetStats0: the contest's folder is fixed, and the log, the windows' band rows, the Cabrillo
// header (when exporting) and the bad-QSO file start over. Releases the lock before it warns of
// a district table without codes and starts the window thread, which takes it.
void resetContest(StateLock& lock, const ResetArgs& args);

// GetResult0: computes the result and claims the score, writes the Cabrillo file while the
// export is requested, and shows a failed bad-QSO file's message once (the lock released
// meanwhile). The text stays valid until the next result.
const std::string& produceResult(StateLock& lock);

}  // namespace stats
