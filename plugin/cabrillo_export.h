#pragma once
// The Cabrillo export as the reset and the result drive it. Both take the held state lock and
// step out of it while a dialog or box is open, so the host may call in again meanwhile and
// the window thread keeps painting; the lock is held again when they return.
#include <string>

#include "platform/ole_date_time.h"
#include "plugin/state.h"

namespace stats {

// Loads the header from the settings file and lets the operator confirm it. On OK: saves it,
// readies `cabrilloLog` for the next export pass. On Cancel or close: clears `exportFlag` and
// writes nothing.
void prepareExport(StateLock& lock, const std::string& ownCall, COleDateTime contestStart,
                   COleDateTime contestEnd);

// One export pass over the whole log: writes the file and shows the "Output" box. The caller
// runs it only while `exportFlag` is set.
void runCabrilloExport(StateLock& lock);

}  // namespace stats
