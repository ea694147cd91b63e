#include "rdac/score/contest_report.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "plugin/exports.h"
#include "rdac/io/text_lines.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

// A month of ten-minute marks. A log whose dates run further (a QSO a year apart, a log of
// several contests) keeps every sixth mark and goes on at six times the step, so the report
// still covers all of it.
constexpr size_t kMaxSnapshots = 6 * 24 * 31;
constexpr int kCoarser = 6;

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
  while (data_.originMinute + data_.snapshotMinutes * static_cast<int64_t>(data_.snapshots.size()) <= minute) {
    take(result_, data_, fedSinceSnapshot_);
    if (data_.snapshots.size() > kMaxSnapshots) coarsen();
  }
  lastMinute_ = std::max(lastMinute_, minute);
}

void ReportRecorder::checked(const LoggedQso& qso, int checkCode, const std::optional<ResultNumbers>& before) {
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
    case kCheckNewMultiplier: {
      ++counts->newMultiplier;
      const auto after = readResultNumbers(result_());
      if (!before || !after) break;
      const NewMultiplier entry{qsoTimeText(qso.time), qso.call, qso.band, qso.mode, qso.exchRcvd};
      if (after->dxcc > before->dxcc) data_.newDxcc.push_back(entry);
      if (after->rda > before->rda) data_.newRda.push_back(entry);
      break;
    }
    case kCheckCannotCount: ++counts->cannotCount; break;
    default: ++counts->other; break;
  }
}

void ReportRecorder::coarsen() {
  std::vector<ResultNumbers>& marks = data_.snapshots;
  size_t kept = 0;
  for (size_t k = 0; k < marks.size(); k += kCoarser) marks[kept++] = std::move(marks[k]);
  marks.resize(kept);
  data_.snapshotMinutes *= kCoarser;
}

ReportData ReportRecorder::page(const std::string& finalResult) const {
  ReportData page = data_;
  page.title = titleOf(finalResult);
  page.resultText = forTerminal(finalResult);
  if (started_) {
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
