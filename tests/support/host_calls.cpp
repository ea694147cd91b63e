#include "tests/support/host_calls.h"

#include <cstring>

#include "log/callsign_check.h"
#include "plugin/exports.h"

namespace stats::testing {

// What a host reads of CheckCall0 is what the check decides.
static_assert(kCheckDupe == kDupeCall && kCheckOrdinary == kOrdinary && kCheckNewMultiplier == kNewMultiplier &&
              kCheckCannotCount == kCannotCount);

Qso& Qso::at(int hour, int minute, double second) {
  time = COleDateTime::fromParts(2017, 9, 5, hour, minute, 0);
  time.m_dt += second / 86400.0;
  return *this;
}

int resetStats(const Station& s) {
  COleDateTime start = s.start, end = s.end;
  return ResetStats0(s.folder.c_str(), s.exportFlag, s.call.c_str(), &start, &end, "", "", "", "",
                     "", "", "", "", "", s.prefix.c_str(), 0, 0, 0, 0.0, 0.0, "",
                     s.continent.c_str(), "");
}

namespace {
template <class Export>
int qsoCall(Export exportFn, const Qso& q) {
  COleDateTime time = q.time, unused;
  return exportFn(q.ownCall.c_str(), q.call.c_str(), &time, &unused, &unused, &unused, 0u, q.freqHz,
                  q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(),
                  q.exchRcvd.c_str(), "", "", "", "", "", "", "", "", "", q.prefix.c_str(), 0, 0, 0,
                  0.0, 0.0, "", q.continent.c_str(), "", q.band.c_str(), "");
}
}  // namespace

int addData(const Qso& qso) { return qsoCall(AddData0, qso); }
int removeData(const Qso& qso) { return qsoCall(RemoveData0, qso); }

int checkCall(const std::string& call, const std::string& band, const std::string& mode,
              const std::string& prefix, std::string* hint, const char* secondBand) {
  char buffer[kHintBufferSize] = "unset";
  char untouched[4] = "ok";
  const int result = CheckCall0(call.c_str(), 0, 0, mode.c_str(), "", "", "", "", "", "", "", "",
                                "", prefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "", "", "",
                                band.c_str(), secondBand, buffer, untouched);
  if (hint) *hint = buffer;
  if (std::strcmp(untouched, "ok") != 0) return -100;  // the second buffer must never be written
  return result;
}

std::string getResult() {
  int status = 0;
  const std::string text = GetResult0(&status);
  return status == -1 ? text : "status not -1";
}

}  // namespace stats::testing
