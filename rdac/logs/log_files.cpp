#include "rdac/logs/log_files.h"

#include <algorithm>
#include <filesystem>

#include "platform/text.h"
#include "rdac/io/file_bytes.h"
#include "rdac/io/messages.h"
#include "rdac/io/paths.h"
#include "rdac/io/process_info.h"
#include "rdac/logs/adif_reader.h"
#include "rdac/logs/cabrillo_reader.h"
#include "rdac/logs/log_text.h"
#include "rdac/logs/logged_exchange.h"

namespace fs = std::filesystem;

namespace rdac {
namespace {

LogFormat formatOfName(const std::string& path) {
  const std::string extension = stats::toUpperAscii(textOf(pathOf(path).extension()));
  if (extension == ".ADI" || extension == ".ADIF") return LogFormat::adif;
  if (extension == ".LOG" || extension == ".CBR") return LogFormat::cabrillo;
  return LogFormat::unknown;
}

}  // namespace

LogFormat logFormatOf(const std::string& path, const std::string& bytes) {
  const LogFormat named = formatOfName(path);
  if (named != LogFormat::unknown) return named;
  const std::string head = stats::toUpperAscii(std::string_view(bytes).substr(0, 4096));
  if (stats::trimmed(head).rfind("START-OF-LOG:", 0) == 0) return LogFormat::cabrillo;
  if (head.find("<EOR>") != std::string::npos || head.find("<EOH>") != std::string::npos)
    return LogFormat::adif;
  return LogFormat::unknown;
}

bool isLogName(const std::string& path) { return formatOfName(path) != LogFormat::unknown; }

bool isAdifName(const std::string& path) { return formatOfName(path) == LogFormat::adif; }

LogFileRead readLogFile(const std::string& path, const std::string* bytes) {
  LogFileRead read;
  std::string error;
  read.bytes = bytes ? std::optional<std::string>(*bytes) : readFileBytes(path, error);
  if (!read.bytes) {
    read.problem = tr("cannot read the log {1}: {2}", {path, error});
    return read;
  }
  read.bytes = textOfLogFile(std::move(*read.bytes));
  switch (logFormatOf(path, *read.bytes)) {
    case LogFormat::adif: read.log = readAdif(*read.bytes); break;
    case LogFormat::cabrillo: read.log = readCabrillo(*read.bytes); break;
    case LogFormat::unknown: read.problem = tr("{1} is neither ADIF nor Cabrillo", {path}); break;
  }
  return read;
}

size_t fillSentExchange(std::vector<LoggedQso>& qsos, const std::string& sentExchange) {
  const std::string stated = normalisedExchange(sentExchange);
  size_t without = 0;
  for (LoggedQso& qso : qsos)
    if (qso.exchSent.empty()) {
      qso.exchSent = stated;
      without += stated.empty();
    }
  return without;
}

std::string noSentExchangeNote(size_t without, size_t qsos, const char* option) {
  return tr("{1} of {2} QSO(s) give no sent exchange (looked at STX_STRING, STX, a district in MY_CNTY, and the "
            "Cabrillo exchange sent): the plug-in refuses them; give the own exchange with {3}",
            {std::to_string(without), std::to_string(qsos), option});
}

size_t setAsideXQsos(ContestLog& log) {
  const auto kept = std::remove_if(log.qsos.begin(), log.qsos.end(), [](const LoggedQso& q) { return q.xQso; });
  const auto setAside = static_cast<size_t>(log.qsos.end() - kept);
  log.qsos.erase(kept, log.qsos.end());
  return setAside;
}

bool collectLogFiles(const std::vector<std::string>& given, std::vector<std::string>& files, std::ostream& err) {
  for (const std::string& path : given) {
    std::error_code ec;
    if (!fs::is_directory(pathOf(path), ec)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> inFolder;
    for (const fs::directory_entry& entry : fs::directory_iterator(pathOf(path), ec))
      if (entry.is_regular_file(ec) && isLogName(textOf(entry.path()))) inFolder.push_back(textOf(entry.path()));
    if (ec) {
      err << "rdac: " << tr("cannot list the folder {1}: {2}", {path, whatToDo(ec)}) << '\n';
      return false;
    }
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  return true;
}

void reportLogProblems(std::ostream& err, const std::string& name, const std::vector<LogProblem>& problems,
                       size_t firstLine) {
  for (const LogProblem& problem : problems)
    err << "rdac: " << name << ":" << (problem.line + firstLine - 1) << ": " << problem.message << '\n';
}

// Sorts keys, not the QSOs with their strings, which takes a fraction of the time; the index in
// the key keeps QSOs logged at the same time in file order.
std::vector<size_t> timeOrder(const std::vector<LoggedQso>& qsos) {
  std::vector<std::pair<double, size_t>> keys;
  keys.reserve(qsos.size());
  for (size_t i = 0; i < qsos.size(); ++i) keys.emplace_back(qsos[i].time.m_dt, i);
  std::sort(keys.begin(), keys.end());
  std::vector<size_t> order;
  order.reserve(qsos.size());
  for (const auto& key : keys) order.push_back(key.second);
  return order;
}

bool sortByTime(std::vector<LoggedQso>& qsos) {
  const auto byTime = [](const LoggedQso& a, const LoggedQso& b) { return a.time.m_dt < b.time.m_dt; };
  if (std::is_sorted(qsos.begin(), qsos.end(), byTime)) return false;
  std::vector<LoggedQso> sorted;
  sorted.reserve(qsos.size());
  for (size_t i : timeOrder(qsos)) sorted.push_back(std::move(qsos[i]));
  qsos.swap(sorted);
  return true;
}

std::string defaultPluginPath() { return textOf(pathOf(programFolder()) / kPluginFileName); }

// The package installs cty.csv, which numbers the DXCC entities, beside cty.dat.
std::optional<CountryFile> loadCountryFile(const std::string& ctyPath, std::ostream& err) {
  std::string error;
  const auto text = readFileBytes(ctyPath, error);
  if (!text) {
    err << "rdac: " << tr("cannot read the country file {1}: {2}", {ctyPath, error}) << '\n'
        << "rdac: " << tr("cty.dat and cty.csv come in rdac's zip, beside rdac.exe; newer ones at www.country-files.com. Name another with --cty FILE") << '\n';
    return std::nullopt;
  }
  CountryFile countries = CountryFile::parse(*text);
  if (countries.entityCount() == 0) {
    err << "rdac: " << tr("{1} holds no country in the cty.dat format", {ctyPath}) << '\n';
    return std::nullopt;
  }
  const std::string csvPath = textOf(pathOf(ctyPath).parent_path() / "cty.csv");
  const std::string datName = textOf(pathOf(ctyPath).filename());
  const auto csv = readFileBytes(csvPath, error);
  if (!csv) {
    err << "rdac: " << tr("no cty.csv beside {1}: WAE-only entities such as Sicily count as DXCC countries of their own", {datName}) << '\n';
    return countries;
  }
  const std::vector<std::string> unplaced = countries.mergeWaeIntoDxcc(*csv);
  if (unplaced.empty()) return countries;
  std::string prefixes;
  for (const std::string& prefix : unplaced) prefixes += (prefixes.empty() ? "" : " ") + prefix;
  err << "rdac: " << tr("cty.csv gives no DXCC entity for the WAE-only entities {1} of {2}; they count as countries of their own", {prefixes, datName}) << '\n';
  return countries;
}

}  // namespace rdac
