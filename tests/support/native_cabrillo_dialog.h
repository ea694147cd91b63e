#pragma once
// Plays the operator at the native stand-in's header dialog, and tells what each dialog was shown.
#include <functional>
#include <vector>

#include "reports/cabrillo_log.h"

namespace stats {

// Edits the values in place and returns true for OK, false for Cancel.
using CabrilloDialogAnswer = std::function<bool(CabrilloHeader&)>;

// Answers every following dialog; an empty answer restores the default, OK with the values shown.
void setCabrilloDialogAnswer(CabrilloDialogAnswer answer);

std::vector<CabrilloHeader> shownCabrilloDialogs();  // in the order they were shown
void clearShownCabrilloDialogs();

}  // namespace stats
