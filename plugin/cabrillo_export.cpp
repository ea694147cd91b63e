#include "plugin/cabrillo_export.h"

#include "platform/message_box.h"
#include "reports/cabrillo_dialog.h"
#include "reports/cabrillo_fields.h"

namespace stats {

void prepareExport(StateLock& lock, const std::string& ownCall, COleDateTime contestStart,
                   COleDateTime contestEnd) {
  CabrilloHeader shown = loadCabrilloHeader(ownCall);
  {
    CabrilloLog& record = lock.state().cabrilloLog;
    static_cast<CabrilloHeader&>(record) = shown;
    record.fileBase = cabrilloFileBase(ownCall);
    record.contestStart = contestStart;
    record.contestEnd = contestEnd;
  }

  CabrilloHeader confirmed = shown;
  bool ok;
  {
    StateLockReleased unlocked(lock);
    ok = runCabrilloDialog(confirmed);
  }
  // The state may have changed while the dialog was open; take the record afresh.
  PluginState& state = lock.state();
  if (!ok) {
    state.log.exportFlag = 0;
    return;
  }
  confirmed.claimed = shown.claimed;  // the file always takes the computed score
  const std::string storedSoapbox = soapboxToStored(confirmed.soapbox);
  saveCabrilloHeader(confirmed, storedSoapbox);
  CabrilloLog& record = state.cabrilloLog;
  static_cast<CabrilloHeader&>(record) = confirmed;
  record.soapbox = soapboxForFile(storedSoapbox);
  record.qsoLines.clear();
}

void runCabrilloExport(StateLock& lock) {
  PluginState& state = lock.state();
  CabrilloLog& record = state.cabrilloLog;
  // Every pass starts afresh, so a file never holds a record twice however often the host
  // asks for the result while the export stays requested.
  record.qsoLines.clear();
  state.log.qsoLog.forEach([&record](const CInfo& qso) {
    record.addQsoLine(qso.call, qso.freqKHz, cabrilloMode(qso.mode), qso.qsoTime, qso.rstSent,
                      qso.exchSent, qso.rstRcvd, qso.exchRcvd);
  });
  const FileMessage message =
      record.writeFile(state.log.contestFolder, state.result.claimedScore, state.log.hostVersion);
  StateLockReleased unlocked(lock);
  showFileMessageBox(message, "Output");
}

}  // namespace stats
