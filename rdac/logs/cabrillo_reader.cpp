#include "rdac/logs/cabrillo_reader.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/text.h"
#include "rdac/io/messages.h"
#include "rdac/io/text_lines.h"
#include "rdac/logs/band_plan.h"
#include "rdac/logs/log_text.h"
#include "rdac/logs/logged_exchange.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/logs/qso_limits.h"

namespace rdac {
namespace {

// Loggers and mail programs put no-break and wide blanks between the fields: U+00A0, U+2000 to
// U+200A, U+202F, U+205F and U+3000 (the text is UTF-8 by now, so 0xA0 of the 8-bit code pages
// arrives as U+00A0). How many bytes the blank at `i`, a byte beyond ASCII, takes; 0 when there
// is none.
size_t wideBlankAt(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u; };
  if (byte(0) == 0xC2 && byte(1) == 0xA0) return 2;
  if (byte(0) == 0xE2 && byte(1) == 0x80 && (byte(2) <= 0x8A || byte(2) == 0xAF) && byte(2) >= 0x80) return 3;
  if (byte(0) == 0xE2 && byte(1) == 0x81 && byte(2) == 0x9F) return 3;
  if (byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) return 3;
  return 0;
}

// What a byte may be: part of a word, an ASCII blank, or the first of a wide blank's bytes.
enum ByteKind : uint8_t { kWordByte, kAsciiBlank, kMaybeWideBlank };

struct ByteKinds {
  ByteKind of[256] = {};
  ByteKinds() {
    for (int c = 0; c < 128; ++c)
      if (stats::isAsciiSpace(char(c))) of[c] = kAsciiBlank;
    for (int lead : {0xC2, 0xE2, 0xE3}) of[lead] = kMaybeWideBlank;
  }
};
const ByteKinds kByteKinds;

// The bytes of the blank at `i`, of any kind; 0 when there is none.
inline size_t blankAt(std::string_view text, size_t i) {
  switch (kByteKinds.of[static_cast<unsigned char>(text[i])]) {
    case kWordByte: return 0;
    case kAsciiBlank: return 1;
    case kMaybeWideBlank: return wideBlankAt(text, i);
  }
  return 0;
}

// Into `out`, which a reader keeps from line to line: no allocation per line.
void columnsInto(std::string_view text, std::vector<std::string_view>& out) {
  out.clear();
  size_t i = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  while (i < text.size()) {
    for (size_t blank = 1; blank > 0;) {
      while (i < text.size() && bytes[i] == ' ') ++i;  // the padding between columns, mostly
      blank = i < text.size() ? blankAt(text, i) : 0;
      i += blank;
    }
    const size_t start = i;
    for (;;) {
      while (i < text.size() && kByteKinds.of[bytes[i]] == kWordByte) ++i;
      if (i == text.size() || blankAt(text, i) > 0) break;
      ++i;  // a lead byte that starts no blank
    }
    if (i > start) out.emplace_back(text.data() + start, i - start);
  }
}

std::vector<std::string_view> columns(std::string_view text) {
  std::vector<std::string_view> out;
  columnsInto(text, out);
  return out;
}

bool startsWithNoCase(std::string_view text, std::string_view head) {
  return text.size() >= head.size() && stats::equalsNoCase(text.substr(0, head.size()), head);
}

std::string withoutDashes(std::string_view date) {
  std::string out;
  for (char c : date)
    if (c != '-') out += c;
  return out;
}

// An X-QSO line is a QSO the sender asks not to be credited for; its partner still is.
constexpr std::string_view kQso = "QSO:", kXQso = "X-QSO:";

// How long the line's QSO tag is; 0 for a line of another kind.
size_t qsoLineHead(std::string_view line) {
  if (startsWithNoCase(line, kQso)) return kQso.size();
  return startsWithNoCase(line, kXQso) ? kXQso.size() : 0;
}

// Fills `qso`, made in place in the log (a QSO is some 250 bytes to move); sets `why` when the
// line cannot be a QSO of this contest.
void qsoOfLine(std::string_view body, size_t lineNumber, std::vector<std::string_view>& c, std::string& why,
               LoggedQso& qso) {
  qso.line = lineNumber;
  columnsInto(body, c);
  if (c.size() == 11) c.pop_back();  // transmitter number of a multi-transmitter log
  if (c.size() != 10) {
    why = tr("QSO line with {1} columns; expected frequency, mode, date, time, own call, report and exchange sent, "
             "call, report and exchange received",
             {std::to_string(c.size())});
    return;
  }
  // A decimal point after fewer than four digits is a frequency in MHz ("7.012"): no band of
  // the contest lies below 1,800 kHz.
  const size_t point = std::min(c[0].find('.'), c[0].find(','));
  const std::optional<uint32_t> hz = point < 4 ? std::nullopt : hzOfKHz(c[0]);
  if (!hz) {
    why = tr("frequency \"{1}\" is not a number of kHz", {std::string(c[0])});
    return;
  }
  const auto time = qsoTime(withoutDashes(c[2]), c[3]);
  if (!time || c[2].size() != 10) {
    why = tr("date and time \"{1}\" not YYYY-MM-DD HHMM", {std::string(c[2]) + " " + std::string(c[3])});
    return;
  }
  qso.freqHz = *hz;
  qso.band = bandOfKHz(*hz / 1000);
  qso.mode = cabrilloMode(c[1]);
  qso.time = *time;
  qso.rstSent.assign(c[5]);
  qso.exchSent = normalisedExchange(c[6]);
  qso.call = normalisedCall(c[7]);
  qso.rstRcvd.assign(c[8]);
  qso.exchRcvd = normalisedExchange(c[9]);
}

// The category lines a committee ranks by; the value bounded, as it comes from the entrant.
void keepCategory(std::string_view line, ContestLog& log) {
  static const char* const kKinds[] = {"", "-OPERATOR", "-MODE", "-BAND", "-POWER", "-TRANSMITTER", "-OVERLAY"};
  constexpr size_t kLongestValue = 60;
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return;
  const std::string kind = stats::toUpperAscii(std::string(line.substr(8, colon - 8)));
  if (std::find(std::begin(kKinds), std::end(kKinds), kind) == std::end(kKinds)) return;
  std::string value;
  for (std::string_view word : columns(line.substr(colon + 1)))
    value += (value.empty() ? "" : " ") + stats::toUpperAscii(std::string(word));
  if (value.size() > kLongestValue) value.resize(kLongestValue);
  if (!value.empty()) log.category[kind] = value;
}

}  // namespace

ContestLog readCabrillo(std::string_view bytes) {
  std::string converted;
  std::string_view text = bytes;
  if (!isAscii(bytes)) text = converted = utf8OfLogText(bytes, logEncodingOf(bytes));
  ContestLog log;
  size_t lineNumber = 0;
  size_t pos = 0;
  std::vector<std::string_view> fields;  // of the line at hand
  // A QSO line takes some 80 bytes: room for all at once, and no more than a large log needs.
  log.qsos.reserve(std::min<size_t>(text.size() / 48 + 1, 1 << 16));
  while (pos < text.size()) {
    const std::string_view line = nextLine(text, pos);
    ++lineNumber;
    if (const size_t head = qsoLineHead(line)) {
      log.formatSeen = true;
      std::string why;
      LoggedQso& qso = log.qsos.emplace_back();
      qsoOfLine(line.substr(head), lineNumber, fields, why, qso);
      qso.xQso = head == kXQso.size();
      if (why.empty()) why = implausibleQso(qso);
      if (!why.empty()) {
        log.qsos.pop_back();
        log.problems.push_back({lineNumber, tr("QSO line skipped: {1}", {why})});
        ++log.skippedQsos;
      }
    } else if (startsWithNoCase(line, "CALLSIGN:")) {
      const std::vector<std::string_view> call = columns(line.substr(9));
      log.ownCall = call.empty() ? std::string() : normalisedCall(call[0]);
    } else if (startsWithNoCase(line, "CATEGORY-OPERATOR:")) {
      const std::vector<std::string_view> category = columns(line.substr(18));
      log.checklog = !category.empty() && stats::equalsNoCase(category[0], "CHECKLOG");
      keepCategory(line, log);
    } else if (startsWithNoCase(line, "CATEGORY")) {
      keepCategory(line, log);
    } else if (startsWithNoCase(line, "START-OF-LOG:")) {
      log.formatSeen = true;
    }
  }
  return log;
}

}  // namespace rdac
