#include "reports/bad_qso_file.h"

#include <vector>

#include <chrono>

#include "platform/file_append.h"
#include "platform/file_io.h"
#include "platform/file_path.h"
#include "platform/text.h"

namespace stats {
namespace {

const char kHeader[] = "RDA Contest UBN file ";
const char kLineEnd[] = "\r\n";
const char kSeparator[] = "  ";
const char kQsoTimeFormat[] = "%Y-%m-%d %H%M";

// The fields of a line written by badQsoLine(), split at the two-blank separators.
std::vector<std::string> fieldsOf(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t at; (at = line.find(kSeparator, start)) != std::string::npos; start = at + 2)
    fields.push_back(line.substr(start, at - start));
  fields.push_back(line.substr(start));
  return fields;
}

// Whether a rewrite would give the same bytes: every line ends with CR LF, the last one too.
bool isWrittenAsLines(const std::string& bytes) {
  if (bytes.empty() || bytes.back() != '\n') return false;
  for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
    if (at == 0 || bytes[at - 1] != '\r') return false;
  return true;
}

bool isLineOf(const std::string& line, const std::string& call, const std::string& when) {
  const std::vector<std::string> fields = fieldsOf(line);
  // QSO:, kHz, mode, date-time, own call, rst sent, exch sent, worked call, ...
  return fields.size() > 7 && fields[0] == "QSO:" && fields[3] == when && fields[7] == call;
}

}  // namespace

const char* const kWrongBand = "    WRONG BAND !!!";
const char* const kWrongMode = "    WRONG MODE !!!";
const char* const kNoExchange = "    NO RX NUMBER !!!";
const char* const kDupe = " DUPE !!!";

std::string unknownDistrictReason(const std::string& code) {
  return "  " + code + "  Russland District Area Code is not acceptable !!!";
}

std::string badQsoFileNameFor(const COleDateTime& contestEnd) {
  return "BadQSO_DedodEVA_" + contestEnd.Format("%d_%m_%Y") + ".txt";
}

std::string badQsoLine(const QsoArgs& qso, const std::string& reason) {
  std::string line = "QSO:";
  const std::string kHz = std::to_string(qso.freqHz / 1000);
  const std::string when = qso.qsoTime.Format(kQsoTimeFormat);
  for (std::string_view field : {std::string_view(kHz), qso.mode, std::string_view(when), qso.ownCall,
                                 qso.rstSent, qso.exchSent, qso.call, qso.rstRcvd, qso.exchRcvd}) {
    line += kSeparator;
    line += field;
  }
  return line + reason + kLineEnd;
}

bool createBadQsoFile(const std::string& name) {
  flushBadQsoLines();
  if (name.empty()) return false;
  forgetAppendTarget(hostPath(name));
  return replaceWholeFile(hostPath(name), std::string(kHeader) + kLineEnd);
}

namespace {

// One write for a burst of lines instead of one open, write and close each: a reload of a
// long log flags thousands of QSOs within a fraction of a second, and on a desktop disk
// every open is costly.
class BurstWriter {
 public:
  using Clock = std::chrono::steady_clock;

  void append(const std::string& path, const std::string& lines) {
    const Clock::time_point now = Clock::now();
    const bool inBurst = now - lastLine_ < kBurstGap;
    lastLine_ = now;
    if (!pending_.empty() && path != path_) flush();
    path_ = path;
    pending_ += lines;
    if (!inBurst || pending_.size() >= kMaxPending) flush();
  }
  void flush() {
    if (pending_.empty()) return;
    appendToFile(path_, pending_);
    pending_.clear();
  }
  ~BurstWriter() { flush(); }

 private:
  static constexpr std::chrono::milliseconds kBurstGap{1};
  static constexpr size_t kMaxPending = 64 * 1024;
  std::string path_;
  std::string pending_;
  Clock::time_point lastLine_{};
};

BurstWriter& burstWriter() {
  static BurstWriter writer;
  return writer;
}

}  // namespace

void appendBadQsoLines(const std::string& name, const std::string& lines) {
  if (name.empty() || lines.empty()) return;
  burstWriter().append(hostPath(name), lines);
}

void flushBadQsoLines() { burstWriter().flush(); }

bool removeBadQsoLines(const std::string& name, const std::string& call, const COleDateTime& qsoTime) {
  flushBadQsoLines();
  if (name.empty()) return false;
  const std::string path = hostPath(name);
  const std::optional<std::string> content = readWholeFile(path);
  const std::string when = qsoTime.Format(kQsoTimeFormat);
  const std::string header = std::string(kHeader) + kLineEnd;
  // Most removed contacts were never flagged: a file that starts with its header and does not
  // hold the call as a field anywhere stays as it is, without taking it apart line by line.
  if (content && content->compare(0, header.size(), header) == 0 &&
      content->find(kSeparator + call + kSeparator) == std::string::npos &&
      isWrittenAsLines(*content))
    return true;
  std::string kept = header;
  bool removedAny = false;
  if (content) {
    const std::vector<std::string> lines = textLines(*content);
    for (size_t i = 1; i < lines.size(); ++i) {
      if (isLineOf(lines[i], call, when)) {
        removedAny = true;
        continue;
      }
      kept += lines[i];
      kept += kLineEnd;
    }
  }
  // Nothing to change: leave the file as it is rather than write the same bytes again.
  if (!removedAny && content && *content == kept) return true;
  forgetAppendTarget(path);
  return replaceWholeFile(path, kept);
}

int countBadQsos(const std::string& name) {
  flushBadQsoLines();
  if (name.empty()) return 0;
  const std::optional<std::string> content = readWholeFile(hostPath(name));
  if (!content) return 0;
  int count = 0;
  for (const std::string& line : textLines(*content))
    if (line.find("DUPE") == std::string::npos && line.find("UBN") == std::string::npos) ++count;
  return count;
}

}  // namespace stats
