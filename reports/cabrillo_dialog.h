#pragma once
// The window-system side of the export: the modal header dialog. Windows shows it; the native
// stand-in answers at once, so an export can run unattended. Never call it while holding the
// state lock.
#include <string>

#include "reports/cabrillo_log.h"

namespace stats {

// Shows `values` in the header dialog and waits for the operator. True for OK, with `values`
// then holding the texts of the controls; false for Cancel or closing, `values` untouched.
bool runCabrilloDialog(CabrilloHeader& values);

}  // namespace stats
