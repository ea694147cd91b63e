#include "rdac/crosscheck/scoring_helper.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <type_traits>

#include "rdac/io/file_bytes.h"
#include "rdac/io/paths.h"
#include "rdac/logs/log_files.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

const char kJobTitle[] = "rdac scoring job 3\n";
const char kReplyEnd[] = "end\n";

// Numbers as decimal text, texts as their length and their bytes: a call or an exchange may
// hold any byte.
class JobWriter {
 public:
  JobWriter& number(int64_t value) {
    text_ += std::to_string(value) + ' ';
    return *this;
  }
  JobWriter& real(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g ", value);
    text_ += buffer;
    return *this;
  }
  JobWriter& text(const std::string& value) {
    text_ += std::to_string(value.size()) + ':' + value;
    return *this;
  }
  const std::string& written() const { return text_; }

 private:
  std::string text_;
};

class JobReader {
 public:
  explicit JobReader(const std::string& text, size_t from) : text_(text), at_(from) {}
  bool fine() const { return fine_; }

  int64_t number() {
    const std::string word = upTo(' ');
    char* end = nullptr;
    const long long value = std::strtoll(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0') fine_ = false;
    return value;
  }
  double real() {
    const std::string word = upTo(' ');
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (word.empty() || *end != '\0') fine_ = false;
    return value;
  }
  std::string text() {
    const std::string length = upTo(':');
    const size_t size = std::strtoull(length.c_str(), nullptr, 10);
    if (!fine_ || length.empty() || size > text_.size() - at_) {
      fine_ = false;
      return {};
    }
    std::string value = text_.substr(at_, size);
    at_ += size;
    return value;
  }

 private:
  const std::string& text_;
  size_t at_;
  bool fine_ = true;

  std::string upTo(char end) {
    const size_t found = text_.find(end, at_);
    if (!fine_ || found == std::string::npos) {
      fine_ = false;
      return {};
    }
    std::string word = text_.substr(at_, found - at_);
    at_ = found + 1;
    return word;
  }
};

// Every field of the check's policy, in the job text's order. The binding names each field, so
// a field added to CheckPolicy does not compile here until the job carries it too.
template <class Policy, class Visit>
void forEachPolicyField(Policy& policy, Visit&& visit) {
  auto& [window, clockWindow, largestClockOffset, bustWindow, creditedLogs, periodStart, periodEnd, partnerErrorsCount] =
      policy;
  visit(window), visit(clockWindow), visit(largestClockOffset), visit(bustWindow), visit(creditedLogs);
  visit(periodStart), visit(periodEnd), visit(partnerErrorsCount);
}

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

}  // namespace

bool scoreHere(const ScoringJob& job, std::vector<EntrantScore>& scores, std::ostream& err) {
  std::string error;
  std::error_code ec;
  std::filesystem::current_path(pathOf(job.folder), ec);
  if (ec) {
    err << "rdac: cannot work in " << job.folder << '\n';
    return false;
  }
  auto plugin = PluginLibrary::open(job.pluginPath, error);
  if (!plugin) {
    err << "rdac: cannot load the plug-in " << job.pluginPath << ": " << error << '\n';
    return false;
  }
  scoreEntrants(*plugin, job.countries, job.logs, job.outcome, job.penalty, job.first, job.last, job.claimedBefore,
                job.progress, scores);
  return true;
}

std::string scoringJobText(const ScoringJob& job, const std::vector<EntrantScore>& scores) {
  JobWriter w;
  w.text(job.folder).text(job.pluginPath).text(job.ctyPath).real(job.penalty);
  forEachPolicyField(job.policy, [&](const auto& field) { w.number(int64_t(field)); });
  const size_t claimed = std::clamp(job.claimedBefore, job.first, job.last) - job.first;
  w.number(int64_t(job.last - job.first)).number(int64_t(claimed));
  for (size_t e = job.first; e < job.last; ++e) {
    if (e < job.first + claimed) {
      const EntrantScore& s = scores[e];
      w.number(s.scored).number(s.claimedScore).number(s.claimedPoints).number(int64_t(s.claimedQsos));
    }
    const Entrant& entrant = job.logs.entrants[e];
    w.text(entrant.source).text(job.logs.calls.text(entrant.call)).number(int64_t(entrant.count));
    for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) {
      const LoggedQso q = job.logs.logged(job.logs.qsos[i]);
      w.number(job.logs.qsos[i].minute).number(q.freqHz).number(int(job.outcome.qsos[i].verdict));
      w.text(q.call).text(q.mode).text(q.band).text(q.rstSent).text(q.rstRcvd).text(q.exchSent).text(q.exchRcvd);
    }
  }
  return kJobTitle + w.written();
}

int runScoringJob(const std::string& jobPath, std::ostream& out, std::ostream& err) {
  std::string error;
  const auto text = readFileBytes(jobPath, error);
  if (!text || text->rfind(kJobTitle, 0) != 0) {
    err << "rdac: cannot read the scoring job " << jobPath << (text ? "" : ": " + error) << '\n';
    return 1;
  }
  JobReader r(*text, sizeof kJobTitle - 1);
  const std::string folder = r.text(), pluginPath = r.text(), ctyPath = r.text();
  const double penalty = r.real();
  CheckPolicy policy;
  forEachPolicyField(policy, [&](auto& field) { field = static_cast<std::decay_t<decltype(field)>>(r.number()); });
  const int64_t entrants = r.number(), claimed = r.number();
  SubmittedLogs logs;
  CheckOutcome outcome;
  outcome.partnerErrorsCount = policy.partnerErrorsCount;
  std::vector<EntrantScore> scores;
  for (int64_t e = 0; r.fine() && e < entrants; ++e) {
    EntrantScore& s = scores.emplace_back();
    if (e < claimed) {
      s.scored = r.number() != 0;
      s.claimedScore = r.number();
      s.claimedPoints = int(r.number());
      s.claimedQsos = size_t(r.number());
    }
    const std::string source = r.text(), call = r.text();
    std::vector<LoggedQso> qsos(size_t(std::max<int64_t>(0, r.number())));
    for (LoggedQso& q : qsos) {
      q.time = timeOfMinute(r.number());
      q.freqHz = uint32_t(r.number());
      const int64_t verdict = r.number();
      outcome.qsos.push_back(QsoCheck{Verdict(verdict >= 0 && verdict < kVerdictCount ? verdict : 0)});
      q.xQso = outcome.qsos.back().verdict == Verdict::xQso;
      q.call = r.text(), q.mode = r.text(), q.band = r.text(), q.rstSent = r.text(), q.rstRcvd = r.text();
      q.exchSent = r.text(), q.exchRcvd = r.text();
    }
    logs.add(source, call, qsos);  // in time order already, so the verdicts stay beside their QSOs
  }
  if (!r.fine()) {
    err << "rdac: the scoring job " << jobPath << " is cut short\n";
    return 1;
  }
  // The process that wrote the job has said already what the country file lacks.
  NullBuffer nothing;
  std::ostream quiet(&nothing);
  const auto countries = loadCountryFile(ctyPath, quiet);
  if (!countries) {
    err << "rdac: cannot read the country file " << ctyPath << '\n';
    return 1;
  }
  ScoringJob job{folder, pluginPath, *countries, logs, outcome, policy, penalty, 0, logs.entrants.size(), {}, {},
                 ctyPath};
  job.claimedBefore = size_t(std::clamp<int64_t>(claimed, 0, entrants));
  if (!scoreHere(job, scores, err)) return 1;
  for (const EntrantScore& s : scores)
    out << int(s.scored) << ' ' << s.claimedScore << ' ' << s.checkedScore << ' ' << s.claimedPoints << ' '
        << s.checkedPoints << ' ' << s.penaltyPoints << ' ' << s.claimedQsos << ' ' << s.checkedQsos << '\n';
  out << kReplyEnd << std::flush;
  return out ? 0 : 1;
}

bool takeJobScores(const std::string& reply, const ScoringJob& job, std::vector<EntrantScore>& scores) {
  std::istringstream lines(reply);
  std::vector<EntrantScore> taken(job.last - job.first);
  for (EntrantScore& s : taken) {
    int scored = 0;
    if (!(lines >> scored >> s.claimedScore >> s.checkedScore >> s.claimedPoints >> s.checkedPoints >>
          s.penaltyPoints >> s.claimedQsos >> s.checkedQsos))
      return false;
    s.scored = scored != 0;
  }
  std::string end;
  if (!(lines >> end) || end + '\n' != kReplyEnd) return false;
  std::copy(taken.begin(), taken.end(), scores.begin() + std::ptrdiff_t(job.first));
  return true;
}

}  // namespace rdac
