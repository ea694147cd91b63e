// The cross-check on several small logs made from one input: the input's first bytes set the
// policy, the rest splits at each "\n=\n" into logs, ADIF or Cabrillo by their first bytes, with
// headers and calls as the bytes give them. They are admitted as rdac crosscheck admits them (a
// later log of a station replaces the earlier), checked, and written out as a committee gets
// them. The plug-in's scoring is not run: every entrant keeps an empty score.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "rdac/crosscheck/cross_check.h"
#include "rdac/crosscheck/cross_check_files.h"
#include "rdac/crosscheck/call_edits.h"
#include "rdac/logs/adif_reader.h"
#include "rdac/logs/cabrillo_reader.h"
#include "rdac/logs/qso_limits.h"

namespace {

rdac::CheckPolicy policyOf(std::string_view& bytes) {
  rdac::CheckPolicy policy;
  if (bytes.size() < 4) return policy;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  policy.windowMinutes = byte(0) % 8;
  policy.clockWindowMinutes = policy.windowMinutes + byte(1) % 40;
  policy.bustWindowMinutes = policy.windowMinutes + byte(1) % 12;
  policy.largestClockOffset = byte(2) % 3 * 60;
  policy.creditedLogs = 1 + byte(3) % 4;
  policy.partnerErrorsCount = byte(3) & 0x80;
  if (byte(2) & 0x80) {  // a day from 2017-08-19 12:00, the seeds' contest
    policy.periodStart = 42966 * 1440 + 720;
    policy.periodEnd = policy.periodStart + 1440;
  }
  bytes.remove_prefix(4);
  return policy;
}

// Its files land here; the current folder stays, so the corpus given by relative paths is read.
std::string scratchFolder() {
  const char* parent = std::getenv("TMPDIR");
  std::string pattern = std::string(parent && *parent ? parent : "/tmp") + "/crosscheck-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) std::abort();
  return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = scratchFolder();
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const rdac::CheckPolicy policy = policyOf(bytes);
  rdac::SubmittedLogs logs;
  std::vector<bool> replaced;
  for (size_t n = 0; !bytes.empty() && n < 16; ++n) {
    const size_t end = std::min(bytes.find("\n=\n"), bytes.size());
    const std::string_view text = bytes.substr(0, end);
    bytes.remove_prefix(std::min(end + 3, bytes.size()));
    const bool adif = text.find('<') < text.find("QSO:");
    const rdac::ContestLog log = adif ? rdac::readAdif(text) : rdac::readCabrillo(text);
    if (log.ownCall.empty() || log.ownCall.size() > rdac::kLongestCall) continue;
    if (log.qsos.empty()) {
      logs.setAside("log" + std::to_string(n), log.ownCall, "holds no QSO");
      continue;
    }
    const int earlier = logs.entrantOf(logs.calls.find(std::string(rdac::stationOf(log.ownCall))));
    if (earlier >= 0) replaced[size_t(earlier)] = true;
    logs.add("log" + std::to_string(n), log.ownCall, log.qsos);
    replaced.push_back(false);
  }
  logs.drop(replaced);
  const rdac::CheckOutcome outcome = rdac::crossCheck(logs, policy);
  const std::vector<rdac::EntrantScore> scores(logs.entrants.size());
  const rdac::CrossCheckReport report{logs, outcome, scores};
  std::string error;
  rdac::writeCheckedCsv(report, folder + "/checked.csv", error);
  rdac::writeUbnFiles(report, folder);
  rdac::writeResultsCsv(report, folder + "/results.csv", error);
  return 0;
}
