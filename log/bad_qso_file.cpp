#include "log/bad_qso_file.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/file_append.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace stats {
namespace {

const char kHeader[] = "RDA Contest UBN file ";
const char kLineEnd[] = "\r\n";
const char kSeparator[] = "  ";
const char kQsoTimeFormat[] = "%Y-%m-%d %H%M";
const char kNotWrittenMessage[] = "File could not be written: ";

std::string headerLine() { return std::string(kHeader) + kLineEnd; }

// Whether a rewrite would give the same bytes: every line ends with CR LF, the last one too.
bool isWrittenAsLines(const std::string& bytes) {
  if (bytes.empty() || bytes.back() != '\n') return false;
  for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
    if (at == 0 || bytes[at - 1] != '\r') return false;
  return true;
}

bool holdsAnyLine(const std::string& bytes, const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (bytes.find(line + kLineEnd) != std::string::npos) return true;
  return false;
}

// `lines` less one occurrence of each of `gone`, every line ending with CR LF.
std::string withoutLines(std::vector<std::string> lines, const std::vector<std::string>& gone) {
  for (const std::string& line : gone) {
    const auto at = std::find(lines.begin(), lines.end(), line);
    if (at != lines.end()) lines.erase(at);
  }
  std::string text;
  for (const std::string& line : lines) text.append(line).append(kLineEnd);
  return text;
}

}  // namespace

const char* const kWrongBand = "    WRONG BAND !!!";
const char* const kWrongMode = "    WRONG MODE !!!";
const char* const kNoExchange = "    NO RX NUMBER !!!";
const char* const kDupe = " DUPE !!!";

namespace {

// Our own lines are told by their layout, whatever the callsigns in them hold (UA3UBN, an own
// call UA1UBN): a QSO line counts unless it ends with the dupe marker. Any other line (the
// header, an operator's note) counts unless it holds "DUPE" or "UBN", as it always has.
bool countsAsBad(std::string_view line) {
  if (line.substr(0, 4) == "QSO:") {
    const std::string_view dupe = kDupe;
    return line.size() < dupe.size() || line.substr(line.size() - dupe.size()) != dupe;
  }
  return line.find("DUPE") == std::string_view::npos && line.find("UBN") == std::string_view::npos;
}

int countBadLines(const std::string& bytes) {
  int count = 0;
  for (const std::string& line : textLines(bytes))
    if (countsAsBad(line)) ++count;
  return count;
}

}  // namespace

std::string unknownDistrictReason(const std::string& code) {
  return "  " + code + "  Russland District Area Code is not acceptable !!!";
}

std::string badQsoFileNameFor(const COleDateTime& contestEnd) {
  return "BadQSO_DedodEVA_" + contestEnd.Format("%d_%m_%Y") + ".txt";
}

std::string badQsoLine(const QsoArgs& qso, const std::string& reason) {
  char kHz[16];
  const auto kHzEnd = std::to_chars(kHz, kHz + sizeof kHz, qso.freqHz / 1000).ptr;
  const std::string when = qso.qsoTime.Format(kQsoTimeFormat);
  const std::string_view fields[] = {std::string_view(kHz, static_cast<size_t>(kHzEnd - kHz)),
                                     qso.mode, when, qso.ownCall, qso.rstSent, qso.exchSent,
                                     qso.call, qso.rstRcvd, qso.exchRcvd};
  size_t length = 4 + reason.size() + 2;
  for (std::string_view field : fields) length += 2 + field.size();
  std::string line;
  line.reserve(length);  // flagged QSOs of a reload build their lines at one allocation each
  line += "QSO:";
  for (std::string_view field : fields) line.append(kSeparator, 2).append(field);
  line.append(reason);
  blankControlBytes(line);  // the host's texts (and a district code made of them) stay on the line
  return line.append(kLineEnd, 2);
}

bool BadQsoFile::create(const FilePath& path) {
  path_ = path;
  lines_.clear();
  failed_ = reported_ = false;
  if (path_.empty()) return false;
  // A file that holds the header alone is what a rewrite would give; one that begins with it
  // loses the rest in place, in one step, with no file made and dropped at every reset.
  const std::optional<std::string> content = readWholeFile(path_);
  const std::string header = headerLine();
  if (content && *content == header) return inStep_ = true;
  if (content && content->compare(0, header.size(), header) == 0 && cutFileTo(path_, header.size()))
    return inStep_ = true;
  return rewrite(header);
}

bool BadQsoFile::rewrite(const std::string& content) {
  inStep_ = replaceWholeFile(path_, content);
  if (!inStep_) failed_ = true;
  return inStep_;
}

void BadQsoFile::append(const std::string& lines) {
  if (path_.empty() || lines.empty()) return;
  lines_ += lines;
  if (inStep_ && !appendToFile(path_, lines)) inStep_ = false, failed_ = true;
}

void BadQsoFile::remove(const std::string& lines) {
  if (path_.empty()) return;
  const std::vector<std::string> gone = textLines(lines);
  lines_ = withoutLines(textLines(lines_), gone);
  std::optional<std::string> content;
  if (inStep_) content = readWholeFile(path_);
  if (!content) {
    rewrite(headerLine() + lines_);
    return;
  }
  // Most removed contacts were never flagged: a file in its written form that holds none of
  // the lines stays as it is, without being taken apart line by line.
  const std::string header = headerLine();
  if (content->compare(0, header.size(), header) == 0 && isWrittenAsLines(*content) &&
      !holdsAnyLine(*content, gone))
    return;
  std::vector<std::string> fileLines = textLines(*content);
  if (!fileLines.empty()) fileLines.erase(fileLines.begin());  // the header, whatever it says
  const std::string kept = header + withoutLines(std::move(fileLines), gone);
  if (kept != *content) rewrite(kept);
}

int BadQsoFile::countBad() {
  if (path_.empty()) return 0;
  if (inStep_) {
    if (const std::optional<std::string> content = readWholeFile(path_))
      return countBadLines(*content);
  }
  rewrite(headerLine() + lines_);
  return countBadLines(lines_);
}

FileMessage BadQsoFile::takeFailureMessage() {
  if (!failed_ || reported_) return FileMessage();
  reported_ = true;
  return {kNotWrittenMessage, path_};
}

}  // namespace stats
