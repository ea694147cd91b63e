#include <mutex>

#include "reports/cabrillo_dialog.h"
#include "reports/cabrillo_dialog_native.h"

namespace stats {
namespace {

std::mutex& operatorMutex() {
  static std::mutex mutex;
  return mutex;
}
CabrilloDialogOperator& dialogOperator() {
  static CabrilloDialogOperator op;
  return op;
}

}  // namespace

bool runCabrilloDialog(CabrilloHeader& values) {
  CabrilloDialogOperator op;
  {
    std::lock_guard<std::mutex> lock(operatorMutex());
    op = dialogOperator();
  }
  if (!op) return true;
  CabrilloHeader edited = values;
  if (!op(edited)) return false;
  values = edited;
  return true;
}

void setCabrilloDialogOperator(CabrilloDialogOperator op) {
  std::lock_guard<std::mutex> lock(operatorMutex());
  dialogOperator() = std::move(op);
}

}  // namespace stats
