#include "host/adif_reader.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "host/band_plan.h"
#include "host/qso_fields.h"
#include "platform/text.h"

namespace rdac {
namespace {

// Views into the file's bytes; names as the file spells them.
using Fields = std::vector<std::pair<std::string_view, std::string_view>>;

std::string_view field(const Fields& fields, std::string_view upperName) {
  for (const auto& [name, value] : fields)
    if (stats::equalsNoCase(name, upperName)) return value;
  return std::string_view();
}

std::string_view firstPresent(const Fields& fields, std::string_view a, std::string_view b) {
  const std::string_view value = field(fields, a);
  return stats::trimmed(value).empty() ? field(fields, b) : value;
}

// A data specifier: <NAME>, <NAME:LENGTH> or <NAME:LENGTH:TYPE>.
struct Tag {
  std::string_view name;
  bool hasLength = false;
  size_t length = 0;
};

bool parseTag(std::string_view inside, Tag& tag) {
  const size_t colon = inside.find(':');
  const std::string_view name = inside.substr(0, colon);
  if (name.empty()) return false;
  for (char c : name)
    if (!(stats::isAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'))
      return false;
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

class AdifScanner {
 public:
  explicit AdifScanner(std::string_view bytes) : bytes_(bytes) {}

  ContestLog read() {
    // A file that does not start with '<' has a header, ended by <EOH>.
    inHeader_ = !bytes_.empty() && bytes_[0] != '<';
    while (pos_ < bytes_.size()) {
      const size_t open = bytes_.find('<', pos_);
      if (open == std::string_view::npos) break;
      const size_t close = bytes_.find('>', open + 1);
      Tag tag;
      if (close == std::string_view::npos || !parseTag(bytes_.substr(open + 1, close - open - 1), tag)) {
        if (inHeader_ || fields_.empty()) {  // comments outside records may hold a stray '<'
          pos_ = open + 1;
          continue;
        }
        skipBadRecord(open, "a tag that cannot be read");
        continue;
      }
      if (!takeTag(tag, open, close)) break;
    }
    if (!fields_.empty() && !inHeader_)
      problem(recordLine_, "record skipped: the file ends before its <EOR>");
    finishOwnCall();
    return std::move(log_);
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
  size_t lineCountedTo_ = 0;
  size_t line_ = 1;
  bool inHeader_ = false;
  size_t recordLine_ = 0;
  Fields fields_;
  Fields header_;
  std::string recordOwnCall_;
  ContestLog log_;

  size_t lineAt(size_t offset) {
    line_ += static_cast<size_t>(std::count(bytes_.begin() + lineCountedTo_, bytes_.begin() + offset, '\n'));
    lineCountedTo_ = offset;
    return line_;
  }

  void problem(size_t line, std::string message) { log_.problems.push_back({line, std::move(message)}); }

  // Returns false when the rest of the file cannot be read.
  bool takeTag(const Tag& tag, size_t open, size_t close) {
    if (fields_.empty()) recordLine_ = lineAt(open);
    pos_ = close + 1;
    if (!tag.hasLength) {
      if (stats::equalsNoCase(tag.name, "EOH") && inHeader_) {
        header_ = std::move(fields_);
        fields_.clear();
        inHeader_ = false;
      } else if (stats::equalsNoCase(tag.name, "EOR")) {
        inHeader_ = false;
        endRecord();
      } else if (!inHeader_ && !fields_.empty()) {
        skipBadRecord(open, "<" + std::string(tag.name) + "> without a length");
      }
      return true;
    }
    if (tag.length > bytes_.size() - pos_) {
      problem(lineAt(open), "record skipped: the value of " + std::string(tag.name) +
                                " runs past the end of the file");
      fields_.clear();
      pos_ = bytes_.size();
      return false;
    }
    fields_.emplace_back(tag.name, bytes_.substr(pos_, tag.length));
    pos_ += tag.length;
    return true;
  }

  void skipBadRecord(size_t at, const std::string& what) {
    problem(recordLine_, "record skipped: " + what + " on line " + std::to_string(lineAt(at)));
    fields_.clear();
    const size_t eor = findEor(at);
    pos_ = eor == std::string_view::npos ? bytes_.size() : eor + 5;
  }

  size_t findEor(size_t from) const {
    for (size_t at = bytes_.find('<', from); at != std::string_view::npos; at = bytes_.find('<', at + 1))
      if (stats::equalsNoCase(bytes_.substr(at, 5), "<EOR>")) return at;
    return std::string_view::npos;
  }

  void endRecord() {
    if (fields_.empty()) return;
    if (recordOwnCall_.empty())
      recordOwnCall_ = normalisedCall(firstPresent(fields_, "STATION_CALLSIGN", "OPERATOR"));
    std::string why;
    LoggedQso qso = toQso(fields_, why);
    fields_.clear();  // keeps its capacity for the next record
    if (!why.empty()) {
      problem(recordLine_, "record skipped: " + why);
      return;
    }
    log_.qsos.push_back(std::move(qso));
  }

  LoggedQso toQso(const Fields& fields, std::string& why) const {
    LoggedQso qso;
    qso.line = recordLine_;
    qso.call = normalisedCall(field(fields, "CALL"));
    if (qso.call.empty()) {
      why = "no CALL";
      return qso;
    }
    const auto time = qsoTime(stats::trimmed(field(fields, "QSO_DATE")), stats::trimmed(field(fields, "TIME_ON")));
    if (!time) {
      why = "no valid QSO_DATE and TIME_ON for " + qso.call;
      return qso;
    }
    qso.time = *time;
    const std::string_view freq = field(fields, "FREQ");
    if (!stats::trimmed(freq).empty()) {
      const auto hz = hzOfMHz(freq);
      if (!hz) {
        why = "FREQ \"" + std::string(freq) + "\" is not a frequency in MHz";
        return qso;
      }
      qso.freqHz = *hz;
    }
    qso.band = normalisedBand(std::string(field(fields, "BAND")));
    if (qso.band.empty()) qso.band = bandOfKHz(qso.freqHz / 1000);
    if (qso.band.empty() && qso.freqHz == 0) {
      why = "neither BAND nor FREQ for " + qso.call;
      return qso;
    }
    qso.mode = adifMode(field(fields, "MODE"));
    if (qso.mode.empty()) {
      why = "no MODE for " + qso.call;
      return qso;
    }
    qso.rstSent = stats::trimmed(field(fields, "RST_SENT"));
    qso.rstRcvd = stats::trimmed(field(fields, "RST_RCVD"));
    qso.exchSent = stats::trimmed(firstPresent(fields, "STX_STRING", "STX"));
    qso.exchRcvd = stats::trimmed(firstPresent(fields, "SRX_STRING", "SRX"));
    return qso;
  }

  void finishOwnCall() {
    log_.ownCall = normalisedCall(firstPresent(header_, "STATION_CALLSIGN", "OPERATOR"));
    if (log_.ownCall.empty()) log_.ownCall = recordOwnCall_;
  }
};

}  // namespace

ContestLog readAdif(std::string_view bytes) { return AdifScanner(bytes).read(); }

}  // namespace rdac
