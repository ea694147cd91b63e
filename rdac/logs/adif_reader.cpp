#include "rdac/logs/adif_reader.h"

#include <cstring>

#include "platform/text.h"
#include "rdac/io/messages.h"
#include "rdac/logs/band_plan.h"
#include "rdac/logs/log_text.h"
#include "rdac/logs/logged_exchange.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/logs/qso_limits.h"

namespace rdac {
namespace {

// The fields the host reads, by name; every other field of a record is passed over.
enum FieldId {
  kCall, kQsoDate, kTimeOn, kBand, kFreq, kMode, kRstSent, kRstRcvd, kStxString, kStx,
  kSrxString, kSrx, kCnty, kMyCnty, kStationCallsign, kOperator, kFieldCount
};
constexpr std::string_view kFieldNames[kFieldCount] = {
    "CALL", "QSO_DATE", "TIME_ON", "BAND", "FREQ", "MODE", "RST_SENT", "RST_RCVD",
    "STX_STRING", "STX", "SRX_STRING", "SRX", "CNTY", "MY_CNTY", "STATION_CALLSIGN", "OPERATOR"};

// Runs for every field of the log. Tag names hold only letters, digits and '_' (tagClose);
// among those, clearing bit 5 folds the case of letters and maps no two others together.
bool sameName(std::string_view name, std::string_view upperName) {
  if (name.size() != upperName.size()) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if ((name[i] & ~0x20) != (upperName[i] & ~0x20)) return false;
  return true;
}

int fieldId(std::string_view name) {
  for (int id = 0; id < kFieldCount; ++id)
    if (sameName(name, kFieldNames[id])) return id;
  return -1;
}

// Views into the file's bytes, the first value of each field a record gives.
struct Fields {
  std::string_view value[kFieldCount];
  bool any = false;

  std::string_view operator[](FieldId id) const { return value[id]; }
  void clear() { *this = Fields(); }
};

std::string_view firstPresent(const Fields& fields, FieldId a, FieldId b) {
  return stats::trimmed(fields[a]).empty() ? fields[b] : fields[a];
}

// A contest's own field prevails; award logs keep the district in the secondary subdivision
// (CNTY, MY_CNTY), which is taken only when it holds one. Free text (QTH, COMMENT) is never
// guessed from.
std::string_view exchangeField(const Fields& fields, FieldId contestText, FieldId contestNumber, FieldId subdivision) {
  const std::string_view contest = firstPresent(fields, contestText, contestNumber);
  if (!stats::trimmed(contest).empty()) return contest;
  return isDistrictShaped(fields[subdivision]) ? fields[subdivision] : std::string_view();
}

// A data specifier: <NAME>, <NAME:LENGTH> or <NAME:LENGTH:TYPE>.
struct Tag {
  std::string_view name;
  bool hasLength = false;
  size_t length = 0;
};

bool isTagChar(char c) {
  return stats::isAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}

// Where the tag opened by the '<' at `open` closes, npos when no tag starts there. Looking
// only as far as tag characters go keeps junk full of '<' from making the scan quadratic.
size_t tagClose(std::string_view bytes, size_t open) {
  size_t at = open + 1;
  while (at < bytes.size() && isTagChar(bytes[at])) ++at;
  return at < bytes.size() && bytes[at] == '>' ? at : std::string_view::npos;
}

bool parseTag(std::string_view inside, Tag& tag) {
  const size_t colon = inside.find(':');
  const std::string_view name = inside.substr(0, colon);
  if (name.empty()) return false;
  tag.name = name;
  tag.hasLength = colon != std::string_view::npos;
  if (!tag.hasLength) return true;
  std::string_view length = inside.substr(colon + 1);
  length = length.substr(0, length.find(':'));
  if (length.empty() || length.size() > 9) return false;
  tag.length = 0;
  for (char c : length) {
    if (!stats::isAsciiDigit(c)) return false;
    tag.length = tag.length * 10 + static_cast<size_t>(c - '0');
  }
  return true;
}

bool isMarker(std::string_view bytes, size_t at, std::string_view marker) {
  return stats::equalsNoCase(bytes.substr(at, marker.size()), marker);
}

// Where `marker` ("<EOR>", "<EOH>", in any case) first stands from `from` on and before
// `end`; npos when it does not.
size_t findMarker(std::string_view bytes, size_t from, std::string_view marker, size_t end = std::string_view::npos) {
  for (size_t at = bytes.find('<', from); at < end && at != std::string_view::npos; at = bytes.find('<', at + 1))
    if (isMarker(bytes, at, marker)) return at;
  return std::string_view::npos;
}

class AdifScanner {
 public:
  explicit AdifScanner(std::string_view bytes) : bytes_(bytes), encoding_(logEncodingOf(bytes)) {}

  ContestLog read() {
    // Whatever comes before an <EOH> that precedes the first <EOR> is the header, even when
    // it starts with a tag as many loggers write it.
    const size_t eoh = findMarker(bytes_, 0, "<EOH>", findMarker(bytes_, 0, "<EOR>"));
    if (eoh != std::string_view::npos) {
      readHeader(eoh);
      pos_ = eoh + 5;
      log_.formatSeen = true;
    }
    while (pos_ < bytes_.size()) {
      const size_t open = bytes_.find('<', pos_);
      if (open == std::string_view::npos) break;
      const size_t close = tagClose(bytes_, open);
      Tag tag;
      if (close == std::string_view::npos || !parseTag(bytes_.substr(open + 1, close - open - 1), tag)) {
        if (!fields_.any) {  // text between records may hold a stray '<'
          pos_ = open + 1;
          continue;
        }
        skipBadRecord(open, tr("a tag that cannot be read"));
        continue;
      }
      takeTag(tag, open, close);
    }
    if (fields_.any) skipped(tr("the file ends before its <EOR>"));
    if (bandForFreq_.records > 0)
      problem(bandForFreq_.firstLine, tr("FREQ is not in MHz (\"{1}\") in {2} record(s): their BAND is used",
                                         {bandForFreq_.firstText, std::to_string(bandForFreq_.records)}));
    finishOwnCall();
    return std::move(log_);
  }

 private:
  std::string_view bytes_;
  LogEncoding encoding_;
  size_t pos_ = 0;
  size_t lineCountedTo_ = 0;
  size_t line_ = 1;
  // Some loggers write FREQ in Hz; a record with a BAND beside it still has its band, and one
  // line for them all is enough.
  struct {
    size_t records = 0, firstLine = 0;
    std::string firstText;
  } bandForFreq_;
  size_t recordLine_ = 0;
  Fields fields_;
  Fields header_;
  std::string recordOwnCall_;
  ContestLog log_;

  // Header text is free: only the fields it names by length are taken, the rest passed over.
  void readHeader(size_t end) {
    for (size_t at = bytes_.find('<'); at < end; at = bytes_.find('<', at)) {
      const size_t close = tagClose(bytes_, at);
      Tag tag;
      if (close >= end || !parseTag(bytes_.substr(at + 1, close - at - 1), tag) || !tag.hasLength ||
          tag.length > end - close - 1) {
        ++at;
        continue;
      }
      const int id = fieldId(tag.name);
      if (id >= 0 && header_.value[id].data() == nullptr) header_.value[id] = bytes_.substr(close + 1, tag.length);
      at = close + 1 + tag.length;
    }
  }

  size_t lineAt(size_t offset) {
    const char* at = bytes_.data() + lineCountedTo_;
    const char* const end = bytes_.data() + offset;
    while ((at = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at))))) {
      ++line_;
      ++at;
    }
    lineCountedTo_ = offset;
    return line_;
  }

  void problem(size_t line, std::string message) { log_.problems.push_back({line, std::move(message)}); }
  void skipped(const std::string& why) {
    problem(recordLine_, tr("record skipped: {1}", {why}));
    ++log_.skippedQsos;
  }

  void takeTag(const Tag& tag, size_t open, size_t close) {
    if (!fields_.any) recordLine_ = lineAt(open);
    pos_ = close + 1;
    if (!tag.hasLength) {
      if (stats::equalsNoCase(tag.name, "EOR")) {
        log_.formatSeen = true;
        endRecord();
      } else if (stats::equalsNoCase(tag.name, "EOH")) {
        // Logs appended to one another: the fields since the last record were a header.
        problem(lineAt(open), tr("<EOH> after records skipped, with the header fields before it"));
        fields_.clear();
      } else if (fields_.any) {
        skipBadRecord(open, tr("<{1}> without a length", {std::string(tag.name)}));
      }
      return;
    }
    if (tag.length > bytes_.size() - pos_) {
      skipBadRecord(open, tr("the value of {1} runs past the end of the file", {std::string(tag.name)}));
      return;
    }
    const std::string_view value = bytes_.substr(pos_, tag.length);
    const int id = fieldId(tag.name);
    // No field the host reads can hold an end of record; a length that takes one in is wrong.
    if (id >= 0 && findMarker(value, 0, "<EOR>") != std::string_view::npos) {
      skipBadRecord(open, tr("the value of {1} runs past its record", {std::string(tag.name)}));
      return;
    }
    if (id >= 0 && fields_.value[id].data() == nullptr) fields_.value[id] = value;
    fields_.any = true;
    pos_ += tag.length;
  }

  // Goes on after the record's <EOR>; at an <EOH> before it, what was read is a header.
  void skipBadRecord(size_t at, const std::string& what) {
    const size_t eor = findMarker(bytes_, at, "<EOR>");
    const size_t eoh = findMarker(bytes_, at, "<EOH>", eor);
    if (eoh != std::string_view::npos) {
      pos_ = eoh;
      return;
    }
    skipped(what + " on line " + std::to_string(lineAt(at)));
    fields_.clear();
    pos_ = eor == std::string_view::npos ? bytes_.size() : eor + 5;
  }

  void endRecord() {
    if (!fields_.any) return;
    if (recordOwnCall_.empty())
      recordOwnCall_ = normalisedCall(text(firstPresent(fields_, kStationCallsign, kOperator)));
    std::string why;
    bool bandForFreq = false;
    LoggedQso qso = toQso(fields_, why, bandForFreq);
    if (why.empty()) why = implausibleQso(qso);
    if (bandForFreq && why.empty() && bandForFreq_.records++ == 0) {
      bandForFreq_.firstLine = recordLine_;
      bandForFreq_.firstText = stats::trimmed(text(fields_[kFreq]));
    }
    fields_.clear();
    if (!why.empty()) {
      skipped(why);
      return;
    }
    log_.qsos.push_back(std::move(qso));
  }

  LoggedQso toQso(const Fields& fields, std::string& why, bool& bandForFreq) const {
    LoggedQso qso;
    qso.line = recordLine_;
    qso.call = normalisedCall(text(fields[kCall]));
    if (qso.call.empty()) {
      why = tr("no CALL");
      return qso;
    }
    const auto time = qsoTime(stats::trimmed(fields[kQsoDate]), stats::trimmed(fields[kTimeOn]));
    if (!time) {
      why = tr("no valid QSO_DATE and TIME_ON for {1}", {qso.call});
      return qso;
    }
    qso.time = *time;
    qso.band = normalisedBand(text(fields[kBand]));
    const std::string_view freq = fields[kFreq];
    if (!stats::trimmed(freq).empty()) {
      const auto hz = hzOfMHz(freq);
      bandForFreq = !hz && lowerEdgeKHz(qso.band) != 0;
      if (!hz && !bandForFreq) {
        why = tr("FREQ \"{1}\" is not a frequency in MHz", {text(freq)});
        return qso;
      }
      qso.freqHz = hz.value_or(0);
    }
    if (qso.band.empty()) qso.band = bandOfKHz(qso.freqHz / 1000);
    // Without it the plug-in would export frequency 0, which no reader takes back.
    if (qso.freqHz == 0) qso.freqHz = lowerEdgeKHz(qso.band) * 1000;
    if (qso.band.empty() && qso.freqHz == 0) {
      why = tr("neither BAND nor FREQ for {1}", {qso.call});
      return qso;
    }
    qso.mode = adifMode(text(fields[kMode]));
    if (qso.mode.empty()) {
      why = tr("no MODE for {1}", {qso.call});
      return qso;
    }
    qso.rstSent = stats::trimmed(text(fields[kRstSent]));
    qso.rstRcvd = stats::trimmed(text(fields[kRstRcvd]));
    qso.exchSent = normalisedExchange(text(exchangeField(fields, kStxString, kStx, kMyCnty)), qso.rstSent);
    qso.exchRcvd = normalisedExchange(text(exchangeField(fields, kSrxString, kSrx, kCnty)), qso.rstRcvd);
    return qso;
  }

  std::string text(std::string_view value) const { return utf8OfLogText(value, encoding_); }

  void finishOwnCall() {
    log_.ownCall = normalisedCall(text(firstPresent(header_, kStationCallsign, kOperator)));
    if (log_.ownCall.empty()) log_.ownCall = recordOwnCall_;
  }
};

}  // namespace

ContestLog readAdif(std::string_view bytes) { return AdifScanner(bytes).read(); }

}  // namespace rdac
