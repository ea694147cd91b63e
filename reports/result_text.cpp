#include "reports/result_text.h"

#include <cstdarg>
#include <cstdio>

namespace stats {
namespace {

// printf-style append; the formats are the library's own constants.
void appendf(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (needed > 0) {
    const size_t start = out.size();
    out.resize(start + static_cast<size_t>(needed) + 1);
    std::vsnprintf(&out[start], static_cast<size_t>(needed) + 1, format, again);
    out.resize(start + static_cast<size_t>(needed));
  }
  va_end(again);
}

const char kTextHeaderRussia[] =
    "\t\tRDA CONTEST %s-%s\r\n\t\t\tContestant: %s \r\n\tQSOs\tPoints\tDXCC\tRDA\tCW\tSSB\r\n";
const char kTextHeaderAbroad[] =
    "\t\tRDA CONTEST %s-%s\r\n\t\t\tContestant: %s \r\n\tQSOs\tPoints\tRDA\tCW\tSSB\r\n";
const char kTextRowRussia[] = "%s\t %i\t %i\t %i\t\t %i\t %i\r\n";
const char kTextRowAbroad[] = "%s\t %i\t %i\t\t %i\t %i\r\n";
const char kTextTotalsRussia[] =
    "Total\t %i\t %i\t %i\t %i\t %i\t %i\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: %i*(%i+%i) = %i";
const char kTextTotalsAbroad[] =
    "Total\t %i\t %i\t %i\t %i\t %i\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: %i*%i = %i\r\n";
const char kTextRates[] =
    "\r\nLast QSO points: %5i\r\nHourly (10min/1 hour) QSO rate: %5i /%i\r\n"
    "Hourly (10min/1 hour) pts rate: %5i /%i\r\nCreated by RDAC (C)\r\n";

const char kHtmlHead[] =
    "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; "
    "border-collapse: collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ "
    "background-color: #fffac6; color: black}</style></head><body>";
const char kHtmlTitleLine[] = "   RDA CONTEST %s-%s";
const char kHtmlTitleBlock[] = "<center><b>%s</b></center><center>Contestant:  <b>%s</center></b><table>";
const char kHtmlHeading7[] =
    "<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th></tr>";
const char kHtmlHeading6[] =
    "<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th></tr>";
const char kHtmlBandRow7[] =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></td>"
    "<td><center>%i</center></td><th> <center>%s</center></th><td><center>%i</center></td>"
    "<td><center>%i</center></td></tr>";
const char kHtmlBandRow6[] =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></td>"
    "<th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></td></tr>";
const char kHtmlTotals7[] =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></td>"
    "<td><center>%i</center></td><td><center>%i</center></td><td><center>%i</center></td>"
    "<td><center>%i</center></td></tr>";
const char kHtmlTotals6[] =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></td>"
    "<td><center>%i</center></td><td><center>%i</center></td><td><center>%i</center></td></tr>";
const char kHtmlCountRow[] =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td colspan=8> </td></tr>";
const char kHtmlScoreDxcc[] = "<tr><th>%s</th><td colspan=9><center>%i * (%i + %i) = %li</center></td></tr>";
const char kHtmlScore[] = "<tr><th>%s</th><td colspan=9><center>%i * %i = %li</center></td></tr>";
const char kHtmlLastQso[] = "<tr><th>%s</small></th><td colspan=9><center>%5i</center></td></tr>";
const char kHtmlRateHeading[] = "<th colspan=10><center>%s</center></th></tr>";
const char kHtmlRateRow[] = "<tr><th> %s </th><td colspan=9><center>%5i /%i</center></td></tr>";
const char kHtmlFoot[] = "</table></body></html>";

}  // namespace

std::string resultText(const ScoreSummary& s, const ResultTitle& title, int badQsoCount, bool withRates) {
  std::string out;
  const bool ru = s.ownInRussia;
  appendf(out, ru ? kTextHeaderRussia : kTextHeaderAbroad, title.startDayMonth.c_str(),
          title.endDate.c_str(), title.ownCall.c_str());
  for (const BandRow& r : s.rows) {
    if (ru)
      appendf(out, kTextRowRussia, r.band.c_str(), r.qsos, r.points, r.dxcc, r.cw, r.ssb);
    else
      appendf(out, kTextRowAbroad, r.band.c_str(), r.qsos, r.points, r.cw, r.ssb);
  }
  const BandRow& t = s.totals;
  if (ru)
    appendf(out, kTextTotalsRussia, t.qsos, t.points, t.dxcc, t.rda, t.cw, t.ssb, t.dupes,
            badQsoCount, t.points, t.dxcc, t.rda, s.score);
  else
    appendf(out, kTextTotalsAbroad, t.qsos, t.points, t.rda, t.cw, t.ssb, t.dupes, badQsoCount,
            t.points, t.rda, s.score);
  if (withRates)
    appendf(out, kTextRates, s.lastQsoPoints, s.hourQsos, s.tenMinuteQsos * 6, s.hourPoints,
            s.tenMinutePoints * 6);
  return out;
}

std::string resultHtml(const ScoreSummary& s, const ResultTitle& title, int badQsoCount, bool sevenColumns) {
  std::string out = kHtmlHead;
  std::string titleLine;
  appendf(titleLine, kHtmlTitleLine, title.startDayMonth.c_str(), title.endDate.c_str());
  appendf(out, kHtmlTitleBlock, titleLine.c_str(), title.ownCall.c_str());
  if (sevenColumns)
    appendf(out, kHtmlHeading7, "Band", "QSOs", "Points", "DXCC", "RDA", "CW", "SSB");
  else
    appendf(out, kHtmlHeading6, "Band", "QSOs", "Points", "RDA", "CW", "SSB");
  for (const BandRow& r : s.rows) {
    if (sevenColumns)
      appendf(out, kHtmlBandRow7, r.band.c_str(), r.qsos, r.points, r.dxcc, " ", r.cw, r.ssb);
    else
      appendf(out, kHtmlBandRow6, r.band.c_str(), r.qsos, r.points, " ", r.cw, r.ssb);
  }
  const BandRow& t = s.totals;
  if (sevenColumns)
    appendf(out, kHtmlTotals7, "Total", t.qsos, t.points, t.dxcc, t.rda, t.cw, t.ssb);
  else
    appendf(out, kHtmlTotals6, "Total", t.qsos, t.points, t.rda, t.cw, t.ssb);
  appendf(out, kHtmlCountRow, "Dupe", t.dupes);
  appendf(out, kHtmlCountRow, "Bad QSO", badQsoCount);
  const long score = s.score;
  if (sevenColumns)
    appendf(out, kHtmlScoreDxcc, "Score:", t.points, t.dxcc, t.rda, score);
  else
    appendf(out, kHtmlScore, "Score:", t.points, t.rda, score);
  appendf(out, kHtmlLastQso, "Last QSO points:", s.lastQsoPoints);
  appendf(out, kHtmlRateHeading, "Rate");
  appendf(out, kHtmlRateRow, "Hourly (10min/1 hour) QSO rate:", s.hourQsos, s.tenMinuteQsos * 6);
  appendf(out, kHtmlRateRow, "Hourly (10min/1 hour) pts rate:", s.hourPoints, s.tenMinutePoints * 6);
  out += kHtmlFoot;
  return out;
}

}  // namespace stats
