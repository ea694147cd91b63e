#pragma once
// Reading contest logs from files the way every rdac command does: the format by name or by
// content, the records in time order, what could not be read reported by line; and the other
// files a run reads beside a log (the country file, the plug-in).
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "rdac/logs/country_file.h"
#include "rdac/logs/logged_qso.h"

namespace rdac {

enum class LogFormat { adif, cabrillo, unknown };
// By the file's name (.adi, .adif, .log, .cbr), else by what its first bytes hold.
LogFormat logFormatOf(const std::string& path, const std::string& bytes);
// Whether the file's name says it is a log.
bool isLogName(const std::string& path);
bool isAdifName(const std::string& path);  // .adi or .adif

struct LogFileRead {
  std::optional<std::string> bytes;  // nothing: the file cannot be read
  std::optional<ContestLog> log;     // nothing: not read, or neither ADIF nor Cabrillo
  std::string problem;               // why there is no log
};
// The log of the file at `path`, or of `bytes` when given (a file read already).
LogFileRead readLogFile(const std::string& path, const std::string* bytes = nullptr);

// Gives `sentExchange` (normalised) to the QSOs that carry no sent exchange; how many are left
// without one.
size_t fillSentExchange(std::vector<LoggedQso>& qsos, const std::string& sentExchange);
// What to say, once per log, when `without` of its `qsos` QSOs carry no sent exchange: the
// fields looked at and `option`, which states one.
std::string noSentExchangeNote(size_t without, size_t qsos, const char* option);
// Takes the X-QSOs out of the log, which are not counted for it; how many there were.
size_t setAsideXQsos(ContestLog& log);

// Files as given; of a folder, its log files by name, sorted. False, said on `err`, when a
// folder cannot be listed.
bool collectLogFiles(const std::vector<std::string>& given, std::vector<std::string>& files, std::ostream& err);

// "rdac: NAME:LINE: problem", a line each; `firstLine` is the file's line the log's line 1 was.
void reportLogProblems(std::ostream& err, const std::string& name, const std::vector<LogProblem>& problems,
                       size_t firstLine = 1);

// The QSOs' indexes in time order, QSOs logged at the same time in their order in the file.
std::vector<size_t> timeOrder(const std::vector<LoggedQso>& qsos);
// Sorts the QSOs so; false when they were in order already.
bool sortByTime(std::vector<LoggedQso>& qsos);

// The country file with the DXCC numbers of the cty.csv beside it; nothing when it cannot be
// read. What it finds wrong is said on `err`.
std::optional<CountryFile> loadCountryFile(const std::string& ctyPath, std::ostream& err);

// The plug-in library beside the running rdac.
std::string defaultPluginPath();

}  // namespace rdac
