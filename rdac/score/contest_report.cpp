#include "rdac/score/contest_report.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "plugin/exports.h"
#include "rdac/io/text_lines.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

// A month of ten-minute marks; a log whose dates run further is charted over its first month.
constexpr size_t kMaxSnapshots = 6 * 24 * 31;

int64_t floorTo(int64_t value, int64_t step) {
  const int64_t q = value / step;
  return (q * step > value ? q - 1 : q) * step;
}

// "RDA CONTEST 19.08-20.08.2017, Contestant: RA3AL": the result's two title lines.
std::string titleOf(const std::string& text) {
  std::string title;
  size_t pos = 0;
  for (int i = 0; i < 2 && pos < text.size(); ++i) {
    const std::string line = stats::trimmed(nextLine(text, pos));
    if (!line.empty()) title += (title.empty() ? "" : ", ") + line;
  }
  return title;
}

}  // namespace

void ReportRecorder::take(const std::function<std::string()>& result, ReportData& into, bool& fed) const {
  if (fed || into.snapshots.empty()) {
    into.snapshots.push_back(readResultNumbers(result()).value_or(ResultNumbers{}));
    fed = false;
  } else {
    // Nothing was fed since the last mark, so the plug-in would answer the same.
    into.snapshots.push_back(into.snapshots.back());
  }
}

void ReportRecorder::reach(int64_t minute) {
  if (!started_) {
    started_ = true;
    data_.originMinute = floorTo(minute, 60);
  }
  while (data_.snapshots.size() < kMaxSnapshots &&
         data_.originMinute + kSnapshotMinutes * static_cast<int64_t>(data_.snapshots.size()) <= minute)
    take(result_, data_, fedSinceSnapshot_);
  lastMinute_ = std::max(lastMinute_, minute);
}

void ReportRecorder::checked(const LoggedQso& qso, int checkCode) {
  fedSinceSnapshot_ = true;
  auto counts = std::find_if(data_.checks.begin(), data_.checks.end(),
                             [&](const CheckCounts& c) { return c.band == qso.band; });
  if (counts == data_.checks.end()) {
    data_.checks.push_back(CheckCounts{qso.band});
    counts = data_.checks.end() - 1;
  }
  switch (checkCode) {
    case kCheckDupe: ++counts->dupe; break;
    case kCheckOrdinary: ++counts->ordinary; break;
    case kCheckNewMultiplier:
      ++counts->newMultiplier;
      data_.newMultipliers.push_back(
          {qsoTimeText(qso.time), qso.call, qso.band, qso.mode, qso.exchRcvd});
      break;
    case kCheckCannotCount: ++counts->cannotCount; break;
    default: ++counts->other; break;
  }
}

ReportData ReportRecorder::page(const std::string& finalResult) const {
  ReportData page = data_;
  page.title = titleOf(finalResult);
  page.resultText = forTerminal(finalResult);
  if (started_ && page.snapshots.size() < kMaxSnapshots) {
    bool fed = true;
    take([&] { return finalResult; }, page, fed);
  }
  return page;
}

std::vector<std::pair<std::string, std::vector<std::string>>> badQsosByReason(
    const std::vector<std::string>& lines) {
  // The plug-in's reasons end its lines; a district it does not accept is named before its reason.
  static const char* const kReasons[] = {"DUPE !!!", "WRONG BAND !!!", "WRONG MODE !!!", "NO RX NUMBER !!!",
                                         "District Area Code is not acceptable !!!"};
  std::vector<std::pair<std::string, std::vector<std::string>>> groups;
  for (const std::string& line : lines) {
    std::string reason = "other";
    for (const char* known : kReasons) {
      const std::string tail = known;
      if (line.size() >= tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0) {
        reason = tail.rfind("District", 0) == 0 ? "Russland " + tail : tail;
        break;
      }
    }
    auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == reason; });
    if (group == groups.end()) group = groups.insert(groups.end(), {reason, {}});
    group->second.push_back(line);
  }
  return groups;
}

}  // namespace rdac
