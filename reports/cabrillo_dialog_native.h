#pragma once
// Native stand-in only: the header dialog answers OK with the values it was shown, unless an
// operator is set (the test support plays one).
#include <functional>

#include "reports/cabrillo_log.h"

namespace stats {

// Sees the values shown, edits them in place and returns true for OK, false for Cancel.
using CabrilloDialogOperator = std::function<bool(CabrilloHeader&)>;
// Answers every following dialog; an empty operator (the default) answers OK at once.
void setCabrilloDialogOperator(CabrilloDialogOperator op);

}  // namespace stats
