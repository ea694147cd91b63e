#include "rdac/watch/log_watch.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>

#include "rdac/io/file_bytes.h"
#include "rdac/io/messages.h"
#include "rdac/io/paths.h"
#include "rdac/io/text_lines.h"
#include "rdac/logs/adif_reader.h"
#include "rdac/logs/log_files.h"
#include "rdac/logs/log_text.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/score/contest_run.h"
#include "rdac/score/report_page.h"
#include "rdac/score/result_numbers.h"

namespace rdac {
namespace {

// A batch larger than this (a logger importing a log) gets the score on its last line only:
// the result is recomputed from the whole log each time it is asked for.
constexpr size_t kScoredBatch = 100;

// A logger writes its Cabrillo file once, when the contest is over; while it runs it appends
// to its ADIF log.
std::string cabrilloReason(const std::string& path) {
  return tr("{1} is a Cabrillo log, which a logger writes after the contest: follow the ADIF log it writes as it "
            "goes (score reads a Cabrillo log)",
            {path});
}

int dayOf(const stats::COleDateTime& time) { return static_cast<int>(std::floor(time.m_dt)); }

}  // namespace

size_t endOfLastRecord(std::string_view bytes) {
  for (size_t at = bytes.size(); at >= 5; --at) {
    const std::string_view tag = bytes.substr(at - 5, 5);
    if (tag[0] == '<' && tag[4] == '>' && (tag[1] | 0x20) == 'e' && (tag[2] | 0x20) == 'o' && (tag[3] | 0x20) == 'r')
      return at;
  }
  return 0;
}

AdifTail::Look AdifTail::look(const std::string& path) {
  Look result;
  const std::optional<FileState> state = regularFileState(path);
  if (!state) {
    result.change = taken_.empty() ? Change::missing : Change::rewritten;
    return result;
  }
  if (state == read_) return result;
  // Read whole, through a handle that shares everything and is closed at once: the logger
  // may save by renaming a new file over its log at any moment, and a rename over an open
  // file fails. A change during the read shows as another state next time.
  std::string error;
  const std::optional<std::string> bytes = readFileBytes(path, error);
  if (!bytes) return result;  // held or replaced while read: next time
  read_ = state;
  // Followed as text: a log saved as UTF-16 is compared and read as the UTF-8 it spells.
  const std::string text = textOfLogFile(std::move(*bytes));
  if (taken_.empty() && logFormatOf(path, text) == LogFormat::cabrillo) {
    result.change = Change::cabrillo;
    return result;
  }
  if (text.compare(0, taken_.size(), taken_) != 0) {
    result.change = Change::rewritten;
    return result;
  }
  const size_t end = endOfLastRecord(std::string_view(text).substr(taken_.size()));
  if (end == 0) return result;
  result.change = Change::appended;
  result.records = text.substr(taken_.size(), end);
  result.firstLine = lines_ + 1;
  for (char c : result.records) lines_ += c == '\n';
  taken_ += result.records;
  return result;
}

std::string unwatchableReason(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path file = pathOf(path);
  if (std::filesystem::is_directory(file, ec))
    return tr("{1} is a folder: name the ADIF log file in it that the logger writes", {path});
  const std::filesystem::path folder = file.parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
    return tr("the folder {1} does not exist: create it, or name the log in the folder the logger writes it to",
              {textOf(folder)});
  if (logFormatOf(path, "") == LogFormat::cabrillo) return cabrilloReason(path);
  return "";
}

namespace {

class Watch {
 public:
  Watch(const WatchOptions& options, std::ostream& out, std::ostream& err) : options_(options), out_(out), err_(err) {
    // The run works in its own folder; the log and the report stay where they were named.
    options_.run.logPath = absolutePath(options_.run.logPath);
    options_.reportPath = absolutePath(options_.reportPath);
    options_.run.recordReport = true;
  }

  int run() {
    const std::string unwatchable = unwatchableReason(options_.run.logPath);
    if (!unwatchable.empty()) {
      err_ << "rdac: " << unwatchable << '\n';
      return 1;
    }
    installStopHandlers();
    FolderWaiter waiter(textOf(pathOf(options_.run.logPath).parent_path()));
    bool waitingSaid = false;
    while (!stopRequested()) {
      const AdifTail::Look look = tail_.look(options_.run.logPath);
      // An empty file, as a logger creates it before the first QSO, waits as a missing one does.
      const bool nothingYet = look.change == AdifTail::Change::missing || (look.change == AdifTail::Change::none && !run_);
      if (nothingYet && !waitingSaid) {
        err_ << "rdac: " << tr("waiting for {1} to hold a whole QSO record", {options_.run.logPath}) << '\n';
        waitingSaid = true;
      }
      if (look.change == AdifTail::Change::cabrillo) {
        err_ << "rdac: " << cabrilloReason(options_.run.logPath) << '\n';
        return 1;
      }
      if (look.change == AdifTail::Change::rewritten) {
        out_ << "rdac: " << tr("{1} was rewritten: reset and reload", {options_.run.logPath}) << std::endl;
        reload();
        continue;
      }
      if (look.change == AdifTail::Change::appended && !take(look)) return 1;
      writeReportWhenDue(false);
      if (look.change != AdifTail::Change::appended) waiter.wait(options_.pollSeconds);
    }
    return stop();
  }

 private:
  using Clock = std::chrono::steady_clock;
  WatchOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  AdifTail tail_;
  std::unique_ptr<ContestRun> run_;
  bool reportDirty_ = false;
  Clock::time_point lastWrite_{};

  void reload() {
    if (run_) options_.run = run_->options();  // its paths are absolute; it left the start folder
    run_.reset();
    tail_.restart();
  }

  bool take(const AdifTail::Look& look) {
    if (!run_) return startRun(look.records);
    ContestLog appended = readAdif(look.records);
    reportLogProblems(err_, options_.run.logPath, appended.problems, look.firstLine);
    run_->giveSentExchange(appended.qsos, err_);
    // The result names the contest's last day; a QSO after it restarts the run, as an edit does.
    if (!options_.run.contestEnd)
      for (const LoggedQso& qso : appended.qsos)
        if (dayOf(qso.time) > dayOf(run_->resetValues().contestEnd)) {
          out_ << "rdac: " << tr("a QSO on a later day: reset and reload") << std::endl;
          reload();
          return true;
        }
    const size_t count = appended.qsos.size();
    for (size_t i = 0; i < count; ++i) {
      const LoggedQso& qso = appended.qsos[i];
      const std::optional<int> code = run_->feedLive(qso);
      out_ << qsoTimeText(qso.time) << "  " << qso.call << "  " << qso.band << ' ' << qso.mode << "  "
           << (code ? checkAnswerWords(*code) : tr("not scored: no country"));
      if (count <= kScoredBatch || i + 1 == count) out_ << "  " << tr("score {1}", {std::to_string(currentScore())});
      out_ << std::endl;
    }
    reportDirty_ = true;
    return true;
  }

  bool startRun(const std::string& bytes) {
    run_ = std::make_unique<ContestRun>(options_.run);
    if (!run_->start(err_, &bytes)) return false;
    out_ << "rdac: "
         << tr("{1} QSO(s) in {2}, score {3}; following it (Ctrl+C stops)",
               {std::to_string(run_->log().qsos.size()), options_.run.logPath, std::to_string(currentScore())})
         << std::endl;
    reportDirty_ = true;
    return true;
  }

  int64_t currentScore() {
    const auto numbers = readResultNumbers(run_->plugin().result());
    return numbers ? numbers->score : 0;
  }

  void writeReportWhenDue(bool now) {
    if (!run_ || options_.reportPath.empty() || !reportDirty_) return;
    if (!now && Clock::now() - lastWrite_ < std::chrono::duration<double>(options_.reportEverySeconds)) return;
    ReportData data = run_->reportData();
    data.refreshSeconds = now ? 0 : std::max(2, static_cast<int>(std::ceil(options_.reportEverySeconds)));
    std::string error;
    if (!replaceFileBytes(options_.reportPath, reportPage(data), error)) err_ << "rdac: " << error << '\n';
    lastWrite_ = Clock::now();
    reportDirty_ = false;
  }

  int stop() {
    if (!run_) return 0;
    out_ << '\n';
    out_ << forTerminal(run_->plugin().result());
    reportDirty_ = true;
    writeReportWhenDue(true);
    if (!options_.reportPath.empty()) out_ << tr("Report: {1}", {options_.reportPath}) << '\n';
    out_.flush();
    return 0;
  }
};

}  // namespace

int watchLog(const WatchOptions& options, std::ostream& out, std::ostream& err) {
  return Watch(options, out, err).run();
}

}  // namespace rdac
