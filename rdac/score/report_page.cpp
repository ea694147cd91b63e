#include "rdac/score/report_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/ole_date_time.h"
#include "rdac/io/messages.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

const char kStyle[] =
    "body{font:14px/1.4 'DejaVu Sans',Arial,sans-serif;color:#222;margin:16px auto;max-width:1060px;padding:0 12px}"
    "h1{font-size:20px;margin:0 0 4px}h2{font-size:16px;margin:22px 0 6px;border-bottom:1px solid #ccc}"
    "h3{font-size:14px;margin:12px 0 4px}pre{background:#f6f6f2;padding:8px;overflow-x:auto;font-size:12px;tab-size:8}"
    "table{border-collapse:collapse;font-size:12px;margin:4px 0}td,th{border:1px solid #ccc;padding:2px 5px;text-align:right}"
    "th{background:#eee}td:first-child,th:first-child{text-align:left}.wide{overflow-x:auto}"
    ".legend span{display:inline-block;margin-right:12px}.legend i{display:inline-block;width:10px;height:10px;margin-right:4px}"
    "svg text{font:11px 'DejaVu Sans',Arial,sans-serif;fill:#444}.grid{stroke:#e3e3e3}.axis{stroke:#888}"
    ".peak10,.peak60{stroke-width:1.5;stroke-dasharray:6 3}.peak10{stroke:#c00}.peak60{stroke:#333}"
    "#band-hour td,#band-hour th{padding:1px 3px;font-size:11px}"
    "ol.mults{columns:20em;font-size:11px;font-family:monospace;padding-left:3.5em}.note{color:#666;font-size:12px}"
    ".row{display:flex;gap:16px;flex-wrap:wrap}.charts{display:flex;gap:20px;flex-wrap:wrap}";

const char* bandColour(const std::string& band) {
  static const std::pair<const char*, const char*> kColours[] = {
      {"160m", "#8c564b"}, {"80m", "#d62728"}, {"40m", "#ff7f0e"},
      {"20m", "#2ca02c"},  {"15m", "#1f77b4"}, {"10m", "#9467bd"}};
  for (const auto& [name, colour] : kColours)
    if (band == name) return colour;
  return "#7f7f7f";
}


std::string num(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", value);
  return buffer;
}

std::string clock(int64_t minute, const char* format = "%H:%M") { return timeOfMinute(minute).Format(format); }

// Grid steps an axis reads well with.
double niceStep(double max, int ticks) {
  const double raw = std::max(max, 1.0) / ticks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (f * magnitude >= raw) return f * magnitude;
  return 10 * magnitude;
}

// The series the page draws, from the results at the marks.
struct Series {
  std::vector<std::string> bands;  // in the result's order, bands seen only earlier after them
  int binMinutes = 60;             // one bin per hour, or longer for a long log
  int marksPerBin = 6;
  size_t bins = 0;
  std::vector<std::vector<int>> qsos;  // [bin][band]
  bool peaks = false;                  // the marks are ten minutes apart, so the best 10 and 60 minutes show
  int peak10 = 0, peak60 = 0;          // QSOs in the best ten and sixty minutes
  size_t peak10At = 0, peak60At = 0;   // their first mark
};

Series seriesOf(const ReportData& d) {
  Series s;
  const auto& snaps = d.snapshots;
  for (auto it = snaps.rbegin(); it != snaps.rend(); ++it)
    for (const BandNumbers& b : it->bands)
      if (std::find(s.bands.begin(), s.bands.end(), b.band) == s.bands.end()) s.bands.push_back(b.band);
  if (snaps.size() < 2) return s;
  const size_t intervals = snaps.size() - 1;
  const int step = d.snapshotMinutes;
  const int64_t hours = (static_cast<int64_t>(intervals) * step + 59) / 60;
  s.binMinutes = 60 * static_cast<int>((hours + 95) / 96);  // at most 96 bars
  s.binMinutes = (s.binMinutes + step - 1) / step * step;
  s.marksPerBin = s.binMinutes / step;
  s.bins = (intervals + s.marksPerBin - 1) / s.marksPerBin;
  s.qsos.assign(s.bins, std::vector<int>(s.bands.size()));
  for (size_t bin = 0; bin < s.bins; ++bin) {
    const ResultNumbers& from = snaps[bin * s.marksPerBin];
    const ResultNumbers& to = snaps[std::min(snaps.size() - 1, (bin + 1) * s.marksPerBin)];
    for (size_t b = 0; b < s.bands.size(); ++b)
      s.qsos[bin][b] = std::max(0, to.qsosOn(s.bands[b]) - from.qsosOn(s.bands[b]));
  }
  s.peaks = step == kSnapshotMinutes;
  for (size_t k = 0; s.peaks && k < intervals; ++k) {
    const int ten = snaps[k + 1].qsos - snaps[k].qsos;
    const int sixty = snaps[std::min(intervals, k + 6)].qsos - snaps[k].qsos;
    if (ten > s.peak10) s.peak10 = ten, s.peak10At = k;
    if (sixty > s.peak60) s.peak60 = sixty, s.peak60At = k;
  }
  return s;
}

int64_t markMinute(const ReportData& d, size_t mark) {
  return d.originMinute + static_cast<int64_t>(mark) * d.snapshotMinutes;
}

// "from 19.08.2017 12:00 to 20.08.2017 13:00 UTC, the whole log": what the charts and tables span.
std::string coverage(const ReportData& d) {
  if (d.snapshots.size() < 2) return tr("No QSO yet.");
  const char* format = "%d.%m.%Y %H:%M";
  return tr("The charts and tables cover the whole log, from {1} to {2} UTC, from the plug-in's result every {3} "
             "minutes of log time.",
             {clock(d.originMinute, format), clock(markMinute(d, d.snapshots.size() - 1), format),
              std::to_string(d.snapshotMinutes)});
}

std::string binLabel(const ReportData& d, const Series& s, size_t bin) {
  const int64_t minute = markMinute(d, bin * s.marksPerBin);
  const bool newDay = bin == 0 || clock(minute, "%d") != clock(markMinute(d, (bin - 1) * s.marksPerBin), "%d");
  return newDay ? clock(minute, "%d.%m %H") : clock(minute, "%H");
}

struct Frame {
  int width, height, left = 48, right = 12, top = 26, bottom = 34;
  double yMax = 1;
  double x(double fraction) const { return left + fraction * (width - left - right); }
  double y(double value) const { return top + (height - top - bottom) * (1.0 - value / yMax); }
};

// Horizontal grid lines with their values, up to the round axis maximum it settles on and
// leaves in the frame.
void grid(std::string& out, Frame& f, double max) {
  // The labels are whole numbers, so the step is too: all-zero values read 0 and 1, not 0, 0, 1, 1.
  const double step = std::max(1.0, niceStep(max, 5));
  f.yMax = std::max(step, std::ceil(max / step) * step);
  for (double v = 0; v <= f.yMax + step / 2; v += step) {
    out += "<line class=\"grid\" x1=\"" + num(f.left) + "\" x2=\"" + num(f.width - f.right) + "\" y1=\"" +
           num(f.y(v)) + "\" y2=\"" + num(f.y(v)) + "\"/>";
    out += "<text x=\"" + num(f.left - 4) + "\" y=\"" + num(f.y(v) + 4) + "\" text-anchor=\"end\">" +
           std::to_string(static_cast<long long>(v)) + "</text>";
  }
}

void timeAxis(std::string& out, const Frame& f, const ReportData& d, const Series& s) {
  const size_t fit = std::max(2, (f.width - f.left - f.right) / 64);  // labels that fit side by side
  const size_t every = std::max<size_t>(1, (s.bins + fit - 1) / fit);
  for (size_t bin = 0; bin < s.bins; bin += every)
    out += "<text x=\"" + num(f.x(static_cast<double>(bin) / s.bins)) + "\" y=\"" + num(f.height - f.bottom + 14) +
           "\">" + binLabel(d, s, bin) + "</text>";
  out += "<text x=\"" + num(f.width - f.right) + "\" y=\"" + num(f.height - 4) +
         "\" text-anchor=\"end\">UTC</text>";
}

void legend(std::string& out, const std::vector<std::pair<std::string, std::string>>& entries) {
  out += "<div class=\"legend\">";
  for (const auto& [name, colour] : entries)
    out += "<span><i style=\"background:" + colour + "\"></i>" + htmlEscaped(name) + "</span>";
  out += "</div>";
}

void rateChart(std::string& out, const ReportData& d, const Series& s) {
  out += "<h2>" + tr("QSO rate") + "</h2>";
  if (s.bins == 0) {
    out += "<p class=\"note\">" + tr("No QSO yet.") + "</p>";
    return;
  }
  const double binHours = s.binMinutes / 60.0;
  double max = std::max(s.peak10 * 6.0, static_cast<double>(s.peak60));
  for (const auto& bin : s.qsos) {
    int total = 0;
    for (int q : bin) total += q;
    max = std::max(max, total / binHours);
  }
  Frame f{960, 300};
  std::string svg;
  grid(svg, f, max * 1.08);
  const double barWidth = (f.width - f.left - f.right) / static_cast<double>(s.bins);
  for (size_t bin = 0; bin < s.bins; ++bin) {
    double stacked = 0;
    const std::string when = clock(markMinute(d, bin * s.marksPerBin), "%d.%m %H:%M");
    for (size_t b = 0; b < s.bands.size(); ++b) {
      const int q = s.qsos[bin][b];
      if (q == 0) continue;
      const double top = f.y(stacked + q / binHours);
      svg += "<rect class=\"bar\" x=\"" + num(f.x(static_cast<double>(bin) / s.bins) + 1) + "\" y=\"" + num(top) +
             "\" width=\"" + num(std::max(1.0, barWidth - 2)) + "\" height=\"" + num(f.y(stacked) - top) +
             "\" fill=\"" + bandColour(s.bands[b]) + "\"><title>" + when + " " + htmlEscaped(s.bands[b]) + ": " +
             tr("{1} QSOs", {std::to_string(q)}) + "</title></rect>";
      stacked += q / binHours;
    }
  }
  // The two lines often lie close: one label above its line at the right, the other below at the left.
  const auto peakLine = [&](const char* cls, double rate, const std::string& label, bool right) {
    svg += "<line class=\"" + std::string(cls) + "\" x1=\"" + num(f.left) + "\" x2=\"" + num(f.width - f.right) +
           "\" y1=\"" + num(f.y(rate)) + "\" y2=\"" + num(f.y(rate)) + "\"/>";
    svg += "<text x=\"" + num(right ? f.width - f.right - 2 : f.left + 4) + "\" y=\"" +
           num(right ? f.y(rate) - 4 : f.y(rate) + 13) + "\" text-anchor=\"" + (right ? "end" : "start") +
           "\" style=\"paint-order:stroke;stroke:#fff;stroke-width:3px\">" + label + "</text>";
  };
  const std::string peak60 =
      tr("best 60 min: {1} QSOs from {2}", {std::to_string(s.peak60), clock(markMinute(d, s.peak60At))});
  const std::string peak10 = tr("best 10 min: {1} QSOs ({2}/h) at {3}", {std::to_string(s.peak10), std::to_string(s.peak10 * 6),
                                                                            clock(markMinute(d, s.peak10At))});
  if (s.peaks) {
    peakLine("peak10", s.peak10 * 6.0, peak10, true);
    peakLine("peak60", s.peak60, peak60, s.peak60 > s.peak10 * 6);
  }
  svg += "<text x=\"4\" y=\"14\">" + tr("QSOs/h") + "</text>";
  svg += "<line class=\"axis\" x1=\"" + num(f.left) + "\" x2=\"" + num(f.width - f.right) + "\" y1=\"" +
         num(f.y(0)) + "\" y2=\"" + num(f.y(0)) + "\"/>";
  timeAxis(svg, f, d, s);
  out += "<svg id=\"rate\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(f.width) +
         "\" height=\"" + std::to_string(f.height) + "\" role=\"img\"><title>" + tr("QSOs per hour by band") + "</title>" + svg +
         "</svg>";
  std::vector<std::pair<std::string, std::string>> entries;
  for (const std::string& band : s.bands) entries.emplace_back(band, bandColour(band));
  if (s.peaks) {
    entries.emplace_back(peak60, "#333");
    entries.emplace_back(peak10, "#c00");
  }
  legend(out, entries);
  out += "<p class=\"note\">" +
         (s.binMinutes == 60 ? tr("QSOs the plug-in counts, per hour")
                             : tr("QSOs the plug-in counts, per {1} hours, as a rate per hour",
                                   {std::to_string(s.binMinutes / 60)})) +
         (s.peaks ? tr("; the lines mark the best sixty and the best ten minutes (as an hourly rate), on the ten-minute marks.")
                  : tr("; the log spans too long a time for the best ten and sixty minutes.")) +
         "</p>";
}

// One line per series over the ten-minute marks.
void lineChart(std::string& out, const char* id, const std::string& title, const ReportData& d, const Series& s,
               const std::vector<std::pair<std::string, std::vector<double>>>& lines, const char** colours) {
  Frame f{470, 230};
  f.left = 56;
  double max = 1;
  for (const auto& line : lines)
    for (double v : line.second) max = std::max(max, v);
  std::string svg;
  grid(svg, f, max * 1.05);
  const size_t marks = d.snapshots.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    svg += "<polyline class=\"series\" fill=\"none\" stroke-width=\"2\" stroke=\"" + std::string(colours[i]) +
           "\" points=\"";
    for (size_t k = 0; k < marks; ++k)
      svg += num(f.x(static_cast<double>(k) / std::max<size_t>(1, marks - 1))) + "," + num(f.y(lines[i].second[k])) + " ";
    svg += "\"/>";
  }
  Series axis = s;
  axis.bins = s.bins;
  timeAxis(svg, f, d, axis);
  out += std::string("<div><h3>") + title + "</h3><svg id=\"" + id + "\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         std::to_string(f.width) + "\" height=\"" + std::to_string(f.height) + "\" role=\"img\">" + svg + "</svg>";
  std::vector<std::pair<std::string, std::string>> entries;
  for (size_t i = 0; i < lines.size(); ++i)
    entries.emplace_back(lines[i].first + ": " + std::to_string(static_cast<long long>(lines[i].second.back())),
                         colours[i]);
  legend(out, entries);
  out += "</div>";
}

void scoreCharts(std::string& out, const ReportData& d, const Series& s) {
  out += "<h2>" + tr("Score over time") + "</h2>";
  if (d.snapshots.size() < 2) {
    out += "<p class=\"note\">" + tr("No QSO yet.") + "</p>";
    return;
  }
  std::vector<double> points, dxcc, rda;
  for (const ResultNumbers& n : d.snapshots) {
    points.push_back(n.points);
    dxcc.push_back(n.dxcc);
    rda.push_back(n.rda);
  }
  out += "<div class=\"charts\">";
  static const char* kPointColour[] = {"#1f77b4"};
  lineChart(out, "points", tr("Points"), d, s, {{tr("points"), points}}, kPointColour);
  static const char* kMultColours[] = {"#d62728", "#2ca02c"};
  if (d.snapshots.back().dxccColumn)
    lineChart(out, "multipliers", tr("Multipliers"), d, s, {{"RDA", rda}, {"DXCC", dxcc}}, kMultColours);
  else
    lineChart(out, "multipliers", tr("Multipliers"), d, s, {{"RDA", rda}}, kMultColours);
  out += "</div><p class=\"note\">" +
         tr("From the plug-in's result every {1} minutes of log time; score at the end: {2}.",
             {std::to_string(d.snapshotMinutes), std::to_string(d.snapshots.back().score)}) +
         "</p>";
}

std::string shaded(int value, int max) {
  if (value == 0) return "<td></td>";
  const double alpha = 0.08 + 0.6 * value / std::max(1, max);
  return "<td style=\"background:rgba(31,119,180," + num(alpha) + ")\">" + std::to_string(value) + "</td>";
}

void bandHourTable(std::string& out, const ReportData& d, const Series& s) {
  if (s.bins == 0) return;
  out += "<h2>" + tr(s.binMinutes == 60 ? "QSOs by band and hour (UTC)" : "QSOs by band and period (UTC)") +
         "</h2><div class=\"wide\"><table id=\"band-hour\"><tr><th></th>";
  // A row of days over the row of hours.
  for (size_t bin = 0; bin < s.bins;) {
    const std::string day = clock(markMinute(d, bin * s.marksPerBin), "%d.%m");
    size_t span = 1;
    while (bin + span < s.bins && clock(markMinute(d, (bin + span) * s.marksPerBin), "%d.%m") == day) ++span;
    out += "<th colspan=\"" + std::to_string(span) + "\" style=\"text-align:left\">" + day + "</th>";
    bin += span;
  }
  out += "<th></th></tr><tr><th>" + tr("band") + "</th>";
  for (size_t bin = 0; bin < s.bins; ++bin) out += "<th>" + clock(markMinute(d, bin * s.marksPerBin), "%H") + "</th>";
  out += "<th>" + tr("total") + "</th></tr>";
  int max = 0;
  for (const auto& bin : s.qsos)
    for (int q : bin) max = std::max(max, q);
  std::vector<int> columnTotals(s.bins);
  for (size_t b = 0; b < s.bands.size(); ++b) {
    out += "<tr><td>" + htmlEscaped(s.bands[b]) + "</td>";
    int total = 0;
    for (size_t bin = 0; bin < s.bins; ++bin) {
      out += shaded(s.qsos[bin][b], max);
      total += s.qsos[bin][b];
      columnTotals[bin] += s.qsos[bin][b];
    }
    out += "<th>" + std::to_string(total) + "</th></tr>";
  }
  out += "<tr><th>" + tr("all") + "</th>";
  int all = 0;
  for (int t : columnTotals) out += "<th>" + std::to_string(t) + "</th>", all += t;
  out += "<th>" + std::to_string(all) + "</th></tr></table></div>";
}

void bandModeTable(std::string& out, const ResultNumbers& n) {
  out += "<div><h3>" + tr("By band and mode") + "</h3><table id=\"band-mode\"><tr><th>" + tr("band") +
         "</th><th>CW</th><th>SSB</th><th>" + tr("QSOs") + "</th><th>" + tr("points") + "</th>" +
         std::string(n.dxccColumn ? "<th>DXCC</th>" : "") + "</tr>";
  for (const BandNumbers& b : n.bands)
    out += "<tr><td>" + htmlEscaped(b.band) + "</td><td>" + std::to_string(b.cw) + "</td><td>" + std::to_string(b.ssb) +
           "</td><td>" + std::to_string(b.qsos) + "</td><td>" + std::to_string(b.points) + "</td>" +
           (n.dxccColumn ? "<td>" + std::to_string(b.dxcc) + "</td>" : "") + "</tr>";
  out += "<tr><th>" + tr("total") + "</th><th>" + std::to_string(n.cw) + "</th><th>" + std::to_string(n.ssb) + "</th><th>" +
         std::to_string(n.qsos) + "</th><th>" + std::to_string(n.points) + "</th>" +
         (n.dxccColumn ? "<th>" + std::to_string(n.dxcc) + "</th>" : "") + "</tr></table></div>";
}

void checkTables(std::string& out, const ReportData& d) {
  out += "<div><h3>" + tr("What the callsign check said before each QSO") + "</h3><table id=\"checks\"><tr><th>" +
         tr("band") + "</th><th>" + tr("new multiplier") + "</th><th>" + tr("ordinary") + "</th><th>" + tr("dupe") +
         "</th><th>" + tr("cannot count") + "</th></tr>";
  // Bands in the result's order, any other band after them.
  std::vector<CheckCounts> checks = d.checks;
  const std::vector<BandNumbers>& order = d.snapshots.empty() ? std::vector<BandNumbers>{} : d.snapshots.back().bands;
  const auto rank = [&](const CheckCounts& c) {
    size_t i = 0;
    while (i < order.size() && order[i].band != c.band) ++i;
    return i;
  };
  std::stable_sort(checks.begin(), checks.end(), [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
  CheckCounts total;
  for (const CheckCounts& c : checks) {
    const int cannot = c.cannotCount + c.other;
    out += "<tr><td>" + (c.band.empty() ? tr("(none)") : htmlEscaped(c.band)) + "</td><td>" + std::to_string(c.newMultiplier) +
           "</td><td>" + std::to_string(c.ordinary) + "</td><td>" + std::to_string(c.dupe) + "</td><td>" +
           std::to_string(cannot) + "</td></tr>";
    total.newMultiplier += c.newMultiplier, total.ordinary += c.ordinary, total.dupe += c.dupe;
    total.cannotCount += cannot;
  }
  out += "<tr><th>" + tr("total") + "</th><th>" + std::to_string(total.newMultiplier) + "</th><th>" +
         std::to_string(total.ordinary) + "</th><th>" + std::to_string(total.dupe) + "</th><th>" +
         std::to_string(total.cannotCount) + "</th></tr></table></div>";
}

void multiplierList(std::string& out, const char* kind, const std::vector<NewMultiplier>& list) {
  out += "<h3>" + std::string(kind) + " (" + std::to_string(list.size()) + ")</h3>";
  if (list.empty()) return;
  out += list.size() <= 400 ? "<details open>" : "<details>";
  out += "<summary>" + tr("time, band, mode, callsign, exchange") + "</summary><ol class=\"mults\">";
  for (const NewMultiplier& m : list)
    out += "<li>" + htmlEscaped(m.time.substr(11)) + " " + htmlEscaped(m.band) + " " + htmlEscaped(m.mode) + " " +
           htmlEscaped(m.call) + " " + htmlEscaped(m.exchange) + "</li>";
  out += "</ol></details>";
}

void multiplierLists(std::string& out, const ReportData& d) {
  out += "<h2>" + tr("New multipliers in the order they came") + "</h2><p class=\"note\">" +
         tr("The QSOs the callsign check called new that then raised the result's multipliers; one it called new "
             "that went to the bad-QSO file is not among them, nor one that raised a multiplier it had not called new.") +
         "</p>";
  if (!d.snapshots.empty() && d.snapshots.back().dxccColumn) multiplierList(out, "DXCC", d.newDxcc);
  multiplierList(out, "RDA", d.newRda);
}

void badQsos(std::string& out, const ReportData& d) {
  constexpr size_t kShown = 300;  // per reason; the file holds them all
  out += "<h2>" + tr("Bad-QSO file ({1} lines)", {std::to_string(d.badQsoLines.size())}) + "</h2>";
  for (const auto& [reason, lines] : badQsosByReason(d.badQsoLines)) {
    out += "<h3>" + htmlEscaped(reason) + " (" + std::to_string(lines.size()) + ")</h3><pre>";
    for (size_t i = 0; i < lines.size() && i < kShown; ++i) out += htmlEscaped(lines[i]) + "\n";
    if (lines.size() > kShown) out += tr("... and {1} more in the file", {std::to_string(lines.size() - kShown)}) + "\n";
    out += "</pre>";
  }
}

void unscored(std::string& out, const ReportData& d) {
  out += "<h2>" + tr("QSOs not scored ({1})", {std::to_string(d.unscored.size())}) + "</h2>";
  if (d.unscored.empty()) return;
  out += "<table id=\"unscored\"><tr><th>" + tr("callsign") + "</th><th>" + tr("time") + "</th><th>" + tr("band") +
         "</th><th>" + tr("line") + "</th><th>" + tr("why") + "</th></tr>";
  for (const UnscoredQso& q : d.unscored)
    out += "<tr><td>" + htmlEscaped(q.call) + "</td><td>" + htmlEscaped(q.time) + "</td><td>" + htmlEscaped(q.band) +
           "</td><td>" + std::to_string(q.line) + "</td><td>" + htmlEscaped(q.why) + "</td></tr>";
  out += "</table>";
}

}  // namespace

std::string reportPage(const ReportData& d) {
  const Series series = seriesOf(d);
  std::string out = "<!DOCTYPE html>\n<html lang=\"" + std::string(language() == Language::russian ? "ru" : "en") +
                    "\"><head><meta charset=\"utf-8\">";
  if (d.refreshSeconds > 0) out += "<meta http-equiv=\"refresh\" content=\"" + std::to_string(d.refreshSeconds) + "\">";
  // Nothing on the page may reach the network, not even by accident.
  out += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
         "img-src data:\"><title>" + htmlEscaped(d.title) + "</title><style>" + kStyle + "</style></head><body>";
  out += "<h1>" + htmlEscaped(d.title) + "</h1><p class=\"note\" id=\"coverage\">" + coverage(d) + "</p>";
  out += "<div class=\"row\"><div><h2>" + tr("Result") + "</h2><pre id=\"result\">" + htmlEscaped(d.resultText) + "</pre></div>";
  if (!d.snapshots.empty()) bandModeTable(out, d.snapshots.back());
  checkTables(out, d);
  out += "</div>";
  if (!d.header.empty()) {
    out += "<h3>" + tr("Cabrillo header values") + "</h3><table id=\"header\">";
    for (const auto& [key, value] : d.header)
      out += "<tr><td>" + htmlEscaped(key) + "</td><td style=\"text-align:left\">" + htmlEscaped(value) + "</td></tr>";
    out += "</table>";
  }
  rateChart(out, d, series);
  scoreCharts(out, d, series);
  bandHourTable(out, d, series);
  multiplierLists(out, d);
  badQsos(out, d);
  unscored(out, d);
  out += "<p class=\"note\">" +
         tr("Made by rdac from the Stats plug-in's own answers: its result every {1} minutes of log time, CheckCall0 "
             "before each AddData0, the bad-QSO file.",
             {std::to_string(d.snapshotMinutes)}) +
         "</p>";
  out += "</body></html>\n";
  return out;
}

std::string htmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace rdac
