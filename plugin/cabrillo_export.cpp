#include "plugin/cabrillo_export.h"

#include <algorithm>
#include <vector>

#include "contest/contest_rules.h"
#include "platform/settings.h"
#include "reports/cabrillo_dialog.h"

namespace stats {
namespace {

// A saved category comes back only when it is one of its list's entries, so that a value
// edited into the settings file by hand cannot pass for a category.
std::string savedCategory(const char* key, const std::vector<std::string>& entries,
                          const char* fallback) {
  const std::string saved = readSetting(key);
  return std::find(entries.begin(), entries.end(), saved) != entries.end() ? saved : fallback;
}

CabrilloHeader loadHeader(const std::string& ownCall) {
  CabrilloHeader header;
  header.callsign = ownCall;
  header.operators = readSetting("Operators", ownCall);
  header.name = readSetting("Name");
  header.address = readSetting("Address");
  header.addressCity = readSetting("Address-City");
  header.addressPostalCode = readSetting("Address-PostalCode");
  header.addressCountry = readSetting("Address-Country");
  header.claimed = readSetting("Claimed");
  header.location = readSetting("Loc");
  header.contest = "RDAC";
  header.categoryOperator = savedCategory("Category", kCategoryOperator, "SINGLE-OP");
  header.categoryBand = savedCategory("Band", kCategoryBand, "ALL");
  header.categoryMode = savedCategory("Mode", kCategoryMode, "CW");
  header.categoryPower = savedCategory("Power", kCategoryPower, "HIGH");
  header.categoryTransmitter = savedCategory("Transmitter", kCategoryTransmitter, "ONE");
  header.categoryStation = savedCategory("Station", kCategoryStation, "FIXED");
  header.email = readSetting("Email");
  header.club = readSetting("Club");
  header.soapbox = soapboxFromStored(readSetting("SoapBox"));
  return header;
}

void saveHeader(const CabrilloHeader& header, const std::string& storedSoapbox) {
  writeSetting("Band", header.categoryBand);
  writeSetting("Power", header.categoryPower);
  writeSetting("Operators", header.operators);
  writeSetting("Name", header.name);
  writeSetting("Address", header.address);
  writeSetting("Address-City", header.addressCity);
  writeSetting("Address-PostalCode", header.addressPostalCode);
  writeSetting("Address-Country", header.addressCountry);
  writeSetting("Category", header.categoryOperator);
  writeSetting("Contest", header.contest);
  writeSetting("Email", header.email);
  writeSetting("Club", header.club);
  writeSetting("SoapBox", storedSoapbox);
  writeSetting("Loc", header.location);
  writeSetting("Mode", header.categoryMode);
  writeSetting("Station", header.categoryStation);
  writeSetting("Transmitter", header.categoryTransmitter);
}

}  // namespace

void prepareExport(StateLock& lock, const std::string& ownCall, COleDateTime contestStart,
                   COleDateTime contestEnd) {
  CabrilloHeader shown = loadHeader(ownCall);
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
  saveHeader(confirmed, storedSoapbox);
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
  const std::string message = record.writeFile(state.result.claimedScore, state.log.hostVersion);
  StateLockReleased unlocked(lock);
  showOutputBox(message);
}

}  // namespace stats
