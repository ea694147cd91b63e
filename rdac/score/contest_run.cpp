#include "rdac/score/contest_run.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

#include "platform/edited_text.h"
#include "platform/text.h"
#include "plugin/exports.h"
#include "rdac/io/file_bytes.h"
#include "rdac/io/file_events.h"
#include "rdac/io/messages.h"
#include "rdac/io/paths.h"
#include "rdac/io/process_info.h"
#include "rdac/io/progress_line.h"
#include "rdac/io/text_lines.h"
#include "rdac/logs/log_files.h"
#include "rdac/logs/log_text.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/score/work_folder.h"

namespace fs = std::filesystem;

namespace rdac {

using Clock = std::chrono::steady_clock;

ContestRun::ContestRun(RunOptions options) : options_(std::move(options)) {
  options_.logPath = absolutePath(options_.logPath);
  options_.pluginPath = absolutePath(options_.pluginPath.empty() ? defaultPluginPath() : options_.pluginPath);
  options_.ctyPath = absolutePath(options_.ctyPath.empty() ? defaultCountryFile() : options_.ctyPath);
  options_.districtsPath = absolutePath(options_.districtsPath);
  options_.hintsPath = absolutePath(options_.hintsPath);
  options_.workdir = absolutePath(options_.workdir);
  for (std::string& file : options_.headerFiles) file = absolutePath(file);
}

bool ContestRun::start(std::ostream& err, const std::string* logBytes) {
  // Counted from here, so a slow read shows the progress line earlier.
  ProgressLine progress(err, standardErrorIsTerminal());
  // Ctrl-C stops a long log between two QSOs, so the run can put the earlier files back.
  installStopHandlers();
  if (!readLog(err, logBytes) || !resolveCalls(err, progress) || !decideOwnStation(err) || !prepareFolder(err))
    return false;
  const std::string badQsoPath = badQsoFilePath(options_.workdir, reset_.contestEnd);
  PreviousFile previousBadQsos(badQsoPath);
  if (runPlugin(err, progress)) {
    previousBadQsos.discard();
    return true;
  }
  if (previousBadQsos.restore())
    err << "rdac: " << tr("{1} is the last complete run's, as it was", {badQsoPath}) << '\n';
  else if (plugin_)
    err << "rdac: " << tr("{1} holds only the QSOs fed before the stop", {badQsoPath}) << '\n';
  return false;
}

bool ContestRun::runPlugin(std::ostream& err, ProgressLine& progress) {
  std::string error;
  plugin_ = PluginLibrary::open(options_.pluginPath, error);
  if (!plugin_) {
    err << "rdac: " << tr("cannot load the plug-in {1}: {2}", {options_.pluginPath, error}) << '\n';
    return false;
  }
  // The report asks for the result at every mark and every new multiplier, and in an export
  // run each ask writes the Cabrillo file and shows the plug-in's message box again: the
  // report is gathered in a plain pass, and the export pass after it is asked once.
  const bool reportFirst = options_.recordReport && options_.cabrillo;
  reset_.exportRun = options_.cabrillo && !reportFirst;
  plugin_->reset(reset_);
  if (options_.recordReport)
    recorder_ = std::make_unique<ReportRecorder>([this] { return plugin_->result(); });
  bool complete = feed(progress);
  if (complete && reportFirst) {
    report_ = reportData();
    recorder_.reset();
    reset_.exportRun = true;
    plugin_->reset(reset_);
    fed_ = 0;
    complete = feed(progress, "fed for the export");
  }
  const size_t toFeed = hostQsos_.size();
  hostQsos_.clear();  // they point into the log, which a live run appends to
  if (complete) return true;
  err << "rdac: " << tr("stopped after feeding {1} of {2} QSOs", {std::to_string(fed_), std::to_string(toFeed)}) << '\n';
  return false;
}

bool ContestRun::readLog(std::ostream& err, const std::string* logBytes) {
  const auto started = Clock::now();
  LogFileRead read = readLogFile(options_.logPath, logBytes);
  if (!read.log) {
    err << "rdac: " << read.problem << (read.bytes ? " " + tr("(name it .adi, .adif, .log or .cbr)") : "") << '\n';
    return false;
  }
  log_ = std::move(*read.log);
  const std::string name = textOf(pathOf(options_.logPath).filename());
  reportLogProblems(err, name, log_.problems);
  xQsosSetAside_ = setAsideXQsos(log_);
  if (xQsosSetAside_ > 0)
    err << "rdac: " << name << ": "
        << tr("{1} X-QSO line(s) set aside: not counted for this log, as its sender asked",
              {std::to_string(xQsosSetAside_)})
        << '\n';
  giveSentExchange(log_.qsos, err);
  if (log_.qsos.empty()) {
    const bool junk = !log_.formatSeen && !stats::trimmed(*read.bytes).empty();
    // Only a run that the options date can go on without a QSO (checks before the contest).
    if (junk || !options_.contestStart) {
      err << "rdac: "
          << tr(junk ? "no QSO record found in {1}: it does not look like ADIF or Cabrillo" : "no QSO record found in {1}",
                {options_.logPath})
          << '\n';
      return false;
    }
  }
  // The logger feeds the plug-in in time order; its rates and its Cabrillo export rely on it.
  if (sortByTime(log_.qsos))
    err << "rdac: " << tr("{1} is not in time order: its QSOs are fed sorted by date and time", {name}) << '\n';
  times_.read = Clock::now() - started;
  return true;
}

void ContestRun::giveSentExchange(std::vector<LoggedQso>& qsos, std::ostream& err) {
  const size_t without = fillSentExchange(qsos, options_.sentExchange);
  if (without == 0 || noSentExchangeSaid_) return;
  noSentExchangeSaid_ = true;
  err << "rdac: " << textOf(pathOf(options_.logPath).filename()) << ": "
      << noSentExchangeNote(without, qsos.size(), "--sent-exchange") << '\n';
}

bool ContestRun::resolveCalls(std::ostream& err, ProgressLine& progress) {
  const auto started = Clock::now();
  auto countries = loadCountryFile(options_.ctyPath, err);
  if (!countries) return false;
  countries_ = std::move(*countries);
  // Contest logs work the same stations again on every band.
  std::unordered_map<std::string, std::optional<Country>> known;
  std::vector<std::string> unresolved;  // distinct callsigns
  size_t unresolvedQsos = 0;
  hostQsos_.reserve(log_.qsos.size());
  size_t done = 0;
  for (const LoggedQso& qso : log_.qsos) {
    progress.update("resolved", ++done, log_.qsos.size());
    auto [entry, added] = known.try_emplace(qso.call);
    if (added) entry->second = countries_.resolve(qso.call);
    if (!entry->second) {
      if (added) unresolved.push_back(qso.call);
      notScored(qso);
      ++unresolvedQsos;
      continue;
    }
    HostQso host;
    host.logged = &qso;
    host.prefix = entry->second->prefix;
    host.continent = entry->second->continent;
    hostQsos_.push_back(std::move(host));
  }
  progress.finish();  // a message must not land inside the progress line
  if (!unresolved.empty()) {
    std::string calls;
    for (const std::string& call : unresolved) calls += (calls.empty() ? "" : " ") + call;
    err << "rdac: "
        << tr("{1} QSO(s) not scored: no country in {2} for {3}",
              {std::to_string(unresolvedQsos), textOf(pathOf(options_.ctyPath).filename()), calls})
        << '\n';
  }
  times_.resolve = Clock::now() - started;
  return true;
}

bool ContestRun::decideOwnStation(std::ostream& err) {
  reset_.ownCall = options_.ownCall.empty() ? log_.ownCall : options_.ownCall;
  if (reset_.ownCall.empty()) {
    err << "rdac: " << tr("the log does not name the own callsign: give --call CALL") << '\n';
    return false;
  }
  reset_.ownPrefix = options_.ownPrefix;
  reset_.ownContinent = options_.ownContinent;
  if (reset_.ownPrefix.empty() || reset_.ownContinent.empty()) {
    const auto own = countries_.resolve(reset_.ownCall);
    if (!own) {
      err << "rdac: "
          << tr("the own callsign {1} has no country in the country file: give --prefix and --continent",
                {reset_.ownCall})
          << '\n';
      return false;
    }
    if (reset_.ownPrefix.empty()) reset_.ownPrefix = own->prefix;
    if (reset_.ownContinent.empty()) reset_.ownContinent = own->continent;
  }

  // In time order by now; a log without QSOs got this far only with --start.
  reset_.contestStart = options_.contestStart ? *options_.contestStart : log_.qsos.front().time;
  reset_.contestEnd = options_.contestEnd ? *options_.contestEnd
                      : !log_.qsos.empty() ? log_.qsos.back().time
                                           : reset_.contestStart;
  reset_.ownFolder = options_.workdir + "/";
  return true;
}

bool ContestRun::prepareFolder(std::ostream& err) {
  WorkFolderPlan plan;
  plan.folder = options_.workdir;
  plan.districtsPath = options_.districtsPath;
  plan.hintsPath = options_.hintsPath;
  CabrilloHeader header;
  std::string error;
  for (const std::string& file : options_.headerFiles) {
    const auto text = readFileBytes(file, error);
    if (!text) {
      err << "rdac: " << tr("cannot read the header file {1}: {2}", {file, error}) << '\n';
      return false;
    }
    if (!header.addFile(utf8OfTextFile(*text), textOf(pathOf(file).filename()), error)) {
      err << "rdac: " << error << '\n';
      return false;
    }
  }
  for (const std::string& assignment : options_.headerValues)
    if (!header.addAssignment(assignment, error)) {
      err << "rdac: " << error << '\n';
      return false;
    }
  if (options_.cabrillo) header.defaultModeFor(log_.qsos);
  plan.settings = header.settings();
  // The plug-in writes them into its Cabrillo file, whose other lines are Windows-1251.
  for (SettingValue& setting : plan.settings) setting.value = stats::windows1251OfUtf8(setting.value);
  if (options_.cabrillo) header_ = header.settings();
  // An operator who checks callsigns wants the district hint: the setup window's "Use hint".
  if (options_.useHint) plan.settings.push_back({"setup_mast", "1"});
  std::string note;
  const bool laidOut = layOutWorkFolder(plan, note, error);
  if (!note.empty()) err << "rdac: " << note << '\n';
  if (!laidOut) {
    err << "rdac: " << error << '\n';
    return false;
  }
  // A file from an earlier export must not pass for one this run wrote.
  if (options_.cabrillo) {
    std::error_code ignored;
    fs::remove(pathOf(cabrilloFilePath(options_.workdir, reset_.ownCall)), ignored);
  }
  std::error_code ec;
  fs::current_path(pathOf(options_.workdir), ec);
  if (ec) {
    err << "rdac: " << tr("cannot work in {1}: {2}", {options_.workdir, whatToDo(ec)}) << '\n';
    return false;
  }
  return true;
}

bool ContestRun::feed(ProgressLine& progress, const char* stage) {
  const auto started = Clock::now();
  for (const HostQso& qso : hostQsos_) {
    if (stopRequested()) break;
    feedOne(qso);
    progress.update(stage, ++fed_, hostQsos_.size());
  }
  progress.finish();
  times_.feed += Clock::now() - started;
  return fed_ == hostQsos_.size();
}

int ContestRun::feedOne(const HostQso& qso) {
  if (!recorder_) {
    plugin_->addQso(reset_.ownCall, qso);
    return -1;
  }
  // As a logger does while the operator types the call, before the QSO is logged.
  const LoggedQso& q = *qso.logged;
  recorder_->reach(minuteOf(q.time));
  const int code = plugin_->checkCall(q.call, q.mode, qso.prefix, q.band).code;
  // The check cannot know whether the QSO will be refused; the result before and after can.
  std::optional<ResultNumbers> before;
  if (code == kCheckNewMultiplier) before = readResultNumbers(plugin_->result());
  plugin_->addQso(reset_.ownCall, qso);
  recorder_->checked(q, code, before);
  return code;
}

std::optional<int> ContestRun::feedLive(const LoggedQso& qso) {
  log_.qsos.push_back(qso);
  const LoggedQso& kept = log_.qsos.back();
  const auto country = countries_.resolve(kept.call);
  if (!country) {
    notScored(kept);
    return std::nullopt;
  }
  HostQso host;
  host.logged = &kept;
  host.prefix = country->prefix;
  host.continent = country->continent;
  ++fed_;
  return feedOne(host);
}

std::string ContestRun::noCountryReason() const {
  return tr("no country in {1}", {textOf(pathOf(options_.ctyPath).filename())});
}

void ContestRun::notScored(const LoggedQso& qso) {
  unscored_.push_back({qso.call, qsoTimeText(qso.time), qso.band, qso.line, noCountryReason()});
}

ReportData ContestRun::reportData() {
  if (report_) return *report_;
  ReportData data = recorder_ ? recorder_->page(plugin_->result()) : ReportData{};
  std::string error;
  if (auto bytes = readFileBytes(badQsoFilePath(options_.workdir, reset_.contestEnd), error)) {
    *bytes = stats::utf8OfWindows1251(*bytes);  // the plug-in's file
    for (size_t pos = 0; pos < bytes->size();) {
      std::string line(nextLine(*bytes, pos));
      if (!line.empty()) data.badQsoLines.push_back(std::move(line));
    }
    if (!data.badQsoLines.empty()) data.badQsoLines.erase(data.badQsoLines.begin());  // its title line
  }
  data.unscored = unscored_;
  for (const SettingValue& value : header_) data.header.emplace_back(value.key, value.value);
  return data;
}

}  // namespace rdac
