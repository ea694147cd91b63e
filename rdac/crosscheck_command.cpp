#include "rdac/crosscheck_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <future>
#include <iomanip>

#include "platform/text.h"
#include "rdac/crosscheck/call_edits.h"
#include "rdac/crosscheck/cross_check_files.h"
#include "rdac/crosscheck/scoring_helper.h"
#include "rdac/io/file_bytes.h"
#include "rdac/io/paths.h"
#include "rdac/io/process_info.h"
#include "rdac/io/progress_line.h"
#include "rdac/logs/log_files.h"
#include "rdac/score/contest_run.h"
#include "rdac/score/work_folder.h"

namespace fs = std::filesystem;

namespace rdac {
namespace {

using Clock = std::chrono::steady_clock;

// The log of one file; reading and parsing run on other threads.
LogFileRead readLog(const std::string& file) {
  LogFileRead read = readLogFile(file);
  read.bytes.reset();
  return read;
}

class CrossCheckRun {
 public:
  CrossCheckRun(const CrossCheckOptions& options, std::ostream& out, std::ostream& err)
      : o_(options), out_(out), err_(err), progress_(err, standardErrorIsTerminal()) {}

  int run() {
    const auto started = Clock::now();
    const std::string outDir = absolutePath(o_.outDir);
    if (!readLogs()) return 1;
    stage("read", started);

    CheckPolicy policy;
    policy.windowMinutes = o_.windowMinutes;
    policy.clockWindowMinutes = std::max(o_.clockWindowMinutes, o_.windowMinutes);
    policy.creditedLogs = o_.creditedLogs;
    const auto checking = Clock::now();
    const size_t total = logs_.qsos.size();
    const CheckOutcome outcome =
        crossCheck(logs_, policy, [&](size_t pairs) { progress_.update("paired", 2 * pairs, total); });
    progress_.finish();
    stage("checked", checking);

    std::vector<EntrantScore> scores;
    const auto scoring = Clock::now();
    if (!score(outcome, scores)) return 1;
    stage("scored", scoring);

    const auto writing = Clock::now();
    std::error_code ec;
    fs::create_directories(pathOf(outDir), ec);
    const CrossCheckReport report{logs_, outcome, scores};
    std::string error;
    if (ec || !writeCheckedCsv(report, outDir + "/checked.csv", error) || !writeUbnFiles(report, outDir, error) ||
        !writeResultsCsv(report, outDir + "/results.csv", error)) {
      err_ << "rdac: " << (ec ? "cannot make the folder " + outDir + ": " + ec.message() : error) << '\n';
      return 1;
    }
    stage("written", writing);
    summarise(outcome, o_.outDir);
    if (o_.timings) {
      err_ << std::fixed << std::setprecision(3) << "rdac: " << logs_.entrants.size() << " logs, " << total
           << " QSOs:";
      for (const auto& [what, seconds] : times_) err_ << ' ' << what << " in " << seconds << " s;";
      err_ << " all in " << std::chrono::duration<double>(Clock::now() - started).count() << " s\n";
    }
    return 0;
  }

 private:
  const CrossCheckOptions& o_;
  std::ostream& out_;
  std::ostream& err_;
  ProgressLine progress_;
  SubmittedLogs logs_;
  std::vector<std::pair<std::string, double>> times_;

  void stage(const char* what, Clock::time_point since) {
    times_.emplace_back(what, std::chrono::duration<double>(Clock::now() - since).count());
  }

  bool readLogs() {
    std::vector<std::string> files;
    if (!collectLogFiles(o_.logPaths, files, err_)) return false;
    bool fine = true;
    // Reading and parsing run ahead on other threads; the logs are taken in file order.
    std::deque<std::future<LogFileRead>> ahead;
    size_t next = 0;
    for (size_t n = 0; n < files.size(); ++n) {
      while (next < files.size() && ahead.size() < 4)
        ahead.push_back(std::async(std::launch::async, readLog, files[next++]));
      const LogFileRead read = ahead.front().get();
      ahead.pop_front();
      progress_.update("read", n + 1, files.size(), "logs");
      if (!read.log) {
        progress_.finish();
        err_ << "rdac: " << read.problem << '\n';
        fine = false;
        continue;
      }
      if (!read.log->problems.empty()) progress_.finish();
      const std::string name = textOf(pathOf(files[n]).filename());
      reportLogProblems(err_, name, read.log->problems);
      fine = admit(files[n], *read.log) && fine;
    }
    progress_.finish();
    if (fine && logs_.entrants.empty()) err_ << "rdac: no log to check\n";
    return fine && !logs_.entrants.empty();
  }

  // One log per station: a second one under the same call (portable suffixes aside) is not
  // the committee's to choose from.
  bool admit(const std::string& file, const ContestLog& log) {
    if (log.ownCall.empty()) {
      progress_.finish();
      err_ << "rdac: " << file << " does not name its station (CALLSIGN:, STATION_CALLSIGN or OPERATOR)\n";
      return false;
    }
    const int earlier = logs_.entrantOf(logs_.calls.find(std::string(stationOf(log.ownCall))));
    if (earlier >= 0) {
      progress_.finish();
      err_ << "rdac: two logs of " << stationOf(log.ownCall) << ": " << logs_.entrants[size_t(earlier)].source
           << " and " << file << '\n';
      return false;
    }
    logs_.add(file, log.ownCall, log.qsos);
    return true;
  }

  bool score(const CheckOutcome& outcome, std::vector<EntrantScore>& scores) {
    const std::string ctyPath = o_.ctyPath.empty() ? defaultCountryFile() : o_.ctyPath;
    const auto countries = loadCountryFile(ctyPath, err_);
    if (!countries) return false;
    WorkFolderPlan plan;
    plan.folder = absolutePath(o_.workdir);
    plan.districtsPath = absolutePath(o_.districtsPath);
    const std::string pluginPath = absolutePath(o_.pluginPath.empty() ? defaultPluginPath() : o_.pluginPath);
    std::string note, error;
    const bool laidOut = layOutWorkFolder(plan, note, error);
    if (!note.empty()) err_ << "rdac: " << note << '\n';
    // The plug-in's state is process-wide, so a second process scores the second half of the
    // logs, in a work folder of its own: scoring is most of the run's time.
    WorkFolderPlan second = plan;
    second.folder += "/second";
    second.districtsPath = plan.folder + "/Plugins/rda_rus.dat";
    if (!laidOut || !layOutWorkFolder(second, note, error)) {
      err_ << "rdac: " << error << '\n';
      return false;
    }
    const size_t entrants = logs_.entrants.size(), half = entrants / 2;
    const auto progress = [&](size_t done) { progress_.update("scored", 2 * done, entrants, "logs"); };
    const ScoringJob own{plan.folder, pluginPath, *countries, logs_, outcome, o_.penalty, 0, half, progress,
                         [&] { progress_.finish(); }, absolutePath(ctyPath)};
    const ScoringJob helped{second.folder, pluginPath, *countries, logs_, outcome, o_.penalty, half, entrants, {}, {},
                            absolutePath(ctyPath)};
    if (!scoreWithHelper(own, helped, scores, err_)) return false;
    for (size_t e = 0; e < entrants; ++e)
      if (!scores[e].scored && logs_.entrants[e].count > 0)
        err_ << "rdac: " << logs_.calls.text(logs_.entrants[e].call)
             << " has no country in the country file: its log is not scored\n";
    return true;
  }

  void summarise(const CheckOutcome& outcome, const std::string& outDir) {
    size_t perVerdict[kVerdictCount] = {};
    for (const QsoCheck& check : outcome.qsos) ++perVerdict[int(check.verdict)];
    out_ << logs_.entrants.size() << " logs, " << logs_.qsos.size() << " QSOs checked:";
    for (int v = 0; v < kVerdictCount; ++v)
      if (perVerdict[v]) out_ << ' ' << verdictName(Verdict(v)) << ' ' << perVerdict[v];
    out_ << '\n';
    std::string offsets;
    for (size_t e = 0; e < logs_.entrants.size(); ++e) {
      const int offset = outcome.clockOffsets[e];
      if (offset) offsets += " " + logs_.calls.text(logs_.entrants[e].call) + (offset > 0 ? " +" : " ") + std::to_string(offset);
    }
    out_ << "Clock offsets (minutes ahead):" << (offsets.empty() ? std::string(" none") : offsets) << '\n';
    out_ << "Written to " << outDir << ": checked.csv, results.csv, " << logs_.entrants.size() << " UBN file(s)\n";
  }
};

}  // namespace

void declareCrossCheckOptions(CLI::App& command, CrossCheckOptions& o) {
  command.add_option("LOG", o.logPaths, "the logs, or folders holding them (.adi, .adif, .log, .cbr)")
      ->type_name("FILE|DIR")
      ->required();
  command.add_option("--out", o.outDir, "where checked.csv, results.csv and one CALL.ubn per log land")
      ->type_name("DIR")
      ->required();
  addDistrictsOption(command, o.districtsPath, "RDA district table or the publisher's list");
  command.add_option("--window-minutes", o.windowMinutes,
                     "most minutes two logs' times of one QSO may differ after clock offsets (default 3)")
      ->check(CLI::Range(0, 60));
  command.add_option("--clock-window", o.clockWindowMinutes,
                     "minutes within which pairs estimate clock offsets; beyond the window they are a "
                     "time mismatch (default 30)")
      ->check(CLI::Range(1, 240));
  command.add_option("--credited-after", o.creditedLogs,
                     "a station that sent no log counts when this many logs hold its call (default 3)")
      ->check(CLI::Range(1, 1000000));
  command.add_option("--penalty", o.penalty,
                     "times its points taken off for each own busted call, busted exchange or NIL (default 0)")
      ->check(CLI::Range(0.0, 100.0));
  addWorkdirOption(command, o.workdir);
  addCtyOption(command, o.ctyPath);
  addPluginOption(command, o.pluginPath);
  addTimingsOption(command, o.timings);
}

int runCrossCheck(const CrossCheckOptions& options, std::ostream& out, std::ostream& err) {
  return CrossCheckRun(options, out, err).run();
}

}  // namespace rdac
