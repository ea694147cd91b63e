#include <mutex>

#include "platform/message_box.h"
#include "reports/cabrillo_dialog.h"
#include "reports/native_cabrillo_dialog.h"

namespace stats {
namespace {

struct DialogStandIn {
  std::mutex mutex;
  CabrilloDialogAnswer answer;
  std::vector<CabrilloHeader> shown;
};

DialogStandIn& standIn() {
  static DialogStandIn instance;
  return instance;
}

}  // namespace

bool runCabrilloDialog(CabrilloHeader& values) {
  CabrilloDialogAnswer answer;
  {
    std::lock_guard<std::mutex> lock(standIn().mutex);
    standIn().shown.push_back(values);
    answer = standIn().answer;
  }
  if (!answer) return true;
  CabrilloHeader edited = values;
  if (!answer(edited)) return false;
  values = edited;
  return true;
}

void showOutputBox(const std::string& text) { showMessageBox(text, "Output"); }

void setCabrilloDialogAnswer(CabrilloDialogAnswer answer) {
  std::lock_guard<std::mutex> lock(standIn().mutex);
  standIn().answer = std::move(answer);
}

std::vector<CabrilloHeader> shownCabrilloDialogs() {
  std::lock_guard<std::mutex> lock(standIn().mutex);
  return standIn().shown;
}

void clearShownCabrilloDialogs() {
  std::lock_guard<std::mutex> lock(standIn().mutex);
  standIn().shown.clear();
}

}  // namespace stats
