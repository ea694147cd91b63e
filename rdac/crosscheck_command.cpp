#include "rdac/crosscheck_command.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <iomanip>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "platform/text.h"
#include "rdac/crosscheck/call_edits.h"
#include "rdac/crosscheck/cross_check_files.h"
#include "rdac/crosscheck/committee_pages.h"
#include "rdac/crosscheck/scoring_helper.h"
#include "rdac/crosscheck/standings.h"
#include "rdac/io/file_bytes.h"
#include "rdac/io/paths.h"
#include "rdac/io/process_info.h"
#include "rdac/io/progress_line.h"
#include "rdac/logs/log_files.h"
#include "rdac/logs/log_read_ahead.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/logs/qso_limits.h"
#include "rdac/score/contest_run.h"
#include "rdac/score/work_folder.h"

namespace fs = std::filesystem;

namespace rdac {
namespace {

using Clock = std::chrono::steady_clock;

// Sets `flag` however the scope is left, so that a thread watching it stops: a step that throws
// or fails does not wait for all of that thread's work.
struct SetOnLeaving {
  std::atomic<bool>& flag;
  ~SetOnLeaving() { flag = true; }
};

// When the file was last written; the earliest time when that cannot be had.
fs::file_time_type modifiedTime(const std::string& file) {
  std::error_code ec;
  const fs::file_time_type time = fs::last_write_time(pathOf(file), ec);
  return ec ? fs::file_time_type::min() : time;
}

class CrossCheckRun {
 public:
  CrossCheckRun(const CrossCheckOptions& options, std::ostream& out, std::ostream& err)
      : o_(options), out_(out), err_(err), progress_(err, standardErrorIsTerminal()) {}

  int run() {
    const auto started = Clock::now();
    const std::string outDir = absolutePath(o_.outDir), reportDir = absolutePath(o_.reportDir);
    if (!readLogs() || !takeCommitteeCategories()) return 1;
    stage("read", started);

    CheckPolicy policy;
    policy.windowMinutes = o_.windowMinutes;
    policy.clockWindowMinutes = std::max(o_.clockWindowMinutes, o_.windowMinutes);
    policy.largestClockOffset = o_.largestClockOffset;
    policy.bustWindowMinutes = std::max(o_.bustWindowMinutes, o_.windowMinutes);
    policy.creditedLogs = o_.creditedLogs;
    policy.periodStart = o_.periodStart;
    policy.periodEnd = o_.periodEnd;
    policy.partnerErrorsCount = o_.partnerErrorsCount;
    const auto checking = Clock::now();
    const size_t total = logs_.qsos.size();
    ScoringPlan plan;
    if (!planScoring(plan)) return 1;
    // The claimed scores need no check: the other core has them while it runs.
    std::vector<EntrantScore> scores;
    std::atomic<bool> checked{false};
    auto claimed = std::async(std::launch::async, [&] { return scoreClaimed(plan, checked, scores); });
    SetOnLeaving stopClaimed{checked};
    const CheckOutcome outcome =
        crossCheck(logs_, policy, [&](size_t pairs) { progress_.update("paired", 2 * pairs, total); });
    checked = true;
    const size_t claimedBefore = claimed.get();
    progress_.finish();
    stage("checked", checking);

    std::error_code ec;
    fs::create_directories(pathOf(outDir), ec);
    if (ec) {
      err_ << "rdac: cannot make the folder " << outDir << ": " << ec.message() << '\n';
      return 1;
    }
    // The verdicts need no score: the largest file is begun in the time scoring leaves a core
    // idle, once the second process runs. What is left of it is written after, beside the other
    // files, at the usual priority: a thread in idle time waits as long as anything else on the
    // machine keeps the cores busy.
    const CrossCheckReport report{logs_, outcome, scores};
    CheckedCsvFile csv(report, outDir + "/checked.csv");
    {
      std::atomic<bool> scored{false};
      std::future<void> begun;  // left after the flag is set: std::async's future waits for its thread
      SetOnLeaving pauseCsv{scored};
      const auto beginCsv = [&] {
        begun = std::async(std::launch::async, [&] {
          runThisThreadInIdleTime();
          csv.writeRows(&scored);
        });
      };
      const auto scoring = Clock::now();
      if (!score(plan, policy, outcome, claimedBefore, beginCsv, scores)) return 1;
      stage("scored", scoring);
    }

    const auto writing = Clock::now();
    std::vector<std::string> written;
    const bool allWritten = writeOutputs(report, csv, outDir, reportDir, written);
    stage("written", writing);
    summarise(outcome, o_.outDir, written);
    if (o_.timings) {
      err_ << std::fixed << std::setprecision(3) << "rdac: " << logs_.entrants.size() << " logs, " << total
           << " QSOs:";
      for (const auto& [what, seconds] : times_) err_ << ' ' << what << " in " << seconds << " s;";
      err_ << " all in " << std::chrono::duration<double>(Clock::now() - started).count() << " s\n";
    }
    return allWritten ? 0 : 1;
  }

 private:
  const CrossCheckOptions& o_;
  std::ostream& out_;
  std::ostream& err_;
  ProgressLine progress_;
  SubmittedLogs logs_;
  std::vector<std::string> skippedFiles_;  // not logs, or logs of no station
  std::vector<bool> replaced_;             // by entrant: a later log of its station came
  std::vector<fs::file_time_type> modified_;  // by entrant
  std::vector<std::string> replacedFiles_;    // "OLD.log (by NEW.log)"
  std::vector<std::pair<std::string, double>> times_;

  // The files depend on none of each other: the largest ones are written side by side, the
  // rest of checked.csv with them. A file that cannot be written costs itself only: the
  // committee gets every other one. `written` names what was.
  bool writeOutputs(const CrossCheckReport& report, CheckedCsvFile& checkedCsv, const std::string& outDir,
                    const std::string& reportDir, std::vector<std::string>& written) {
    const bool pages = !o_.reportDir.empty();
    std::string csvError, englishError, error;
    auto csv = std::async(std::launch::async, [&] {
      checkedCsv.writeRows();
      return checkedCsv.commit(csvError);
    });
    std::future<bool> english;
    if (pages)
      english = std::async(std::launch::async,
                           [&] { return writeCommitteePages(report, reportDir, PageLanguage::english, englishError); });
    std::vector<std::string> failures;
    const UbnFilesWritten ubns = writeUbnFiles(report, outDir);
    failures.insert(failures.end(), ubns.failures.begin(), ubns.failures.end());
    const bool results = writeResultsCsv(report, outDir + "/results.csv", error);
    if (!results) failures.push_back(error);
    if (pages && !writeCommitteePages(report, reportDir, PageLanguage::russian, error)) failures.push_back(error);
    const bool csvWritten = csv.get();
    if (!csvWritten) failures.push_back(csvError);
    if (pages && !english.get()) failures.push_back(englishError);
    for (const std::string& failure : failures) err_ << "rdac: " << failure << '\n';
    if (csvWritten) written.push_back("checked.csv");
    if (results) written.push_back("results.csv");
    written.push_back(std::to_string(ubns.written) + " UBN file(s)");
    return failures.empty();
  }

  void stage(const char* what, Clock::time_point since) {
    times_.emplace_back(what, std::chrono::duration<double>(Clock::now() - since).count());
  }

  bool readLogs() {
    std::vector<std::string> files;
    if (!collectLogFiles(o_.logPaths, files, err_)) return false;
    makeRoomForQsos(files);
    bool fine = true;
    // Reading and parsing run ahead on other threads; the logs are taken in file order.
    LogReadAhead ahead(files);
    for (size_t n = 0; n < files.size(); ++n) {
      LogFileRead read = ahead.takeNext();
      progress_.update("read", n + 1, files.size(), "logs");
      if (!read.log) {
        progress_.finish();
        err_ << "rdac: " << read.problem << (read.bytes ? ": skipped" : "") << '\n';
        // A stray file in the folder is the sender's slip, not a reason to stop the contest's check.
        if (read.bytes) skippedFiles_.push_back(fs::path(files[n]).filename().string());
        else fine = false;
        continue;
      }
      if (!read.log->problems.empty()) progress_.finish();
      const std::string name = textOf(pathOf(files[n]).filename());
      reportLogProblems(err_, name, read.log->problems);
      admit(files[n], *read.log);
    }
    progress_.finish();
    logs_.drop(replaced_);
    if (fine && logs_.entrants.empty()) err_ << "rdac: no log to check\n";
    return fine && !logs_.entrants.empty();
  }

  // Room for about as many QSOs as the files hold lines of them, made once: grown by doubling,
  // the QSOs of a large contest would move at every step and need half as much again meanwhile.
  // Room not filled is address space, not memory; where even that is short, they grow as before.
  void makeRoomForQsos(const std::vector<std::string>& files) {
    uint64_t expected = 0;
    for (const std::string& file : files) {
      std::error_code ec;
      const uintmax_t bytes = fs::file_size(pathOf(file), ec);
      if (!ec) expected += bytes / (isAdifName(file) ? 150 : 60);
    }
    try {
      logs_.qsos.reserve(size_t(std::min<uint64_t>(expected, logs_.qsos.max_size())));
    } catch (const std::exception&) {
    }
  }

  // One log per station. Entrants resend corrected logs: of two logs of one station (portable
  // suffixes aside) the later written is checked, of two written at once the one given later, and
  // the other is named as replaced. A log that names no station, holds no QSO or could mostly not
  // be read is set aside with one line saying so.
  void admit(const std::string& file, ContestLog& log) {
    const std::string name = fs::path(file).filename().string();
    const bool tooLong = log.ownCall.size() > kLongestCall;
    const std::string ownCall = tooLong ? std::string() : stationCall(file, log.ownCall);
    if (ownCall.empty()) {
      progress_.finish();
      err_ << "rdac: " << file
           << (tooLong ? " names a call of " + std::to_string(log.ownCall.size()) + " characters, longer than any"
                       : std::string(" does not name its station (CALLSIGN:, STATION_CALLSIGN or OPERATOR)"))
           << ": skipped\n";
      skippedFiles_.push_back(name);
      return;
    }
    const size_t lines = log.qsos.size() + log.skippedQsos;
    if (log.qsos.empty() || log.skippedQsos > log.qsos.size()) {
      const std::string why = lines == 0 ? "holds no QSO" : readText(log);
      progress_.finish();
      err_ << "rdac: " << file << ": " << ownCall << " " << why
           << ": not checked; its partners are judged as if it had sent no log\n";
      logs_.setAside(file, ownCall, why);
      return;
    }
    const fs::file_time_type modified = modifiedTime(file);
    const int earlier = logs_.entrantOf(logs_.calls.find(std::string(stationOf(ownCall))));
    if (earlier >= 0) {
      const Entrant& other = logs_.entrants[size_t(earlier)];
      const bool later = modified >= modified_[size_t(earlier)];
      const std::string& kept = later ? file : other.source;
      const std::string& dropped = later ? other.source : file;
      progress_.finish();
      err_ << "rdac: two logs of " << stationOf(ownCall) << ": " << other.source << " and " << file << "; " << kept
           << ", written later, is checked\n";
      replacedFiles_.push_back(textOf(pathOf(dropped).filename()) + " (by " + textOf(pathOf(kept).filename()) + ")");
      if (!later) return;
      replaced_[size_t(earlier)] = true;
    }
    std::vector<LoggedQso>& qsos = log.qsos;
    const auto stated = o_.sentExchanges.find(std::string(stationOf(ownCall)));
    const size_t without = fillSentExchange(qsos, stated == o_.sentExchanges.end() ? std::string() : stated->second);
    if (without > 0) {
      progress_.finish();
      err_ << "rdac: " << file << ": " << noSentExchangeNote(without, qsos.size(), "--sent-exchange CALL=EXCH")
           << '\n';
    }
    logs_.add(file, ownCall, qsos);
    replaced_.push_back(false);
    modified_.push_back(modified);
    logs_.entrants.back().skipped = log.skippedQsos;
    logs_.entrants.back().category = categoryOfHeader(log.category);
    logs_.entrants.back().checklog = log.checklog || isChecklogCategory(logs_.entrants.back().category);
    if (onlyAPrefix(log.ownCall)) logs_.entrants.back().prefixOnlyCall = log.ownCall;
  }

  // The committee's word on a category is the last: it may also rank a log sent as a checklog.
  bool takeCommitteeCategories() {
    if (o_.categoriesPath.empty()) return true;
    std::unordered_map<std::string, std::string> byStation;
    if (!readCategoryFile(o_.categoriesPath, byStation, err_)) return false;
    for (Entrant& entrant : logs_.entrants) {
      const auto given = byStation.find(std::string(stationOf(logs_.calls.text(entrant.call))));
      if (given == byStation.end()) continue;
      entrant.category = given->second;
      entrant.checklog = isChecklogCategory(entrant.category);
      byStation.erase(given);
    }
    for (const auto& [station, category] : byStation)
      err_ << "rdac: " << o_.categoriesPath << " gives " << station << " a category, but no log of it was checked\n";
    return true;
  }

  // A header's call that is only a prefix (RN0) most likely lost its letters on the way; the
  // file's name, when it is a call starting with that prefix, says whose log it is.
  std::string stationCall(const std::string& file, const std::string& headerCall) {
    if (!onlyAPrefix(headerCall)) return headerCall;
    const std::string named = callOfFileName(fs::path(file).filename().string(), headerCall);
    progress_.finish();
    err_ << "rdac: " << file << ": its call " << headerCall << " is only a prefix; "
         << (named.empty() ? "checked under it" : "checked as " + named + ", its file's name") << '\n';
    return named.empty() ? headerCall : named;
  }

  static std::string readText(const ContestLog& log) {
    return "read " + std::to_string(log.qsos.size()) + " of " + std::to_string(log.qsos.size() + log.skippedQsos) +
           " QSO lines";
  }

  struct ScoringPlan {
    std::string ctyPath, pluginPath;
    std::optional<CountryFile> countries;
    WorkFolderPlan own, second;
  };

  // The country file read, the areas known and both work folders laid out.
  bool planScoring(ScoringPlan& s) {
    const std::string ctyPath = o_.ctyPath.empty() ? defaultCountryFile() : o_.ctyPath;
    s.ctyPath = absolutePath(ctyPath);
    s.countries = loadCountryFile(ctyPath, err_);
    if (!s.countries) return false;
    for (Entrant& entrant : logs_.entrants) entrant.area = areaOf(entrant, logs_, *s.countries);
    s.own.folder = absolutePath(o_.workdir);
    s.own.districtsPath = absolutePath(o_.districtsPath);
    s.pluginPath = absolutePath(o_.pluginPath.empty() ? defaultPluginPath() : o_.pluginPath);
    std::string note, error;
    const bool laidOut = layOutWorkFolder(s.own, note, error);
    if (!note.empty()) err_ << "rdac: " << note << '\n';
    // The plug-in's state is process-wide, so a second process scores part of the logs, in a
    // work folder of its own.
    s.second = s.own;
    s.second.folder += "/second";
    s.second.districtsPath = s.own.folder + "/Plugins/rda_rus.dat";
    if (!laidOut || !layOutWorkFolder(s.second, note, error)) {
      err_ << "rdac: " << error << '\n';
      return false;
    }
    return true;
  }

  // Claimed scores in this process's work folder until `stop`; how many entrants have theirs.
  // The plug-in is unloaded again, its window thread with it, before the helper is forked. One
  // that cannot be loaded is said when scoring proper tries.
  size_t scoreClaimed(const ScoringPlan& s, const std::atomic<bool>& stop, std::vector<EntrantScore>& scores) {
    // The check keeps both cores where it can; this fills the time it leaves one idle. What it
    // does not reach is scored after the check in one feeding, as cheaply.
    runThisThreadInIdleTime();
    std::error_code ec;
    fs::current_path(pathOf(s.own.folder), ec);
    std::string error;
    const auto plugin = ec ? nullptr : PluginLibrary::open(s.pluginPath, error);
    return plugin ? scoreClaimedWhile(*plugin, *s.countries, logs_, stop, scores) : 0;
  }

  // Where the helper's share of the entrants starts: this process keeps as much plug-in work as
  // it gives away. A reset and a result, with the files the plug-in writes at each, cost about
  // as much as feeding it kResetCost QSOs.
  size_t helperShareStart(const CheckOutcome& outcome, size_t claimedBefore) const {
    constexpr size_t kResetCost = 500;
    std::vector<size_t> work(logs_.entrants.size());
    size_t all = 0;
    for (size_t e = 0; e < work.size(); ++e) {
      const Entrant& entrant = logs_.entrants[e];
      size_t counted = 0, claimed = 0;
      for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) {
        counted += outcome.countsQso(i);
        claimed += !logs_.qsos[i].xQso;
      }
      const bool oneFeeding = counted == claimed;
      if (e < claimedBefore) work[e] = oneFeeding && o_.penalty == 0 ? 0 : kResetCost + entrant.count;
      else work[e] = oneFeeding ? kResetCost + entrant.count : 2 * (kResetCost + entrant.count);
      all += work[e];
    }
    size_t start = 0;
    for (size_t kept = 0; start < work.size() && 2 * (kept + work[start]) <= all; ++start) kept += work[start];
    return start;
  }

  // `started` runs once the second process does.
  bool score(const ScoringPlan& s, const CheckPolicy& policy, const CheckOutcome& outcome, size_t claimedBefore,
             const std::function<void()>& started, std::vector<EntrantScore>& scores) {
    const size_t entrants = logs_.entrants.size(), split = helperShareStart(outcome, claimedBefore);
    const auto progress = [&](size_t done) {
      progress_.update("scored", std::min(entrants, done * entrants / std::max<size_t>(split, 1)), entrants, "logs");
    };
    ScoringJob own{s.own.folder, s.pluginPath, *s.countries, logs_, outcome, policy, o_.penalty, 0, split, progress,
                   [&] { progress_.finish(); }, s.ctyPath};
    own.claimedBefore = claimedBefore;
    own.started = started;
    ScoringJob helped{s.second.folder, s.pluginPath, *s.countries, logs_, outcome, policy, o_.penalty, split,
                      entrants, {}, {}, s.ctyPath};
    helped.claimedBefore = claimedBefore;
    if (!scoreWithHelper(own, helped, scores, err_)) return false;
    for (size_t e = 0; e < entrants; ++e)
      if (!scores[e].scored && logs_.entrants[e].count > 0)
        err_ << "rdac: " << logs_.calls.text(logs_.entrants[e].call)
             << " has no country in the country file: its log is not scored\n";
    return true;
  }

  void summarise(const CheckOutcome& outcome, const std::string& outDir, const std::vector<std::string>& written) {
    size_t perVerdict[kVerdictCount] = {};
    for (const QsoCheck& check : outcome.qsos) ++perVerdict[int(check.verdict)];
    out_ << logs_.entrants.size() << " logs, " << logs_.qsos.size() << " QSOs checked:";
    for (int v = 0; v < kVerdictCount; ++v)
      if (perVerdict[v]) out_ << ' ' << verdictName(Verdict(v)) << ' ' << perVerdict[v];
    out_ << '\n';
    std::string offsets, timeless, partlyRead, checklogs, notChecked, files;
    for (size_t e = 0; e < logs_.entrants.size(); ++e) {
      const Entrant& entrant = logs_.entrants[e];
      const std::string& call = logs_.calls.text(entrant.call);
      const ClockModel& clock = outcome.clocks[e];
      const std::string ahead = aheadText(clock, entrant, logs_);
      if (clock.timeless) timeless += " " + call;
      else if (ahead != "0") offsets += " " + call + " " + ahead;
      if (entrant.skipped)
        partlyRead += " " + call + " (read " + std::to_string(entrant.count) + " of " +
                      std::to_string(entrant.count + entrant.skipped) + ")";
      if (entrant.checklog) checklogs += " " + call;
    }
    for (const SetAsideLog& log : logs_.setAsideLogs) notChecked += " " + logs_.calls.text(log.call) + " (" + log.why + ")";
    for (const std::string& file : skippedFiles_) files += " " + file;
    out_ << "Clock offsets (minutes ahead):" << (offsets.empty() ? std::string(" none") : offsets) << '\n';
    if (!timeless.empty())
      out_ << "Logs without usable times, paired by call, band, mode and order:" << timeless << '\n';
    if (!partlyRead.empty()) out_ << "QSO lines skipped in:" << partlyRead << '\n';
    if (!notChecked.empty()) out_ << "Not checked, their partners judged as if they had sent none:" << notChecked << '\n';
    if (!files.empty()) out_ << "Files skipped, no log of a station:" << files << '\n';
    std::string replaced;
    for (const std::string& file : replacedFiles_) replaced += " " + file;
    if (!replaced.empty()) out_ << "Replaced by a later log of the same station:" << replaced << '\n';
    if (!checklogs.empty()) out_ << "Checklogs, not ranked:" << checklogs << '\n';
    out_ << "Written to " << outDir << ':';
    for (size_t i = 0; i < written.size(); ++i) out_ << (i ? ", " : " ") << written[i];
    out_ << '\n';
    if (!o_.reportDir.empty())
      out_ << "Pages in " << o_.reportDir << ": index.html (Russian), index-en.html (English), a page per log in log/\n";
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
  command.add_option("--report", o.reportDir,
                     "also write the results as web pages there, in Russian and English: the ranking by "
                     "category and area, and a page per log")
      ->type_name("DIR");
  command.add_option("--categories", o.categoriesPath,
                     "the committee's categories, a call and its category a line; they give or override "
                     "what the logs' headers say")
      ->type_name("FILE");
  addDistrictsOption(command, o.districtsPath, "RDA district table or the publisher's list");
  command.add_option("--window-minutes", o.windowMinutes,
                     "most minutes two logs' times of one QSO may differ after clock offsets (default 3)")
      ->check(CLI::Range(0, 60));
  command.add_option("--clock-window", o.clockWindowMinutes,
                     "most minutes apart, after clock offsets, that a QSO beyond the window is a time "
                     "mismatch rather than a NIL (default 30)")
      ->check(CLI::Range(1, 240));
  command.add_option("--largest-clock-offset", o.largestClockOffset,
                     "most minutes a log's clock may be off and be found and corrected (default 120)")
      ->check(CLI::Range(0, 720));
  command.add_option("--bust-window", o.bustWindowMinutes,
                     "most minutes apart, after clock offsets, that a busted call is paired with the "
                     "QSO it was meant for (default 10)")
      ->check(CLI::Range(0, 240));
  command.add_option("--credited-after", o.creditedLogs,
                     "a station that sent no log counts when this many logs hold its call (default 3)")
      ->check(CLI::Range(1, 1000000));
  command.add_option("--penalty", o.penalty,
                     "times its points taken off for each own busted call, busted exchange or NIL (default 0)")
      ->check(CLI::Range(0.0, 100.0));
  command.add_flag("--count-partner-errors", o.partnerErrorsCount,
                   "partner_error QSOs count: the other station's slip costs nothing (default: they do not)");
  command.add_option("--start", o.startText,
                     "contest start, UTC; QSOs outside the period are out_of_period (default: none is)")
      ->type_name("\"YYYY-MM-DD HH:MM\"");
  command.add_option("--end", o.endText, "contest end, UTC (default: 24 hours after --start)")
      ->type_name("\"YYYY-MM-DD HH:MM\"");
  command.add_option("--sent-exchange", o.sentExchangeTexts,
                     "a station's own exchange sent, for the QSOs its log gives none (repeat per station)")
      ->type_name("CALL=EXCH");
  addWorkdirOption(command, o.workdir);
  addCtyOption(command, o.ctyPath);
  addPluginOption(command, o.pluginPath);
  addTimingsOption(command, o.timings);
}

bool CrossCheckOptions::finish(std::string& error) {
  constexpr int64_t kDay = 24 * 60;
  for (auto [name, text, minute] : {std::tuple{"--start", &startText, &periodStart}, std::tuple{"--end", &endText, &periodEnd}}) {
    if (text->empty()) continue;
    const std::optional<stats::COleDateTime> time = optionTime(*text, true);
    if (!time) {
      error = std::string(name) + " wants a UTC time written \"YYYY-MM-DD HH:MM\" or a date YYYY-MM-DD, not '" + *text + "'";
      return false;
    }
    *minute = minuteOf(*time);
  }
  if (startText.empty() != endText.empty()) {
    if (startText.empty()) periodStart = periodEnd - kDay;
    else periodEnd = periodStart + kDay;
  }
  if (periodEnd <= periodStart) {
    error = "--end must come after --start";
    return false;
  }
  for (const std::string& text : sentExchangeTexts) {
    const size_t equals = text.find('=');
    const std::string call = normalisedCall(text.substr(0, std::min(equals, text.size())));
    if (equals == std::string::npos || call.empty() || stats::trimmed(text.substr(equals + 1)).empty()) {
      error = "--sent-exchange wants CALL=EXCH, not '" + text + "'";
      return false;
    }
    sentExchanges[std::string(stationOf(call))] = text.substr(equals + 1);
  }
  return true;
}

int runCrossCheck(const CrossCheckOptions& options, std::ostream& out, std::ostream& err) {
  return CrossCheckRun(options, out, err).run();
}

}  // namespace rdac
