#include "rdac/watch/log_watch.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "rdac/io/file_bytes.h"
#include "rdac/io/messages.h"
#include "rdac/io/paths.h"
#include "rdac/io/text_lines.h"
#include "rdac/logs/adif_reader.h"
#include "rdac/logs/log_files.h"
#include "rdac/logs/qso_fields.h"
#include "rdac/score/contest_run.h"
#include "rdac/score/report_page.h"
#include "rdac/score/result_numbers.h"
#include "rdac/watch/file_events.h"

namespace rdac {
namespace {

constexpr size_t kGuardBytes = 64;
// A batch larger than this (a logger importing a log) gets the score on its last line only:
// the result is recomputed from the whole log each time it is asked for.
constexpr size_t kScoredBatch = 100;

bool readRange(const std::string& path, uint64_t from, uint64_t to, std::string& bytes) {
  std::ifstream in(pathOf(path), std::ios::binary);
  if (!in) return false;
  bytes.resize(to - from);
  in.seekg(static_cast<std::streamoff>(from));
  return static_cast<bool>(in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())));
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
    result.change = taken_ > 0 ? Change::rewritten : Change::missing;
    return result;
  }
  const uint64_t size = state->size;
  const uint64_t inode = state->identity;
  if (taken_ > 0 && (inode != inode_ || size < taken_)) {
    result.change = Change::rewritten;
    return result;
  }
  inode_ = inode;
  if (size == taken_ || size > kMaxInputBytes) return result;
  const uint64_t from = taken_ - guard_.size();
  std::string bytes;
  if (!readRange(path, from, size, bytes)) return result;  // it changed while read: next time
  if (bytes.compare(0, guard_.size(), guard_) != 0) {
    result.change = Change::rewritten;
    return result;
  }
  const size_t end = endOfLastRecord(std::string_view(bytes).substr(guard_.size()));
  if (end == 0) return result;
  result.change = Change::appended;
  result.records = bytes.substr(guard_.size(), end);
  result.firstLine = lines_ + 1;
  for (char c : result.records) lines_ += c == '\n';
  taken_ += end;
  const size_t guardFrom = guard_.size() + end > kGuardBytes ? guard_.size() + end - kGuardBytes : 0;
  guard_ = bytes.substr(guardFrom, guard_.size() + end - guardFrom);
  return result;
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
