#pragma once
// What the report shows, gathered while the log is fed: the plug-in's result every ten
// minutes of log time, what CheckCall0 said before each AddData0, and at the end its result
// text and bad-QSO lines. Only the plug-in's answers go in, besides the QSOs the host could
// not place.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rdac/logs/logged_qso.h"
#include "rdac/score/result_numbers.h"

namespace rdac {

inline constexpr int kSnapshotMinutes = 10;

// CheckCall0's answers on one band.
struct CheckCounts {
  std::string band;
  int dupe = 0, ordinary = 0, newMultiplier = 0, cannotCount = 0, other = 0;
};

struct NewMultiplier {
  std::string time;  // "2017-08-19 1204"
  std::string call, band, mode, exchange;
};

struct UnscoredQso {
  std::string call, time, band;
  size_t line = 0;
  std::string why;
};

struct ReportData {
  std::string title;       // the contest and the own call, from the result
  std::string resultText;  // the plug-in's text result, line ends as a terminal wants them
  std::vector<std::pair<std::string, std::string>> header;  // Cabrillo header values, when exporting
  int64_t originMinute = 0;               // minutes since 1899-12-30 of snapshots[0]: a whole hour
  int snapshotMinutes = kSnapshotMinutes;  // 10, or for a log of more than a month 60, 360, ...
  std::vector<ResultNumbers> snapshots;   // snapshots[k]: the result at originMinute + step k
  std::vector<CheckCounts> checks;        // per band, in the order bands came
  // The QSOs that raised the result's DXCC or RDA count, each in the order they came; a QSO the
  // check called a new multiplier that the plug-in then refused is in neither.
  std::vector<NewMultiplier> newDxcc, newRda;
  std::vector<std::string> badQsoLines;
  std::vector<UnscoredQso> unscored;
  int refreshSeconds = 0;  // > 0: the page reloads itself (rdac watch)
};


class ReportRecorder {
 public:
  // `result` asks the plug-in for its text result (GetResult0).
  explicit ReportRecorder(std::function<std::string()> result) : result_(std::move(result)) {}

  // Before a QSO logged at `minute` is fed: the result at every ten-minute mark up to it.
  void reach(int64_t minute);
  // After it was fed: what CheckCall0 said just before, and for a new multiplier the result
  // before the QSO, which the result now is compared with.
  void checked(const LoggedQso& qso, int checkCode, const std::optional<ResultNumbers>& before);

  // The data so far, closed with the result at the mark after the last QSO fed, which
  // `finalResult` (the plug-in's text result now) gives without another call.
  ReportData page(const std::string& finalResult) const;

  ReportData& data() { return data_; }

 private:
  std::function<std::string()> result_;
  ReportData data_;
  bool started_ = false;
  bool fedSinceSnapshot_ = false;
  int64_t lastMinute_ = 0;
  void take(const std::function<std::string()>& result, ReportData& into, bool& fed) const;
  void coarsen();
};

// The bad-QSO file's lines by what they say is wrong, groups in the order they first came.
std::vector<std::pair<std::string, std::vector<std::string>>> badQsosByReason(
    const std::vector<std::string>& lines);

}  // namespace rdac
