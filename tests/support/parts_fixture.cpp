#include "tests/support/parts_fixture.h"

#include "log/intake.h"
#include "log/reset.h"

namespace stats::testing {

ResetArgs resetArgsOf(const Station& s) {
  ResetArgs args;
  args.ownFolder = s.folder;
  args.exportFlag = s.exportFlag;
  args.ownCall = s.call;
  args.contestStart = s.start;
  args.contestEnd = s.end;
  args.ownPrefix = s.prefix;
  args.ownContinent = s.continent;
  return args;
}

QsoArgs qsoArgsOf(const Qso& q) {
  QsoArgs args;
  args.ownCall = q.ownCall;
  args.call = q.call;
  args.qsoTime = q.time;
  args.freqHz = q.freqHz;
  args.mode = q.mode;
  args.rstSent = q.rstSent;
  args.rstRcvd = q.rstRcvd;
  args.exchSent = q.exchSent;
  args.exchRcvd = q.exchRcvd;
  args.prefix = q.prefix;
  args.continent = q.continent;
  args.band = q.band;
  return args;
}

void PartsTest::reset(const Station& station) {
  const ResetArgs args = resetArgsOf(station);
  resetLog(log, args);
  resetBandInfoRows(windows);
  startBadQsoFile(log, args);
}

int PartsTest::add(const Qso& qso) { return addQso(log, qsoArgsOf(qso)); }

void PartsTest::remove(const Qso& qso) { forgetRemovedQso(result, removeQso(log, qsoArgsOf(qso))); }

std::string PartsTest::computedResult() {
  computeResult(log, result);
  return result.resultText;
}

}  // namespace stats::testing
