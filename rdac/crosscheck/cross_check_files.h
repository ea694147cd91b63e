#pragma once
// What the cross-check leaves in its output folder: checked.csv (one row per QSO), one
// CALL.ubn per entrant (its errors, by kind), results.csv (claimed and checked scores).
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "rdac/crosscheck/cross_check.h"
#include "rdac/crosscheck/cross_check_scores.h"
#include "rdac/io/file_bytes.h"

namespace rdac {

struct CrossCheckReport {
  const SubmittedLogs& logs;
  const CheckOutcome& outcome;
  const std::vector<EntrantScore>& scores;
};

// Each file goes through a temporary file renamed over it. False with `error` set when it
// cannot be written.
bool writeCheckedCsv(const CrossCheckReport& report, const std::string& path, std::string& error);
bool writeResultsCsv(const CrossCheckReport& report, const std::string& path, std::string& error);

// checked.csv written in turns, which may be taken on different threads one after the other:
// each goes on with the rows until they end or `pause` is set. Its rows read no score.
class CheckedCsvFile {
 public:
  CheckedCsvFile(const CrossCheckReport& report, std::string path);
  void writeRows(const std::atomic<bool>* pause = nullptr);
  bool commit(std::string& error);  // after the last row

 private:
  const CrossCheckReport& report_;
  ReplacingFile file_;
  std::string rows_ = "log,time,band,mode,call,verdict,partner_call,detail\n";
  uint32_t next_ = 0;  // the QSO of the next row
};

// One UBN file per entrant and per set-aside log of a station without a log checked. A file
// that cannot be written costs only itself: `failures` says which, one line each.
struct UbnFilesWritten {
  size_t written = 0;
  std::vector<std::string> failures;
};
UbnFilesWritten writeUbnFiles(const CrossCheckReport& report, const std::string& folder);


// What a QSO's detail is made of, in one language; the pieces join in this order.
struct DetailWords {
  const char *workedBeforeOn, *notInTheLogOf, *logged, *loggedThisQsoAt, *received, *sent, *loggedTheCall,
      *partnerReceived, *partnerLogged, *minApart, *theLogOf, *wasNotChecked, *noLogFrom, *inLogs, *logsAfterCount,
      *outsideThePeriod, *confirmsTheCopyOf, *notCountedAsAsked;
};
extern const DetailWords kEnglishDetails;  // as checked.csv and the UBN files write them

// Why the QSO got its verdict, in those words, added to `out`; nothing for a plain ok.
void appendVerdictDetail(std::string& out, const CrossCheckReport& report, uint32_t qso, const DetailWords& words);

// The verdicts with a UBN section, in the order a UBN file lists them.
std::vector<Verdict> ubnSections();

// The share of its QSOs that do not count, in percent, and as results.csv writes it ("6.8%").
double errorRate(const EntrantScore& score);
std::string errorRateText(const EntrantScore& score);

// "+5" minutes, "-60"; "+2 to +12" for a clock that drifted between the log's first and last QSO.
std::string signedMinutes(int minutes);
std::string aheadText(const ClockModel& clock, const Entrant& entrant, const SubmittedLogs& logs);

// The names of the UBN files of one run. A call comes from the entrant's file, so its name keeps
// only letters (upper-cased) and digits, "/" as "_", at most kLongestUbnName of them: it stays
// in the output folder and is a name on every system. A name Windows keeps for a device (CON,
// NUL, COM1, ...) gets a "_", and a name taken already in the run a "-2", "-3", ...
class UbnFileNames {
 public:
  static constexpr size_t kLongestUbnName = 32;
  std::string take(std::string_view call);

 private:
  std::unordered_set<std::string> taken_;
};

}  // namespace rdac
