#include "rdac/crosscheck/cross_check_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/text.h"
#include "rdac/io/file_bytes.h"
#include "rdac/crosscheck/call_edits.h"
#include "rdac/crosscheck/standings.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

// A plain loop: find_first_of runs memchr over its four characters for every byte, and
// checked.csv has thirty million fields.
bool needsQuotes(std::string_view text) {
  for (char c : text)
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  return false;
}

void appendCsvField(std::string& out, std::string_view text) {
  if (!needsQuotes(text)) {
    out.append(text);
    return;
  }
  out += '"';
  for (char c : text) out.append(c == '"' ? 2 : 1, c);
  out += '"';
}

std::string csvField(std::string_view text) {
  std::string field;
  appendCsvField(field, text);
  return field;
}

class Details {
 public:
  explicit Details(const CrossCheckReport& r) : r_(r) {}

  const std::string& call(uint32_t id) const { return r_.logs.calls.text(id); }

  std::string partnerCall(const QsoCheck& check) const {
    return check.partnerCall == stats::TextIds::kNone ? std::string() : call(check.partnerCall);
  }

  // Why the QSO got its verdict, in words; empty for a plain ok.
  std::string of(uint32_t i, const DetailWords& w = kEnglishDetails) const {
    std::string detail;
    appendTo(detail, i, w);
    return detail;
  }

  // The same, added to `out`: the files list a contest's million QSOs that do not count.
  void appendTo(std::string& out, uint32_t i, const DetailWords& w = kEnglishDetails) const {
    const CheckedQso& q = r_.logs.qsos[i];
    const QsoCheck& check = r_.outcome.qsos[i];
    const bool paired = check.partnerQso != QsoCheck::kNoQso;
    const CheckedQso* p = paired ? &r_.logs.qsos[check.partnerQso] : nullptr;
    if (check.verdict == Verdict::ok) {
      if (text(q.band).empty()) out += outsideTheBand(q);
      return;
    }
    const std::string& partnerLog = p ? call(r_.logs.entrants[p->entrant].call) : kNothing;
    switch (check.verdict) {
      case Verdict::ok: return;
      case Verdict::dupe: out.append(w.workedBeforeOn).append(text(q.band)).append(" ").append(text(q.mode)); return;
      case Verdict::nil: out.append(w.notInTheLogOf).append(call(q.station)); return;
      case Verdict::bustedCall:
        out.append(w.logged).append(call(q.call)).append("; ").append(partnerLog).append(w.loggedThisQsoAt);
        appendClock(out, p->minute);
        return;
      case Verdict::bustedExchange:
        out.append(w.received).append(text(q.exchRcvd)).append(", ").append(partnerLog).append(w.sent);
        out.append(text(p->exchSent));
        return;
      case Verdict::partnerError:
        if (p->station != r_.logs.entrants[q.entrant].station) {
          out.append(partnerLog).append(w.loggedTheCall).append(call(p->call));
          return;
        }
        out.append(partnerLog).append(w.partnerReceived).append(text(p->exchRcvd)).append(", ");
        out.append(call(r_.logs.entrants[q.entrant].call)).append(w.sent).append(text(q.exchSent));
        return;
      case Verdict::timeMismatch:
        out.append(partnerLog).append(w.partnerLogged);
        appendClock(out, p->minute);
        out.append(", ").append(std::to_string(correctedGap(q, *p))).append(w.minApart);
        return;
      case Verdict::bandMismatch:
        out.append(partnerLog).append(w.partnerLogged).append(text(p->band)).append(" ").append(text(p->mode));
        return;
      case Verdict::unique:
      case Verdict::noLogCredited: {
        if (const SetAsideLog* setAside = r_.logs.setAsideOf(q.station))
          out.append(w.theLogOf).append(call(setAside->call)).append(" (").append(setAside->why).append(")").append(w.wasNotChecked);
        else
          out.append(w.noLogFrom).append(call(q.station));
        out.append(w.inLogs).append(std::to_string(r_.outcome.logsHolding[q.station])).append(w.logsAfterCount);
        return;
      }
      case Verdict::outOfPeriod: out.append(w.outsideThePeriod); return;
      case Verdict::xQso:
        if (p) out.append(w.confirmsTheCopyOf).append(partnerLog);
        else out.append(w.notCountedAsAsked);
        return;
    }
  }

 private:
  const CrossCheckReport& r_;
  // Paired by the band whose edge it is near, but the plug-in counts no QSO outside every band.
  static std::string outsideTheBand(const CheckedQso& q) {
    return "logged at " + std::to_string(q.freqHz / 1000) + " kHz, outside the band: confirmed, but not counted";
  }
  const std::string& text(uint32_t id) const { return r_.logs.texts.text(id); }
  static inline const std::string kNothing;
  static void appendClock(std::string& out, int32_t minute) { out.append(minuteText(minute), 11, std::string::npos); }
  int correctedGap(const CheckedQso& a, const CheckedQso& b) const {
    return std::abs(r_.outcome.correctedMinute(a) - r_.outcome.correctedMinute(b));
  }
};

}  // namespace

const DetailWords kEnglishDetails{"worked before on ", "not in the log of ", "logged ", " logged this QSO at ",
                                  "received ", " sent ", " logged the call ", " received ", " logged ",
                                  " min apart after clock offsets", "the log of ", " was not checked",
                                  "no log from ", "; in ", " log(s)", "outside the contest period",
                                  "confirms the copy of ", "not counted, as its sender asked"};

void appendVerdictDetail(std::string& out, const CrossCheckReport& report, uint32_t qso, const DetailWords& words) {
  Details(report).appendTo(out, qso, words);
}

std::vector<Verdict> ubnSections() {
  std::vector<const VerdictRow*> rows;
  for (const VerdictRow& row : kVerdicts)
    if (row.ubnHeading) rows.push_back(&row);
  std::sort(rows.begin(), rows.end(), [](const VerdictRow* a, const VerdictRow* b) { return a->ubnPlace < b->ubnPlace; });
  std::vector<Verdict> order;
  for (const VerdictRow* row : rows) order.push_back(row->verdict);
  return order;
}

namespace {

std::string scoreLine(const char* what, size_t qsos, int points, int64_t score) {
  return std::string(what) + std::to_string(qsos) + " QSOs, " + std::to_string(points) + " points, score " +
         std::to_string(score) + "\n";
}

std::string clockLine(const CrossCheckReport& r, const Entrant& entrant, const ClockModel& clock) {
  if (entrant.count == 0) return "Clock offset: 0 min\n";
  const int32_t first = r.logs.qsos[entrant.first].minute, last = r.logs.qsos[entrant.first + entrant.count - 1].minute;
  if (clock.timeless)
    return "Clock offset: none: the log's times carry no usable time (most QSOs at " + minuteText(first) +
           "); its QSOs are paired by call, band, mode and order\n";
  const std::string slip =
      clock.dateSlipped() ? "; its date did not roll over at midnight: QSOs logged before " + minuteText(clock.dateBehindBefore) +
                                " are taken a day later"
                          : std::string();
  const int offset = clock.aheadAt(std::max(first, clock.dateBehindBefore));
  if (!slip.empty()) return "Clock offset: " + signedMinutes(offset) + " min" + slip + "\n";
  if (clock.drift != 0)
    return "Clock offset: " + signedMinutes(offset) + " min at " + minuteText(first) + ", drifting to " +
           signedMinutes(clock.aheadAt(last)) + " min at " + minuteText(last) + " (the log's times are corrected along that line)\n";
  return "Clock offset: " + signedMinutes(offset) + " min" +
         (offset ? " (the log's times are taken " + std::to_string(std::abs(offset)) +
                       (offset > 0 ? " min earlier)" : " min later)")
                 : std::string()) +
         "\n";
}

// Confirmed QSOs that its partner paired although they were logged just past a band's edge: the
// sender should know why they earn nothing.
std::string outsideTheBandSection(const CrossCheckReport& r, const Details& details, const Entrant& entrant) {
  std::string section;
  size_t count = 0;
  for (uint32_t i = uint32_t(entrant.first); i < entrant.first + entrant.count; ++i) {
    const CheckedQso& q = r.logs.qsos[i];
    if (r.outcome.qsos[i].verdict != Verdict::ok || !r.logs.texts.text(q.band).empty()) continue;
    section += "  " + minuteText(q.minute) + "  " + r.logs.texts.text(q.mode) + "  " + details.call(q.call) + "  " +
               details.of(i) + "\n";
    ++count;
  }
  return count ? "\nOutside the band: " + std::to_string(count) + "\n" + section : std::string();
}

std::string ubnText(const CrossCheckReport& r, const Details& details, uint32_t e) {
  const Entrant& entrant = r.logs.entrants[e];
  const EntrantScore& score = r.scores[e];
  std::string text = "Cross-check of " + details.call(entrant.call) + " (" + entrant.source + ")\n";
  text += scoreLine("Claimed: ", score.claimedQsos, score.claimedPoints, score.claimedScore);
  text += scoreLine("Checked: ", score.checkedQsos, score.checkedPoints, score.checkedScore);
  if (score.penaltyPoints) text += "Penalty: " + std::to_string(score.penaltyPoints) + " points\n";
  if (!score.scored) text += "Not scored: the country file places " + details.call(entrant.call) + " nowhere\n";
  if (entrant.skipped)
    text += "Read " + std::to_string(entrant.count) + " of " + std::to_string(entrant.count + entrant.skipped) +
            " QSO lines: the others could not be read\n";
  if (entrant.checklog) text += "Checklog: checked, not ranked in results.csv\n";
  if (!entrant.prefixOnlyCall.empty())
    text += "Warning: the log's call " + entrant.prefixOnlyCall + " is only a prefix" +
            (entrant.prefixOnlyCall == details.call(entrant.call)
                 ? std::string()
                 : "; checked as " + details.call(entrant.call) + ", its file's name") +
            "\n";
  text += clockLine(r, entrant, r.outcome.clocks[e]);
  static const std::vector<Verdict> sections = ubnSections();
  for (Verdict v : sections) {
    std::string section;
    size_t count = 0;
    for (uint32_t i = uint32_t(entrant.first); i < entrant.first + entrant.count; ++i) {
      if (r.outcome.qsos[i].verdict != v) continue;
      const CheckedQso& q = r.logs.qsos[i];
      section.append("  ").append(minuteText(q.minute)).append("  ").append(r.logs.texts.text(q.band)).append(" ");
      section.append(r.logs.texts.text(q.mode)).append("  ").append(details.call(q.call)).append("  ");
      details.appendTo(section, i);
      section += '\n';
      ++count;
    }
    if (count) text += "\n" + std::string(rowOf(v).ubnHeading) + ": " + std::to_string(count) + "\n" + section;
  }
  return text + outsideTheBandSection(r, details, entrant);
}

// Windows opens the device, not a file, for these names whatever their extension.
bool windowsDeviceName(const std::string& name) {
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (name == device) return true;
  return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
         stats::isAsciiDigit(name[3]);
}

}  // namespace

double errorRate(const EntrantScore& s) {
  return s.claimedQsos ? 100.0 * double(s.claimedQsos - s.checkedQsos) / double(s.claimedQsos) : 0.0;
}

std::string errorRateText(const EntrantScore& s) {
  char rate[16];
  std::snprintf(rate, sizeof rate, "%.1f%%", errorRate(s));
  return rate;
}

std::string signedMinutes(int minutes) { return (minutes > 0 ? "+" : "") + std::to_string(minutes); }

std::string aheadText(const ClockModel& clock, const Entrant& entrant, const SubmittedLogs& logs) {
  if (entrant.count == 0) return "0";
  const int32_t first = logs.qsos[entrant.first].minute, last = logs.qsos[entrant.first + entrant.count - 1].minute;
  if (clock.dateSlipped())
    return signedMinutes(clock.aheadAt(std::max(first, clock.dateBehindBefore))) + " (date a day behind before " +
           minuteText(clock.dateBehindBefore) + ")";
  const std::string start = signedMinutes(clock.aheadAt(first));
  return clock.drift != 0 ? start + " to " + signedMinutes(clock.aheadAt(last)) : start;
}

std::string UbnFileNames::take(std::string_view call) {
  std::string name;
  for (char c : call) {
    if (name.size() == kLongestUbnName) break;
    if (stats::isAsciiDigit(c) || (c >= 'A' && c <= 'Z')) name += c;
    else if (c >= 'a' && c <= 'z') name += char(c - 'a' + 'A');
    else if (c == '/') name += '_';
  }
  if (name.empty()) name = "_";
  if (windowsDeviceName(name)) name += '_';
  std::string unique = name;
  for (int n = 2; !taken_.insert(unique).second; ++n) unique = name + "-" + std::to_string(n);
  return unique + ".ubn";
}

CheckedCsvFile::CheckedCsvFile(const CrossCheckReport& report, std::string path)
    : report_(report), file_(std::move(path)) {}

void CheckedCsvFile::writeRows(const std::atomic<bool>* pause) {
  const CrossCheckReport& r = report_;
  const Details details(r);
  // Five million rows: built in a buffer written in large pieces.
  for (; next_ < r.logs.qsos.size(); ++next_) {
    if (pause && pause->load(std::memory_order_relaxed)) return;
    const uint32_t i = next_;
    const CheckedQso& q = r.logs.qsos[i];
    const QsoCheck& check = r.outcome.qsos[i];
    const std::string when = minuteText(q.minute);
    for (std::string_view field : {std::string_view(details.call(r.logs.entrants[q.entrant].call)),
                                   std::string_view(when), std::string_view(r.logs.texts.text(q.band)),
                                   std::string_view(r.logs.texts.text(q.mode)), std::string_view(details.call(q.call)),
                                   std::string_view(verdictName(check.verdict))}) {
      appendCsvField(rows_, field);
      rows_ += ',';
    }
    if (check.partnerCall != stats::TextIds::kNone) appendCsvField(rows_, details.call(check.partnerCall));
    rows_ += ',';
    appendCsvField(rows_, details.of(i));
    rows_ += '\n';
    if (rows_.size() > (1u << 20)) {
      file_.out() << rows_;
      rows_.clear();
    }
  }
}

bool CheckedCsvFile::commit(std::string& error) {
  file_.out() << rows_;
  rows_.clear();
  return file_.commit(error);
}

bool writeCheckedCsv(const CrossCheckReport& r, const std::string& path, std::string& error) {
  CheckedCsvFile file(r, path);
  file.writeRows();
  return file.commit(error);
}

UbnFilesWritten writeUbnFiles(const CrossCheckReport& r, const std::string& folder) {
  const Details details(r);
  UbnFileNames names;
  UbnFilesWritten result;
  const auto write = [&](uint32_t call, const std::string& text) {
    std::string error;
    if (updateFileBytes(folder + "/" + names.take(details.call(call)), text, error)) ++result.written;
    else result.failures.push_back("cannot write the UBN file of " + details.call(call) + ": " + error);
  };
  for (uint32_t e = 0; e < r.logs.entrants.size(); ++e) write(r.logs.entrants[e].call, ubnText(r, details, e));
  for (const SetAsideLog& log : r.logs.setAsideLogs) {
    if (r.logs.entrantOf(r.logs.calls.find(std::string(stationOf(details.call(log.call))))) >= 0) continue;
    write(log.call, "Cross-check of " + details.call(log.call) + " (" + log.source + ")\nNot checked (" + log.why +
                        "): its partners are judged as if it had sent no log\n");
  }
  return result;
}

bool writeResultsCsv(const CrossCheckReport& r, const std::string& path, std::string& error) {
  std::vector<uint32_t> order(r.logs.entrants.size());
  for (uint32_t e = 0; e < order.size(); ++e) order[e] = e;
  const auto& calls = r.logs.calls;
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    if (r.scores[a].checkedScore != r.scores[b].checkedScore) return r.scores[a].checkedScore > r.scores[b].checkedScore;
    return calls.text(r.logs.entrants[a].call) < calls.text(r.logs.entrants[b].call);
  });
  const std::vector<Standing> standings = rankEntrants(r.logs, r.scores);
  const auto place = [](uint32_t place) { return place ? std::to_string(place) : std::string(); };
  ReplacingFile file(path);
  std::ofstream& out = file.out();
  // New columns go at the end: what reads the first six keeps working.
  out << "call,claimed_score,checked_score,qsos_claimed,qsos_checked,error_rate,category,area,category_place,area_place\n";
  for (uint32_t e : order) {
    const Entrant& entrant = r.logs.entrants[e];
    if (entrant.checklog) continue;
    const EntrantScore& s = r.scores[e];
    out << csvField(calls.text(entrant.call)) << ',' << s.claimedScore << ',' << s.checkedScore << ','
        << s.claimedQsos << ',' << s.checkedQsos << ',' << errorRateText(s) << ',' << csvField(entrant.category) << ','
        << csvField(entrant.area) << ',' << place(standings[e].categoryPlace) << ',' << place(standings[e].areaPlace)
        << '\n';
  }
  return file.commit(error);
}

}  // namespace rdac
