#include "reports/result_text.h"

#include "platform/text.h"

namespace stats {
namespace {

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
  out += formatted(ru ? kTextHeaderRussia : kTextHeaderAbroad, title.startDayMonth.c_str(),
          title.endDate.c_str(), title.ownCall.c_str());
  for (const BandRow& r : s.rows) {
    if (ru)
      out += formatted(kTextRowRussia, r.band.c_str(), r.qsos, r.points, r.dxcc, r.cw, r.ssb);
    else
      out += formatted(kTextRowAbroad, r.band.c_str(), r.qsos, r.points, r.cw, r.ssb);
  }
  const BandRow& t = s.totals;
  if (ru)
    out += formatted(kTextTotalsRussia, t.qsos, t.points, t.dxcc, t.rda, t.cw, t.ssb, t.dupes,
            badQsoCount, t.points, t.dxcc, t.rda, s.score);
  else
    out += formatted(kTextTotalsAbroad, t.qsos, t.points, t.rda, t.cw, t.ssb, t.dupes, badQsoCount,
            t.points, t.rda, s.score);
  if (withRates)
    out += formatted(kTextRates, s.lastQsoPoints, s.hourQsos, s.tenMinuteQsos * 6, s.hourPoints,
            s.tenMinutePoints * 6);
  return out;
}

std::string resultHtml(const ScoreSummary& s, const ResultTitle& title, int badQsoCount, bool sevenColumns) {
  std::string out = kHtmlHead;
  const std::string titleLine =
      formatted(kHtmlTitleLine, title.startDayMonth.c_str(), title.endDate.c_str());
  out += formatted(kHtmlTitleBlock, titleLine.c_str(), title.ownCall.c_str());
  if (sevenColumns)
    out += formatted(kHtmlHeading7, "Band", "QSOs", "Points", "DXCC", "RDA", "CW", "SSB");
  else
    out += formatted(kHtmlHeading6, "Band", "QSOs", "Points", "RDA", "CW", "SSB");
  for (const BandRow& r : s.rows) {
    if (sevenColumns)
      out += formatted(kHtmlBandRow7, r.band.c_str(), r.qsos, r.points, r.dxcc, " ", r.cw, r.ssb);
    else
      out += formatted(kHtmlBandRow6, r.band.c_str(), r.qsos, r.points, " ", r.cw, r.ssb);
  }
  const BandRow& t = s.totals;
  if (sevenColumns)
    out += formatted(kHtmlTotals7, "Total", t.qsos, t.points, t.dxcc, t.rda, t.cw, t.ssb);
  else
    out += formatted(kHtmlTotals6, "Total", t.qsos, t.points, t.rda, t.cw, t.ssb);
  out += formatted(kHtmlCountRow, "Dupe", t.dupes);
  out += formatted(kHtmlCountRow, "Bad QSO", badQsoCount);
  const long score = s.score;
  if (sevenColumns)
    out += formatted(kHtmlScoreDxcc, "Score:", t.points, t.dxcc, t.rda, score);
  else
    out += formatted(kHtmlScore, "Score:", t.points, t.rda, score);
  out += formatted(kHtmlLastQso, "Last QSO points:", s.lastQsoPoints);
  out += formatted(kHtmlRateHeading, "Rate");
  out += formatted(kHtmlRateRow, "Hourly (10min/1 hour) QSO rate:", s.hourQsos, s.tenMinuteQsos * 6);
  out += formatted(kHtmlRateRow, "Hourly (10min/1 hour) pts rate:", s.hourPoints, s.tenMinutePoints * 6);
  out += kHtmlFoot;
  return out;
}

}  // namespace stats
