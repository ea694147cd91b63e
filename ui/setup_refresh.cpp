// SetupController's refresh: what the windows show, brought up to date from the host's entry
// line and frequency and from the log, on the window thread.
#include <string>
#include <vector>

#include "contest/contest_rules.h"
#include "ui/setup_controller.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"

namespace stats {
namespace {

const char kEmptyCell[] = "   -";

// The worked-with table of one callsign, the last matching record of the log winning each
// cell. Only the callsign's own records are visited (the log's index by call).
void fillBandInfoRows(WindowState& s, const LogStore& qsoLog) {
  for (int band = 0; band < kBandCount; ++band) {
    BandInfoRow& row = s.BandInfoRows[band];
    // Before the first reset the rows are still empty; the band name is what the reset puts.
    if (row[0].empty()) row[0] = bandRules.at(band);
    row[1] = row[2] = row[3] = kEmptyCell;
  }
  if (s.enteredCall.empty()) return;
  qsoLog.forEachOfCall(s.enteredCall, [&s](const CInfo& record) {
    for (int band = 0; band < kBandCount; ++band) {
      if (record.band != bandRules.at(band)) continue;
      BandInfoRow& row = s.BandInfoRows[band];
      if (record.mode == "CW")
        row[1] = record.qsoTime.Format("%H:%M");
      else if (record.mode == "SSB")
        row[2] = record.qsoTime.Format("%H:%M");
      row[3] = record.exchRcvd;
    }
    return true;
  });
}

void setRefreshReady() {
  WindowLock lock;
  lock.view().windows.refreshReady = 1;
}

}  // namespace

// The windows the options ask for and that are not open yet.
void SetupController::openInfoWindows() {
  int showRda, showDxcc, russianTexts, ownRussian;
  {
    WindowLock lock;
    const WindowView s = lock.view();
    showRda = s.windows.showRdaWindow;
    showDxcc = s.windows.showDxccWindow;
    russianTexts = s.log.russianTexts;
    ownRussian = s.log.ownRussian;
  }
  if (showRda && !windows_.isOpen(InfoWindow::rda)) {
    {
      WindowLock lock;
      lock.view().windows.shownDistrictCount = 0;
    }
    windows_.open(InfoWindow::rda);
    showRda_ = 1;
    windows_.setChecked(kIdRdaCheck, true);
  }
  if (showDxcc && !windows_.isOpen(InfoWindow::dxcc)) {
    windows_.open(InfoWindow::dxcc);
    if (!russianTexts) windows_.setControlText(kIdDxccCheck, previousQsoCheckLabel(ownRussian));
    showDxcc_ = 1;
    windows_.setChecked(kIdDxccCheck, true);
  }
}

// Every exit sets refreshReady back to 1. A failed host call ends the refresh as an absent host
// does (nothing else changes); a host that has gone away is dropped for good when the refresh
// is over (SetupController::HostUse).
void SetupController::refreshOnce() {
  openInfoWindows();
  if (!host_) return setRefreshReady();

  const std::optional<std::string> entry = host_->entryLine();
  if (!entry) return setRefreshReady();
  if (entry->size() == 1 || entry->size() == 2) return setRefreshReady();

  std::string workedWith;
  {
    WindowLock lock;
    const WindowView v = lock.view();
    WindowState& s = v.windows;
    s.enteredCall = *entry;
    s.enteredCallPresent = !entry->empty();
    fillBandInfoRows(s, v.log.qsoLog);
    if (!entry->empty()) workedWith = workedWithTitle(v.log.ownRussian, v.log.contestYear, *entry);
  }
  if (!workedWith.empty() && windows_.isOpen(InfoWindow::dxcc))
    windows_.setTitle(InfoWindow::dxcc, workedWith);

  const std::optional<double> hz = host_->frequencyHz();
  const int band = hz ? bandIndexOfHostFrequency(*hz) : -1;
  if (band < 0) return setRefreshReady();

  const bool rdaOpen = windows_.isOpen(InfoWindow::rda);
  std::string dxccTitle, rdaTitle;
  bool refill = false;
  std::vector<std::string> entries;
  {
    WindowLock lock;
    const WindowView v = lock.view();
    WindowState& s = v.windows;
    s.currentBand = band;
    const std::string count = std::to_string(v.result.bandPrefixes[band].size());
    // With a call entered the panel shows its table, and the title the call.
    if (s.enteredCall.empty())
      dxccTitle = panelTitle(v.log.russianTexts, v.log.ownRussian, bandRules.at(band), count);
    if (rdaOpen) {
      rdaTitle = rdaWindowTitle(v.log.ownRussian);
      const std::vector<std::string>& worked = v.result.workedDistricts;
      const int districts = static_cast<int>(worked.size());
      if (districts != s.shownDistrictCount) {
        refill = true;
        s.shownDistrictCount = districts;
        entries.reserve(worked.size());
        for (const std::string& district : worked) entries.push_back(" " + district);
      }
    }
  }
  if (!dxccTitle.empty() && windows_.isOpen(InfoWindow::dxcc))
    windows_.setTitle(InfoWindow::dxcc, dxccTitle);
  if (rdaOpen && windows_.isOpen(InfoWindow::rda)) {
    windows_.setTitle(InfoWindow::rda, rdaTitle);
    if (refill) windows_.fillRdaList(entries);
    windows_.invalidate(InfoWindow::rda);
  }
  if (windows_.isOpen(InfoWindow::dxcc)) windows_.invalidate(InfoWindow::dxcc);
  setRefreshReady();
}

}  // namespace stats
