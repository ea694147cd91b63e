#include "reports/bad_qso_file.h"

#include <vector>

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
  if (name.empty()) return false;
  forgetAppendTarget(hostPath(name));
  return replaceWholeFile(hostPath(name), std::string(kHeader) + kLineEnd);
}

bool appendBadQsoLines(const std::string& name, const std::string& lines) {
  if (name.empty() || lines.empty()) return false;
  return appendToFile(hostPath(name), lines);
}

bool removeBadQsoLines(const std::string& name, const std::string& call, const COleDateTime& qsoTime) {
  if (name.empty()) return false;
  const std::string path = hostPath(name);
  const std::optional<std::string> content = readWholeFile(path);
  const std::string when = qsoTime.Format(kQsoTimeFormat);
  std::string kept = std::string(kHeader) + kLineEnd;
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
  if (name.empty()) return 0;
  const std::optional<std::string> content = readWholeFile(hostPath(name));
  if (!content) return 0;
  int count = 0;
  for (const std::string& line : textLines(*content))
    if (line.find("DUPE") == std::string::npos && line.find("UBN") == std::string::npos) ++count;
  return count;
}

}  // namespace stats
