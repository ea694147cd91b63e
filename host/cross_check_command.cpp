#include "host/cross_check_command.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iomanip>
#include <map>

#include "host/adif_reader.h"
#include "host/cabrillo_reader.h"
#include "host/call_edits.h"
#include "host/contest_run.h"
#include "host/cross_check_files.h"
#include "host/file_bytes.h"
#include "host/progress_line.h"
#include "host/work_folder.h"
#include "platform/text.h"

namespace fs = std::filesystem;

namespace rdac {
namespace {

using Clock = std::chrono::steady_clock;

bool isLogName(const fs::path& path) {
  const std::string extension = stats::toUpperAscii(path.extension().string());
  return extension == ".ADI" || extension == ".ADIF" || extension == ".LOG" || extension == ".CBR";
}

// Files as given; of a folder, its log files by name.
bool collectLogFiles(const std::vector<std::string>& given, std::vector<std::string>& files, std::ostream& err) {
  for (const std::string& path : given) {
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> inFolder;
    for (const fs::directory_entry& entry : fs::directory_iterator(path, ec))
      if (entry.is_regular_file(ec) && isLogName(entry.path())) inFolder.push_back(entry.path().string());
    if (ec) {
      err << "rdac: cannot list the folder " << path << ": " << ec.message() << '\n';
      return false;
    }
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  return true;
}

class CrossCheckRun {
 public:
  CrossCheckRun(const Options& options, std::ostream& out, std::ostream& err)
      : o_(options), out_(out), err_(err), progress_(err, isatty(STDERR_FILENO) == 1) {}

  int run() {
    const auto started = Clock::now();
    const std::string outDir = fs::absolute(o_.outDir).lexically_normal().string();
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
    fs::create_directories(outDir, ec);
    const CrossCheckReport report{logs_, outcome, scores, policy.windowMinutes};
    std::string error;
    if (ec || !writeCheckedCsv(report, outDir + "/checked.csv", error) || !writeUbnFiles(report, outDir, error) ||
        !writeResultsCsv(report, outDir + "/results.csv", error)) {
      err_ << "rdac: " << (ec ? "cannot make the folder " + outDir + ": " + ec.message() : error) << '\n';
      return 1;
    }
    stage("written", writing);
    summarise(outcome, outDir);
    if (o_.timings) {
      err_ << std::fixed << std::setprecision(3) << "rdac: " << logs_.entrants.size() << " logs, " << total
           << " QSOs:";
      for (const auto& [what, seconds] : times_) err_ << ' ' << what << " in " << seconds << " s;";
      err_ << " all in " << std::chrono::duration<double>(Clock::now() - started).count() << " s\n";
    }
    return 0;
  }

 private:
  const Options& o_;
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
    std::map<std::string, std::string> sourceOfStation;
    for (size_t n = 0; n < files.size(); ++n) {
      progress_.update("read", n + 1, files.size(), "logs");
      const std::string name = fs::path(files[n]).filename().string();
      std::string error;
      const auto bytes = readFileBytes(files[n], error);
      const LogFormat format = bytes ? logFormatOf(files[n], *bytes) : LogFormat::unknown;
      if (!bytes || format == LogFormat::unknown) {
        progress_.finish();
        err_ << "rdac: " << (bytes ? files[n] + " is neither ADIF nor Cabrillo" : "cannot read the log " + files[n] + ": " + error) << '\n';
        fine = false;
        continue;
      }
      const ContestLog log = format == LogFormat::adif ? readAdif(*bytes) : readCabrillo(*bytes);
      if (!log.problems.empty()) progress_.finish();
      for (const LogProblem& problem : log.problems)
        err_ << "rdac: " << name << ":" << problem.line << ": " << problem.message << '\n';
      fine = admit(files[n], log) && fine;
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
    const int earlier = logs_.entrantOf(logs_.calls.find(stationOf(log.ownCall)));
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
    const auto countries = loadCountryFile(o_.ctyPath.empty() ? "/usr/share/hamradio-files/cty.dat" : o_.ctyPath, err_);
    if (!countries) return false;
    WorkFolderPlan plan;
    plan.folder = fs::absolute(o_.workdir).lexically_normal().string();
    plan.districtsPath = o_.districtsPath.empty() ? std::string() : fs::absolute(o_.districtsPath).string();
    const std::string pluginPath = fs::absolute(o_.pluginPath.empty() ? defaultPluginPath() : o_.pluginPath).string();
    std::string note, error;
    const bool laidOut = layOutWorkFolder(plan, note, error);
    if (!note.empty()) err_ << "rdac: " << note << '\n';
    if (!laidOut || chdir(plan.folder.c_str()) != 0) {
      err_ << "rdac: " << (laidOut ? "cannot work in " + plan.folder : error) << '\n';
      return false;
    }
    auto plugin = PluginLibrary::open(pluginPath, error);
    if (!plugin) {
      err_ << "rdac: cannot load the plug-in " << pluginPath << ": " << error << '\n';
      return false;
    }
    const size_t entrants = logs_.entrants.size();
    scores = scoreEntrants(*plugin, *countries, logs_, outcome, o_.penalty,
                           [&](size_t done) { progress_.update("scored", done, entrants, "logs"); });
    progress_.finish();
    for (size_t e = 0; e < entrants; ++e)
      if (!scores[e].scored)
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

int crossCheckCommand(const Options& options, std::ostream& out, std::ostream& err) {
  return CrossCheckRun(options, out, err).run();
}

}  // namespace rdac
