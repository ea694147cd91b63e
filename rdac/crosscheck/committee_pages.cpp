#include "rdac/crosscheck/committee_pages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <unordered_set>

#include "platform/edited_text.h"
#include "platform/text.h"
#include "rdac/crosscheck/standings.h"
#include "rdac/io/file_bytes.h"
#include "rdac/io/paths.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/score/report_page.h"

namespace rdac {
namespace {

// The pages' own texts come in pairs, Russian first, as the operator's page has them.
struct Language {
  bool russian;
  const char* suffix;  // of the page names: "" or "-en"
  const char* operator()(const char* ru, const char* en) const { return russian ? ru : en; }
};
constexpr Language kRussian{true, ""};
constexpr Language kEnglish{false, "-en"};

const DetailWords kRussianDetails{"повтор, уже есть на ", "нет в логе ", "записан ", " записал эту связь в ",
                                  "принято ", " передал ", " записал позывной ", " принял ", " записал ",
                                  " мин. разницы с поправкой часов", "лог ", " не проверялся", "нет лога от ",
                                  "; есть в ", " лог(ах)", "вне периода соревнования", "подтверждает запись ",
                                  "не засчитана по просьбе автора лога"};

struct VerdictWords {
  const char *ru, *en, *shortRu, *shortEn;
};
// By verdict, in the enum's order.
constexpr VerdictWords kVerdictWords[] = {
    {"Засчитаны", "Counted", "OK", "OK"},
    {"Повторы", "Dupes", "Повт.", "Dupe"},
    {"NIL: нет в логе корреспондента", "NIL: not in the other station's log", "NIL", "NIL"},
    {"Ошибки в позывном", "Busted calls", "Позыв.", "Call"},
    {"Ошибки в принятом номере", "Busted exchanges", "Номер", "Exch."},
    {"Расхождение времени", "Time mismatches", "Время", "Time"},
    {"Другой диапазон или вид", "Band or mode mismatches", "Диап.", "Band"},
    {"Уникальные позывные: лога нет, мало упоминаний", "Unique calls: no log, in too few logs", "Уник.", "Uniq."},
    {"Засчитаны без лога корреспондента", "Credited without a log", "Без лога", "No log"},
    {"Ошибки корреспондента: он ошибся в вашем позывном или номере",
     "Partner errors: the other station busted your call or exchange", "Партн.", "Partn."},
    {"Вне периода соревнования", "Outside the contest period", "Период", "Period"},
    {"X-QSO: не засчитаны по вашей просьбе, запись корреспондента подтверждена",
     "X-QSO: not counted, as you asked; your partner's copy is confirmed", "X-QSO", "X-QSO"},
};
static_assert(std::size(kVerdictWords) == size_t(kVerdictCount), "a pair of names for every verdict");

const char* verdictName(const Language& l, Verdict v) {
  const VerdictWords& w = kVerdictWords[int(v)];
  return l(w.ru, w.en);
}

const char kStyle[] =
    "body{font:14px/1.4 'DejaVu Sans',Arial,sans-serif;color:#222;margin:16px auto;max-width:1200px;padding:0 12px}"
    "h1{font-size:20px}h2{font-size:16px;margin:24px 0 6px;border-bottom:1px solid #ccc}"
    "table{border-collapse:collapse;font-size:12px;margin:4px 0}td,th{border:1px solid #ccc;padding:2px 5px}"
    "th{background:#eee;cursor:pointer}td.n{text-align:right}.wide{overflow-x:auto}.other{float:right}"
    ".note{color:#666;font-size:12px}svg text{font:11px 'DejaVu Sans',Arial,sans-serif;fill:#444}"
    ".bar{fill:#4a7ab0}.axis{stroke:#888}nav a{margin-right:10px}";

// Sorting by a column is a convenience; the page reads the same without script.
const char kSortScript[] =
    "<script>document.querySelectorAll('table.sortable th').forEach(function(th,i){th.onclick=function(){"
    "var b=th.closest('table').tBodies[0],r=Array.from(b.rows),d=th.dataset.dir=th.dataset.dir==='a'?'d':'a';"
    "function v(x){var t=x.cells[i].textContent.trim(),n=parseFloat(t);return t!==''&&!isNaN(n)&&/^-?[0-9.]+%?$/"
    ".test(t)?n:t;}r.sort(function(x,y){var a=v(x),c=v(y),o=typeof a===typeof c?(a<c?-1:a>c?1:0):"
    "(typeof a==='number'?-1:1);return d==='a'?o:-o;});r.forEach(function(x){b.appendChild(x);});};});</script>";

// The length of the well-formed UTF-8 character at `at`, or 0.
size_t utf8Length(std::string_view text, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  return stats::looksLikeUtf8(text.substr(at, length)) ? length : 0;
}

// Texts from an entrant's file, made safe for a page: valid UTF-8, then escaped.
std::string html(std::string_view bytes) { return htmlEscaped(pageText(bytes)); }

// html(bytes) added to `out`. Text that neither conversion nor escaping would change, as
// nearly all of a log and our own words are, goes as it is: a page of thousands of rows feels
// the copies.
void appendHtml(std::string& out, std::string_view bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const char c = bytes[at];
    const auto byte = static_cast<unsigned char>(c);
    size_t length = 0;
    if (byte >= 0x20 && byte < 0x7F) {
      if (c != '&' && c != '<' && c != '>' && c != '"' && c != '\'') length = 1;
    } else if (byte >= 0x80) {
      const bool c1Control = byte == 0xC2 && at + 1 < bytes.size() && static_cast<unsigned char>(bytes[at + 1]) < 0xA0;
      if (!c1Control) length = utf8Length(bytes, at);
    }
    if (length == 0) {
      out += html(bytes);
      return;
    }
    at += length;
  }
  out += bytes;
}

std::string cell(const std::string& text) { return "<td class=\"n\">" + text + "</td>"; }
template <typename Number>
std::string cell(Number number) {
  return cell(std::to_string(number));
}

class Pages {
 public:
  Pages(const CrossCheckReport& r, std::string folder)
      : r_(r), folder_(std::move(folder)), standings_(rankEntrants(r.logs, r.scores)) {
    counts_.resize(r.logs.entrants.size());
    for (uint32_t i = 0; i < r.logs.qsos.size(); ++i)
      ++counts_[r.logs.qsos[i].entrant][size_t(r.outcome.qsos[i].verdict)];
    // Names that differ only in case are one file on Windows.
    std::unordered_set<std::string> taken;
    for (const Entrant& entrant : r.logs.entrants) {
      const std::string stem = pageStem(call(entrant.call));
      std::string unique = stem;
      for (int n = 2; !taken.insert(stats::toUpperAscii(unique)).second; ++n) unique = stem + "_" + std::to_string(n);
      stems_.push_back(unique);
    }
  }

  bool write(const Language& l, std::string& error) {
    std::error_code ec;
    const std::filesystem::path logFolder = pathOf(folder_ + "/log");
    // The other language's writer may have made it a moment ago.
    if (!std::filesystem::create_directories(logFolder, ec) && !std::filesystem::is_directory(logFolder)) {
      error = "cannot make the folder " + folder_ + "/log: " + ec.message();
      return false;
    }
    if (!updateFileBytes(folder_ + "/index" + l.suffix + ".html", index(l), error)) return false;
    for (uint32_t e = 0; e < r_.logs.entrants.size(); ++e)
      if (!updateFileBytes(folder_ + "/log/" + stems_[e] + l.suffix + ".html", entrantPage(l, e), error))
        return false;
    return true;
  }

 private:
  const CrossCheckReport& r_;
  const std::string folder_;
  const std::vector<Standing> standings_;
  std::vector<std::array<uint32_t, kVerdictCount>> counts_;  // by entrant, by verdict
  std::vector<std::string> stems_;                           // by entrant

  const std::string& call(uint32_t id) const { return r_.logs.calls.text(id); }

  static std::string head(const Language& l, const std::string& title, const std::string& other) {
    return std::string("<!DOCTYPE html>\n<html lang=\"") + l("ru", "en") +
           "\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" content=\"width=device-width\"><title>" + title +
           "</title><style>" + kStyle + "</style></head><body>\n<p class=\"other\"><a href=\"" + other + "\">" +
           l("English", "По-русски") + "</a></p>\n";
  }

  std::string entrantLink(const Language& l, uint32_t e, const char* folder = "log/") const {
    return "<a href=\"" + std::string(folder) + stems_[e] + l.suffix + ".html\">" + html(call(r_.logs.entrants[e].call)) +
           "</a>";
  }

  std::string categoryName(const Language& l, const std::string& category) const {
    return category.empty() ? l("Без категории", "No category") : html(category);
  }

  // The verdicts that cost an entrant QSOs (an X-QSO it gave up itself), each a column of the ranking.
  std::vector<Verdict> lostKinds() const {
    std::vector<Verdict> kinds;
    for (const VerdictRow& row : kVerdicts)
      if (!row.counts && row.verdict != Verdict::xQso &&
          !(row.verdict == Verdict::partnerError && r_.outcome.partnerErrorsCount))
        kinds.push_back(row.verdict);
    return kinds;
  }

  std::string rankingHead(const Language& l) const {
    std::string row = std::string("<tr><th>") + l("Место", "Place") + "</th><th>" + l("Позывной", "Call") + "</th><th>" +
                      l("Область", "Area") + "</th><th>" + l("Место в области", "Place in area") + "</th><th>" +
                      l("Заявлено очков", "Claimed score") + "</th><th>" + l("Очков после проверки", "Checked score") +
                      "</th><th>" + l("QSO в логе", "QSOs logged") + "</th><th>" + l("QSO засчитано", "QSOs counted") +
                      "</th><th>" + l("Ошибки", "Error rate") + "</th>";
    for (Verdict v : lostKinds()) {
      const VerdictWords& w = kVerdictWords[int(v)];
      row += std::string("<th title=\"") + l(w.ru, w.en) + "\">" + l(w.shortRu, w.shortEn) + "</th>";
    }
    if (anyPenalty()) row += std::string("<th>") + l("Штраф, очков", "Penalty points") + "</th>";
    return row + "</tr>";
  }

  bool anyPenalty() const {
    return std::any_of(r_.scores.begin(), r_.scores.end(), [](const EntrantScore& s) { return s.penaltyPoints != 0; });
  }

  std::string rankingRow(const Language& l, uint32_t e) const {
    const Entrant& entrant = r_.logs.entrants[e];
    const EntrantScore& s = r_.scores[e];
    const Standing& place = standings_[e];
    const auto placeText = [](uint32_t p) { return p ? std::to_string(p) : std::string("–"); };
    std::string row = "<tr>" + cell(placeText(place.categoryPlace)) + "<td>" + entrantLink(l, e) + "</td><td>" +
                      html(entrant.area) + "</td>" + cell(placeText(place.areaPlace)) + cell(s.claimedScore) +
                      cell(s.checkedScore) + cell(s.claimedQsos) + cell(s.checkedQsos) + cell(errorRateText(s));
    for (Verdict v : lostKinds()) row += cell(counts_[e][size_t(v)]);
    if (anyPenalty()) row += cell(s.penaltyPoints);
    return row + "</tr>\n";
  }

  std::string rankings(const Language& l) const {
    std::map<std::string, std::vector<uint32_t>> byCategory;  // in ranking order within each
    std::vector<std::string> order;
    std::vector<uint32_t> checklogs;
    for (uint32_t e : rankingOrder(r_.logs, r_.scores)) {
      const Entrant& entrant = r_.logs.entrants[e];
      if (entrant.checklog) {
        checklogs.push_back(e);
        continue;
      }
      auto [at, added] = byCategory.try_emplace(entrant.category);
      if (added) order.push_back(entrant.category);
      at->second.push_back(e);
    }
    std::string nav = "<nav>", out;
    for (size_t c = 0; c < order.size(); ++c) {
      const std::vector<uint32_t>& entrants = byCategory[order[c]];
      const std::string anchor = "category-" + std::to_string(c + 1);
      nav += "<a href=\"#" + anchor + "\">" + categoryName(l, order[c]) + "</a>";
      out += "<h2 id=\"" + anchor + "\">" + categoryName(l, order[c]) + " (" + std::to_string(entrants.size()) + ")</h2>\n";
      out += "<div class=\"wide\"><table class=\"sortable\"><thead>" + rankingHead(l) + "</thead><tbody>\n";
      for (uint32_t e : entrants) out += rankingRow(l, e);
      out += "</tbody></table></div>\n";
    }
    if (!checklogs.empty()) {
      out += std::string("<h2>") + l("Контрольные логи, без места", "Checklogs, not ranked") + "</h2>\n<p>";
      for (uint32_t e : checklogs) out += entrantLink(l, e) + " ";
      out += "</p>\n";
    }
    if (!r_.logs.setAsideLogs.empty()) {
      out += std::string("<h2>") + l("Не проверены: корреспонденты судятся как без их лога",
                                     "Not checked: their partners are judged as if they had sent none") +
             "</h2>\n<ul>";
      for (const SetAsideLog& log : r_.logs.setAsideLogs)
        out += "<li>" + html(call(log.call)) + ": " + html(log.why) + "</li>";
      out += "</ul>\n";
    }
    return nav + "</nav>\n" + out;
  }

  // A histogram of the entrants' error rates, one bar per percent, the last for 20% and more.
  std::string errorChart(const Language& l) const {
    constexpr int kBars = 21, kWidth = 760, kHeight = 240, kLeft = 44, kBottom = 40, kTop = 12;
    std::array<size_t, kBars> bars{};
    size_t entrants = 0;
    for (uint32_t e = 0; e < r_.logs.entrants.size(); ++e) {
      if (r_.scores[e].claimedQsos == 0) continue;
      ++bars[size_t(std::min(double(kBars - 1), errorRate(r_.scores[e])))];
      ++entrants;
    }
    const size_t most = std::max<size_t>(1, *std::max_element(bars.begin(), bars.end()));
    const double barWidth = double(kWidth - kLeft - 8) / kBars, plotHeight = kHeight - kTop - kBottom;
    char number[64];
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) + "\" height=\"" +
                      std::to_string(kHeight) + "\" role=\"img\">";
    svg += "<line class=\"axis\" x1=\"" + std::to_string(kLeft) + "\" x2=\"" + std::to_string(kWidth - 8) + "\" y1=\"" +
           std::to_string(kHeight - kBottom) + "\" y2=\"" + std::to_string(kHeight - kBottom) + "\"/>";
    svg += "<text x=\"" + std::to_string(kLeft - 6) + "\" y=\"" + std::to_string(kTop + 10) +
           "\" text-anchor=\"end\">" + std::to_string(most) + "</text><text x=\"" + std::to_string(kLeft - 6) +
           "\" y=\"" + std::to_string(kHeight - kBottom) + "\" text-anchor=\"end\">0</text>";
    for (int b = 0; b < kBars; ++b) {
      const double height = plotHeight * double(bars[size_t(b)]) / double(most), x = kLeft + b * barWidth;
      const std::string range = b == kBars - 1 ? std::to_string(b) + "%+" : std::to_string(b) + "–" + std::to_string(b + 1) + "%";
      std::snprintf(number, sizeof number, "x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\"", x + 1,
                    kHeight - kBottom - height, barWidth - 2, height);
      svg += std::string("<rect class=\"bar\" ") + number + "><title>" + range + ": " + std::to_string(bars[size_t(b)]) +
             l(" лог(ов)", " log(s)") + "</title></rect>";
      if (b % 2 == 0 || b == kBars - 1) {
        std::snprintf(number, sizeof number, "x=\"%.1f\" y=\"%d\"", x + barWidth / 2, kHeight - kBottom + 14);
        svg += std::string("<text ") + number + " text-anchor=\"middle\">" +
               (b == kBars - 1 ? std::to_string(b) + "+" : std::to_string(b)) + "</text>";
      }
    }
    svg += "<text x=\"" + std::to_string(kWidth - 8) + "\" y=\"" + std::to_string(kHeight - 6) +
           "\" text-anchor=\"end\">" + l("доля незасчитанных QSO, %", "share of QSOs that do not count, %") + "</text>";
    return std::string("<h2>") + l("Доля ошибок по всем участникам", "Error rates over all entrants") + "</h2>\n<p class=\"note\">" +
           l("Сколько логов (по высоте) потеряли такую долю своих QSO; всего логов: ",
             "How many logs (bar height) lost such a share of their QSOs; logs in all: ") +
           std::to_string(entrants) + "</p>\n" + svg + "</svg>\n";
  }

  // Partner errors are the other station's slips: each is a QSO its partner lost because of it.
  std::string costliest(const Language& l) const {
    std::string out = std::string("<h2>") + l("Чьи ошибки стоили корреспондентам больше всего",
                                              "Logs whose errors cost their partners most") + "</h2>\n";
    if (r_.outcome.partnerErrorsCount)
      return out + "<p>" + l("Ошибки корреспондентов засчитаны (--count-partner-errors): никто из-за них не потерял QSO.",
                             "Partner errors count (--count-partner-errors): they cost nobody a QSO.") + "</p>\n";
    std::vector<size_t> lost(r_.logs.entrants.size());
    std::vector<std::pair<uint32_t, uint32_t>> pairs;  // causing entrant, partner entrant
    for (uint32_t i = 0; i < r_.logs.qsos.size(); ++i) {
      const QsoCheck& check = r_.outcome.qsos[i];
      if (check.verdict != Verdict::partnerError || check.partnerQso == QsoCheck::kNoQso) continue;
      const uint32_t causer = r_.logs.qsos[check.partnerQso].entrant;
      ++lost[causer];
      pairs.emplace_back(causer, r_.logs.qsos[i].entrant);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    std::vector<size_t> partners(r_.logs.entrants.size());
    for (const auto& pair : pairs) ++partners[pair.first];
    std::vector<uint32_t> order;
    for (uint32_t e = 0; e < lost.size(); ++e)
      if (lost[e]) order.push_back(e);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
      return lost[a] != lost[b] ? lost[a] > lost[b] : call(r_.logs.entrants[a].call) < call(r_.logs.entrants[b].call);
    });
    if (order.size() > 25) order.resize(25);
    if (order.empty()) return out + "<p>" + l("Таких ошибок нет.", "No such errors.") + "</p>\n";
    out += std::string("<table class=\"sortable\"><thead><tr><th>") + l("Позывной", "Call") + "</th><th>" +
           l("QSO, потерянные корреспондентами", "QSOs its partners lost") + "</th><th>" +
           l("Корреспондентов", "Partners") + "</th><th>" + l("Собственные ошибки", "Own error rate") +
           "</th></tr></thead><tbody>\n";
    for (uint32_t e : order)
      out += "<tr><td>" + entrantLink(l, e) + "</td>" + cell(lost[e]) + cell(partners[e]) +
             cell(errorRateText(r_.scores[e])) + "</tr>\n";
    return out + "</tbody></table>\n";
  }

  std::string index(const Language& l) const {
    size_t perVerdict[kVerdictCount] = {};
    for (const QsoCheck& check : r_.outcome.qsos) ++perVerdict[int(check.verdict)];
    std::string page = head(l, l("Результаты проверки RDAC", "RDAC results after the check"),
                            l.russian ? "index-en.html" : "index.html");
    page += std::string("<h1>") + l("Результаты соревнования RDAC после проверки", "RDAC contest results after the check") +
            "</h1>\n<p>" + l("Логов: ", "Logs: ") + std::to_string(r_.logs.entrants.size()) + l(", QSO: ", ", QSOs: ") +
            std::to_string(r_.logs.qsos.size()) + ".";
    const char* separator = " ";
    for (int v = 0; v < kVerdictCount; ++v) {
      if (!perVerdict[v]) continue;
      page += separator + std::string(verdictName(l, Verdict(v))) + ": " + std::to_string(perVerdict[v]);
      separator = "; ";
    }
    if (*separator == ';') page += ".";
    page += std::string("</p>\n<p class=\"note\">") +
            l("Места — по очкам после проверки, в категории и в области внутри неё (область — страна DXCC, для "
              "станций России — область по их собственному району RDA). Нажмите на заголовок столбца, чтобы "
              "упорядочить таблицу.",
              "Places go by the checked score, within the category and within the area inside it (the area is the "
              "DXCC entity, for stations in Russia the region of their own RDA district). Click a column's heading "
              "to sort the table by it.") +
            "</p>\n";
    return page + rankings(l) + errorChart(l) + costliest(l) + kSortScript + "</body></html>\n";
  }

  std::string clockText(const Language& l, uint32_t e) const {
    const Entrant& entrant = r_.logs.entrants[e];
    const ClockModel& clock = r_.outcome.clocks[e];
    if (entrant.count == 0) return "0";
    if (clock.timeless)
      return l("нет: времена лога непригодны, его QSO сопоставлены по позывному, диапазону, виду и порядку",
               "none: the log's times are unusable; its QSOs are paired by call, band, mode and order");
    const int32_t first = r_.logs.qsos[entrant.first].minute;
    const int32_t last = r_.logs.qsos[entrant.first + entrant.count - 1].minute;
    std::string text = signedMinutes(clock.aheadAt(first)) + l(" мин.", " min");
    if (clock.drift == 0 && clock.aheadAt(first) == 0) return text;
    if (clock.drift != 0)
      text += l(" в начале лога, ", " at the log's start, ") + signedMinutes(clock.aheadAt(last)) +
              l(" мин. в конце", " min at its end");
    return text + l(" (часы лога спешили на столько; минус — отставали)",
                    " (the log's clock was that far ahead; minus: behind)");
  }

  std::string entrantPage(const Language& l, uint32_t e) const {
    const Entrant& entrant = r_.logs.entrants[e];
    const EntrantScore& s = r_.scores[e];
    const std::string callText = html(call(entrant.call));
    std::string page = head(l, l("Проверка лога ", "Check of the log of ") + callText,
                            stems_[e] + (l.russian ? "-en" : "") + ".html");
    page += std::string("<p><a href=\"../index") + l.suffix + ".html\">" + l("Все результаты", "All results") +
            "</a></p>\n<h1>" + l("Проверка лога ", "Check of the log of ") + callText + "</h1>\n<table>";
    const auto line = [&](const char* ru, const char* en, const std::string& value) {
      page += std::string("<tr><th>") + l(ru, en) + "</th><td>" + value + "</td></tr>\n";
    };
    const auto placeText = [&](uint32_t p) { return p ? std::to_string(p) : std::string(l("без места", "not ranked")); };
    line("Файл", "File", html(textOf(pathOf(entrant.source).filename())));
    line("Категория", "Category", categoryName(l, entrant.category) + (entrant.checklog ? l(" (контрольный лог)", " (checklog)") : ""));
    line("Область", "Area", html(entrant.area));
    line("Место в категории", "Place in the category", placeText(standings_[e].categoryPlace));
    line("Место в области", "Place in the area", placeText(standings_[e].areaPlace));
    const auto numbers = [&](size_t qsos, int points, int64_t score) {
      return std::to_string(qsos) + l(" QSO, ", " QSOs, ") + std::to_string(points) + l(" очков за связи, результат ", " points, score ") +
             std::to_string(score);
    };
    line("Заявлено", "Claimed", numbers(s.claimedQsos, s.claimedPoints, s.claimedScore));
    line("После проверки", "Checked", numbers(s.checkedQsos, s.checkedPoints, s.checkedScore));
    if (s.penaltyPoints) line("Штраф", "Penalty", std::to_string(s.penaltyPoints) + l(" очков", " points"));
    line("Поправка часов", "Clock offset", clockText(l, e));
    if (!s.scored) line("Не подсчитан", "Not scored", l("позывного нет в файле стран", "the country file places the call nowhere"));
    if (entrant.skipped)
      line("Прочитано", "Read", std::to_string(entrant.count) + l(" из ", " of ") +
                                    std::to_string(entrant.count + entrant.skipped) + l(" строк QSO", " QSO lines"));
    page += "</table>\n";
    std::array<std::vector<uint32_t>, kVerdictCount> byVerdict;  // its QSOs, in one pass
    for (uint32_t i = uint32_t(entrant.first); i < entrant.first + entrant.count; ++i)
      byVerdict[size_t(r_.outcome.qsos[i].verdict)].push_back(i);
    std::string detail;
    for (Verdict v : ubnSections()) {
      const uint32_t count = counts_[e][size_t(v)];
      if (count == 0) continue;
      page += "<h2>" + std::string(verdictName(l, v)) + ": " + std::to_string(count) + "</h2>\n<table><tr><th>" +
              l("Время", "Time") + "</th><th>" + l("Диапазон", "Band") + "</th><th>" + l("Вид", "Mode") + "</th><th>" +
              l("Позывной", "Call") + "</th><th>" + l("Подробно", "Detail") + "</th></tr>\n";
      for (const uint32_t i : byVerdict[size_t(v)]) {
        const CheckedQso& q = r_.logs.qsos[i];
        page += "<tr><td>";
        page += minuteText(q.minute);
        for (const std::string_view cell : {std::string_view(r_.logs.texts.text(q.band)),
                                            std::string_view(r_.logs.texts.text(q.mode)), std::string_view(call(q.call))}) {
          page += "</td><td>";
          appendHtml(page, cell);
        }
        page += "</td><td>";
        detail.clear();
        appendVerdictDetail(detail, r_, i, l.russian ? kRussianDetails : kEnglishDetails);
        appendHtml(page, detail);
        page += "</td></tr>\n";
      }
      page += "</table>\n";
    }
    return page + "</body></html>\n";
  }
};


}  // namespace

std::string pageText(std::string_view bytes) {
  static const std::string kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const unsigned char byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      if (byte < 0x20 || byte == 0x7F) out += kReplacement;
      else out += char(byte);
      ++at;
    } else if (const size_t length = utf8Length(bytes, at)) {
      const bool c1Control = byte == 0xC2 && static_cast<unsigned char>(bytes[at + 1]) < 0xA0;
      out += c1Control ? kReplacement : std::string(bytes.substr(at, length));
      at += length;
    } else {
      // Windows-1251 leaves 0x98 undefined; Windows reads it as a control character.
      out += byte == 0x98 ? kReplacement : stats::utf8OfWindows1251(bytes.substr(at, 1));
      ++at;
    }
  }
  return out;
}

std::string pageStem(std::string_view call) {
  std::string stem;
  for (char c : call) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    stem += plain ? c : '_';
  }
  if (stem.size() > 40) stem.resize(40);
  // Windows opens a device for these names, whatever follows the dot.
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "COM", "LPT"};
  const std::string upper = stats::toUpperAscii(stem);
  for (const char* device : kDevices)
    if (upper.rfind(device, 0) == 0 && (upper.size() == 3 || (upper.size() == 4 && stats::isAsciiDigit(upper[3]))))
      return stem + "_";
  return stem.empty() ? "_" : stem;
}

bool writeCommitteePages(const CrossCheckReport& report, const std::string& folder, PageLanguage language,
                         std::string& error) {
  return Pages(report, folder).write(language == PageLanguage::russian ? kRussian : kEnglish, error);
}

}  // namespace rdac
