#pragma once
// One run of the plug-in over a contest log: read the log, resolve its callsigns, lay out
// the work folder, load the plug-in, reset it and feed it every QSO, as the logger does.
#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "rdac/io/progress_line.h"
#include "rdac/logs/country_file.h"
#include "rdac/logs/logged_qso.h"
#include "rdac/score/cabrillo_header.h"
#include "rdac/score/contest_report.h"
#include "rdac/score/plugin_library.h"

namespace rdac {

// What a run of the plug-in over one log is given: the options score, check and watch share,
// and what the command wants besides.
struct RunOptions {
  std::string logPath;
  std::string pluginPath;  // empty: libStats.so beside rdac
  std::string ctyPath;     // empty: the country file of the hamradio-files package
  std::string districtsPath, hintsPath;
  std::string workdir = "out/rdac";
  std::string ownCall, ownPrefix, ownContinent;  // empty: from the log and the country file
  std::string sentExchange;  // for the QSOs whose record gives none
  std::optional<stats::COleDateTime> contestStart, contestEnd;
  bool cabrillo = false;  // an export run: the plug-in writes the Cabrillo file
  std::vector<std::string> headerFiles;
  std::vector<std::string> headerValues;  // KEY=VALUE
  bool timings = false;
  bool recordReport = false;  // gather what the report shows while feeding
  bool useHint = false;       // the setup window's "Use hint", as an operator who checks calls has it
};

struct StageTimes {
  std::chrono::duration<double> read{}, resolve{}, feed{};
};

class ContestRun {
 public:
  // Every path of `options` is taken relative to the current folder at this point.
  explicit ContestRun(RunOptions options);

  // Does everything up to and including feeding the log (`logBytes` when given, else the
  // file). False when the run cannot go on or Ctrl-C stopped it; the reason is then already on
  // `err`, and the bad-QSO file of an earlier complete run is back in place. Problems that
  // only cost single QSOs are reported on `err` as well, and the run goes on.
  bool start(std::ostream& err, const std::string* logBytes = nullptr);

  // Feeds one more QSO as the logger does while the contest runs: CheckCall0, then AddData0.
  // The check's answer, or nothing when the country file places the call nowhere.
  std::optional<int> feedLive(const LoggedQso& qso);

  // What the report shows so far. Asks the plug-in for its text result, but in an export run,
  // whose report was gathered before the export.
  ReportData reportData();

  PluginLibrary& plugin() { return *plugin_; }
  const RunOptions& options() const { return options_; }  // its paths absolute
  const ContestLog& log() const { return log_; }
  const HostReset& resetValues() const { return reset_; }
  const StageTimes& times() const { return times_; }
  size_t fedCount() const { return fed_; }
  const std::vector<UnscoredQso>& unscored() const { return unscored_; }
  // Gives the QSOs without a sent exchange the one the options state; says once per run when
  // there is none to give.
  void giveSentExchange(std::vector<LoggedQso>& qsos, std::ostream& err);
  size_t xQsosSetAside() const { return xQsosSetAside_; }
  // Resolves one callsign with the run's country file.
  std::optional<Country> resolve(const std::string& call) const { return countries_.resolve(call); }
  // Why a call that resolves to no country is not scored: "no country in cty.dat".
  std::string noCountryReason() const;

 private:
  RunOptions options_;
  CountryFile countries_;
  ContestLog log_;
  HostReset reset_;
  std::vector<HostQso> hostQsos_;
  std::unique_ptr<PluginLibrary> plugin_;
  std::unique_ptr<ReportRecorder> recorder_;  // when a report is wanted
  std::optional<ReportData> report_;          // an export run's, taken before the export
  std::vector<UnscoredQso> unscored_;
  std::vector<SettingValue> header_;
  StageTimes times_;
  size_t fed_ = 0;
  size_t xQsosSetAside_ = 0;
  bool noSentExchangeSaid_ = false;

  bool readLog(std::ostream& err, const std::string* logBytes);
  int feedOne(const HostQso& qso);
  void notScored(const LoggedQso& qso);
  bool resolveCalls(std::ostream& err, ProgressLine& progress);
  bool decideOwnStation(std::ostream& err);
  bool prepareFolder(std::ostream& err);
  bool feed(ProgressLine& progress, const char* stage = "fed");  // false when stopped partway
  bool runPlugin(std::ostream& err, ProgressLine& progress);
};

}  // namespace rdac
