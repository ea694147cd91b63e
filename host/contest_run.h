#pragma once
// One run of the plug-in over a contest log: read the log, resolve its callsigns, lay out
// the work folder, load the plug-in, reset it and feed it every QSO, as the logger does.
#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/cabrillo_header.h"
#include "host/contest_report.h"
#include "host/country_file.h"
#include "host/logged_qso.h"
#include "host/options.h"
#include "host/plugin_library.h"
#include "host/progress_line.h"

namespace rdac {

struct StageTimes {
  std::chrono::duration<double> read{}, resolve{}, feed{};
};

class ContestRun {
 public:
  // Every path of `options` is taken relative to the current folder at this point.
  explicit ContestRun(Options options);

  // Does everything up to and including feeding the log (`logBytes` when given, else the
  // file). False when the run cannot go on; the reason is then already on `err`. Problems that
  // only cost single QSOs are reported on `err` as well, and the run goes on.
  bool start(std::ostream& err, const std::string* logBytes = nullptr);

  // Feeds one more QSO as the logger does while the contest runs: CheckCall0, then AddData0.
  // The check's answer, or nothing when the country file places the call nowhere.
  std::optional<int> feedLive(const LoggedQso& qso);

  // What the report shows so far. Asks the plug-in for its text result.
  ReportData reportData();

  PluginLibrary& plugin() { return *plugin_; }
  const Options& options() const { return options_; }
  const ContestLog& log() const { return log_; }
  const HostReset& resetValues() const { return reset_; }
  const StageTimes& times() const { return times_; }
  size_t fedCount() const { return fed_; }
  const std::vector<UnscoredQso>& unscored() const { return unscored_; }
  // Resolves one callsign with the run's country file.
  std::optional<Country> resolve(const std::string& call) const { return countries_.resolve(call); }

 private:
  Options options_;
  CountryFile countries_;
  ContestLog log_;
  HostReset reset_;
  std::vector<HostQso> hostQsos_;
  std::unique_ptr<PluginLibrary> plugin_;
  std::unique_ptr<ReportRecorder> recorder_;  // when a report is wanted
  std::vector<UnscoredQso> unscored_;
  std::vector<SettingValue> header_;
  StageTimes times_;
  size_t fed_ = 0;

  bool readLog(std::ostream& err, const std::string* logBytes);
  int feedOne(const HostQso& qso);
  void notScored(const LoggedQso& qso);
  bool resolveCalls(std::ostream& err, ProgressLine& progress);
  bool decideOwnStation(std::ostream& err);
  bool prepareFolder(std::ostream& err);
  void feed(ProgressLine& progress);
};

// The libStats.so beside the running rdac.
std::string defaultPluginPath();

// The country file of the hamradio-files package.
extern const char kDefaultCountryFile[];

// The country file with the DXCC numbers of the cty.csv beside it; nothing when it cannot be
// read. What it finds wrong is said on `err`.
std::optional<CountryFile> loadCountryFile(const std::string& ctyPath, std::ostream& err);

enum class LogFormat { adif, cabrillo, unknown };
// By the file's name, else by what its first bytes hold.
LogFormat logFormatOf(const std::string& path, const std::string& bytes);

}  // namespace rdac
