#include "tests/support/parts_fixture.h"

#include "log/intake.h"
#include "log/reset.h"

namespace stats::testing {

ResetArgs resetArgsOf(const Station& s) {
  return {s.folder, s.exportFlag, s.call, s.start, s.end, s.prefix, s.continent};
}

QsoArgs qsoArgsOf(const Qso& q) {
  return {q.ownCall, q.call,     q.time,     q.freqHz, q.mode,      q.rstSent,
          q.rstRcvd, q.exchSent, q.exchRcvd, q.prefix, q.continent, q.band};
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
