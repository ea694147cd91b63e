#include "ui/setup_controller.h"

#include "contest/contest_rules.h"
#include "platform/settings.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"

namespace stats {

void SetupController::initialise(std::unique_ptr<HostLink> host) {
  host_ = std::move(host);
  int russianTexts, ownRussian;
  std::string year;
  {
    WindowLock lock;
    const WindowView s = lock.view();
    useHintBox_ = readSettingInt("setup_mast") != 0;
    s.windows.useHint = useHintBox_;
    s.windows.showRdaWindow = readSettingInt("RDA") != 0;
    s.windows.showDxccWindow = readSettingInt("DXCC") != 0;
    // Each setup window starts with the option off; the key is only written, never read back.
    s.windows.windowOnTop = 0;
    russianTexts = s.log.russianTexts;
    ownRussian = s.log.ownRussian;
    year = s.log.contestYear;
  }
  const std::string title = setupTitle(russianTexts, year);
  if (russianTexts || ownRussian) {
    windows_.setControlText(kIdToDisplay, kToDisplayRussian);
    windows_.setControlText(kIdRdaCheck, "RDA");
    windows_.setControlText(kIdDxccCheck, russianTexts ? "DXCC" : kQsoLabel);
    windows_.setControlText(kIdHintCheck, kUseHintRussian);
    windows_.setSetupTitle(title);
  } else {
    windows_.setControlText(kIdDxccCheck, kPreviousQso);
  }
  applyMode(true);
  showMembers();
  requestRefresh();
}

void SetupController::chooseCw() { applyMode(true); }
void SetupController::chooseSsb() { applyMode(false); }

void SetupController::applyMode(bool cw) {
  windows_.setEnabled(kIdCwButton, !cw);
  windows_.setEnabled(kIdSsbButton, cw);
  if (host_) {
    HostUse use(*this);
    host_->sendCommand(cw ? kModeCwCommand : kModeSsbCommand);
  }
}

void SetupController::showMembers() {
  windows_.setChecked(kIdRdaCheck, showRda_);
  windows_.setChecked(kIdDxccCheck, showDxcc_);
  windows_.setChecked(kIdHintCheck, useHintBox_);
  windows_.setChecked(kIdOnTopCheck, onTopBox_);
}

void SetupController::requestRefresh() {
  {
    WindowLock lock;
    lock.view().windows.refreshReady = 1;
  }
  windows_.postRefreshToSelf();
}

void SetupController::toggleRda() {
  const bool open = !windows_.isOpen(InfoWindow::rda);
  if (open) {
    windows_.open(InfoWindow::rda);
  } else {
    windows_.close(InfoWindow::rda);
  }
  showRda_ = open;
  windows_.setChecked(kIdRdaCheck, open);
  {
    WindowLock lock;
    lock.view().windows.showRdaWindow = open;
    lock.view().windows.shownDistrictCount = 0;
    writeSetting("RDA", open ? "1" : "0");
  }
  requestRefresh();
}

void SetupController::toggleDxcc() {
  const bool open = !windows_.isOpen(InfoWindow::dxcc);
  if (open) {
    windows_.open(InfoWindow::dxcc);
  } else {
    windows_.close(InfoWindow::dxcc);
  }
  showDxcc_ = open;
  windows_.setChecked(kIdDxccCheck, open);
  {
    WindowLock lock;
    lock.view().windows.showDxccWindow = open;
    writeSetting("DXCC", open ? "1" : "0");
  }
  requestRefresh();
}

void SetupController::toggleHint() {
  useHintBox_ = !useHintBox_;
  {
    WindowLock lock;
    lock.view().windows.useHint = useHintBox_;
    writeSetting("setup_mast", useHintBox_ ? "1" : "0");
  }
  showMembers();
}

void SetupController::toggleOnTop() {
  onTopBox_ = !onTopBox_;
  {
    WindowLock lock;
    lock.view().windows.windowOnTop = onTopBox_;
    writeSetting("setup_window_on_top", onTopBox_ ? "1" : "0");
  }
  // Reopened by the refresh below, topmost or not as the option now says.
  closeInfoWindows();
  showMembers();
  requestRefresh();
}

void SetupController::closeInfoWindows() {
  if (windows_.isOpen(InfoWindow::dxcc)) windows_.close(InfoWindow::dxcc);
  if (windows_.isOpen(InfoWindow::rda)) windows_.close(InfoWindow::rda);
  WindowLock lock;
  lock.view().windows.shownDistrictCount = 0;
}

SetupController::HostUse::~HostUse() {
  if (--c_.hostUsers_ > 0 || !c_.host_) return;
  c_.host_->releaseConnection();
  if (!c_.host_->alive()) c_.host_.reset();
}

void SetupController::refresh() {
  if (refreshing_) {
    refreshAgain_ = true;
    return;
  }
  HostUse use(*this);
  refreshing_ = true;
  do {
    refreshAgain_ = false;
    refreshOnce();
  } while (refreshAgain_);
  refreshing_ = false;
}

int bandIndexOfHostFrequency(double hz) {
  if (!(hz >= 0.0 && hz < 4294967296.0)) return -1;
  return bandIndexOfFrequency(static_cast<uint32_t>(hz));
}

}  // namespace stats
