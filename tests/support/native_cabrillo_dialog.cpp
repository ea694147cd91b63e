#include "tests/support/native_cabrillo_dialog.h"

#include <mutex>

#include "reports/cabrillo_dialog_native.h"

namespace stats {
namespace {

struct DialogOperator {
  std::mutex mutex;
  CabrilloDialogAnswer answer;
  std::vector<CabrilloHeader> shown;
};

// Sits at the dialog from the start, so that every dialog is recorded, answered or not.
DialogOperator& dialogOperator() {
  static DialogOperator* const op = [] {
    auto* playing = new DialogOperator;
    setCabrilloDialogOperator([playing](CabrilloHeader& values) {
      CabrilloDialogAnswer answer;
      {
        std::lock_guard<std::mutex> lock(playing->mutex);
        playing->shown.push_back(values);
        answer = playing->answer;
      }
      return !answer || answer(values);
    });
    return playing;
  }();
  return *op;
}
const bool playing = (dialogOperator(), true);

}  // namespace

void setCabrilloDialogAnswer(CabrilloDialogAnswer answer) {
  std::lock_guard<std::mutex> lock(dialogOperator().mutex);
  dialogOperator().answer = std::move(answer);
}

std::vector<CabrilloHeader> shownCabrilloDialogs() {
  std::lock_guard<std::mutex> lock(dialogOperator().mutex);
  return dialogOperator().shown;
}

void clearShownCabrilloDialogs() {
  std::lock_guard<std::mutex> lock(dialogOperator().mutex);
  dialogOperator().shown.clear();
}

}  // namespace stats
