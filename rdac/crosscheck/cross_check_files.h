#pragma once
// What the cross-check leaves in its output folder: checked.csv (one row per QSO), one
// CALL.ubn per entrant (its errors, by kind), results.csv (claimed and checked scores).
#include <string>
#include <vector>

#include "rdac/crosscheck/cross_check.h"
#include "rdac/crosscheck/cross_check_scores.h"

namespace rdac {

struct CrossCheckReport {
  const SubmittedLogs& logs;
  const CheckOutcome& outcome;
  const std::vector<EntrantScore>& scores;
};

// Each file goes through a temporary file renamed over it. False with `error` set when one
// cannot be written; the files written before it stay.
bool writeCheckedCsv(const CrossCheckReport& report, const std::string& path, std::string& error);
bool writeUbnFiles(const CrossCheckReport& report, const std::string& folder, std::string& error);
bool writeResultsCsv(const CrossCheckReport& report, const std::string& path, std::string& error);


// What a QSO's detail is made of, in one language; the pieces join in this order.
struct DetailWords {
  const char *workedBeforeOn, *notInTheLogOf, *logged, *loggedThisQsoAt, *received, *sent, *loggedTheCall,
      *partnerReceived, *partnerLogged, *minApart, *theLogOf, *wasNotChecked, *noLogFrom, *inLogs, *logsAfterCount,
      *outsideThePeriod;
};
extern const DetailWords kEnglishDetails;  // as checked.csv and the UBN files write them

// Why the QSO got its verdict, in those words; empty for a plain ok.
std::string verdictDetail(const CrossCheckReport& report, uint32_t qso, const DetailWords& words);

// The verdicts with a UBN section, in the order a UBN file lists them.
std::vector<Verdict> ubnSections();

// The share of its QSOs that do not count, "6.8%".
std::string errorRateText(const EntrantScore& score);

// "+5" minutes, "-60"; "+2 to +12" for a clock that drifted between the log's first and last QSO.
std::string signedMinutes(int minutes);
std::string aheadText(const ClockModel& clock, const Entrant& entrant, const SubmittedLogs& logs);

// The name of an entrant's UBN file: its call with "/" as "_", then ".ubn".
std::string ubnFileName(const std::string& call);

}  // namespace rdac
