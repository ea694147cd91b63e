// rdac: scores a contest log through the plug-in's exports, as the logger would.
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "host/contest_run.h"
#include "host/cross_check_command.h"
#include "host/file_bytes.h"
#include "host/log_watch.h"
#include "host/options.h"
#include "host/report_page.h"
#include "host/text_lines.h"
#include "host/work_folder.h"

namespace fs = std::filesystem;
using namespace rdac;

namespace {

enum ExitCode { kOk = 0, kFailed = 1, kBadArguments = 2 };

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
    pos = end + 1;
  }
  return out;
}

// Paths as the user gave them: relative to the folder rdac was started in.
std::string forUser(const fs::path& path, const std::string& startFolder) {
  std::error_code ec;
  const fs::path relative = fs::relative(path, startFolder, ec);
  return ec || relative.empty() ? path.string() : relative.string();
}

void printBadQsoSummary(const ContestRun& run, const std::string& startFolder) {
  const std::string path = badQsoFilePath(run.options().workdir, run.resetValues().contestEnd);
  std::string error;
  const auto bytes = readFileBytes(path, error);
  if (!bytes) {
    std::cout << "Bad-QSO file " << forUser(path, startFolder) << ": not written\n";
    return;
  }
  std::vector<std::string> entries = lines(*bytes);
  if (!entries.empty()) entries.erase(entries.begin());  // its title line
  std::cout << "Bad-QSO file " << forUser(path, startFolder) << ": " << entries.size() << " line(s)\n";
  for (const std::string& line : entries) std::cout << "  " << line << '\n';
}

int score(ContestRun& run, const std::string& startFolder) {
  const auto started = std::chrono::steady_clock::now();
  std::cout << forTerminal(run.plugin().result());
  const Options& options = run.options();
  int exitCode = kOk;
  // From the text result, so before the plug-in is switched to HTML.
  if (!options.reportPath.empty()) {
    std::string error;
    if (replaceFileBytes(options.reportPath, reportPage(run.reportData()), error)) {
      std::cout << "Report: " << forUser(options.reportPath, startFolder) << '\n';
    } else {
      std::cerr << "rdac: " << error << '\n';
      exitCode = kFailed;
    }
  }
  if (!options.htmlPath.empty()) {
    run.plugin().switchToHtml();
    std::string error;
    if (replaceFileBytes(options.htmlPath, run.plugin().result(), error)) {
      std::cout << "HTML result: " << forUser(options.htmlPath, startFolder) << '\n';
    } else {
      std::cerr << "rdac: " << error << '\n';
      exitCode = kFailed;
    }
  }
  std::cout << '\n';
  printBadQsoSummary(run, startFolder);
  if (options.cabrillo) {
    const std::string cabrillo = cabrilloFilePath(options.workdir, run.resetValues().ownCall);
    if (fs::exists(cabrillo)) {
      std::cout << "Cabrillo file: " << forUser(cabrillo, startFolder) << '\n';
    } else {
      std::cerr << "rdac: the plug-in wrote no Cabrillo file " << cabrillo << '\n';
      exitCode = kFailed;
    }
  }
  if (options.timings) {
    const StageTimes& t = run.times();
    const std::chrono::duration<double> result = std::chrono::steady_clock::now() - started;
    std::cerr << std::fixed << std::setprecision(3) << "rdac: " << run.log().qsos.size()
              << " QSOs read in " << t.read.count() << " s, resolved in "
              << t.resolve.count() << " s; " << run.fedCount() << " fed in " << t.feed.count()
              << " s; result in " << result.count() << " s\n";
  }
  return exitCode;
}

int check(ContestRun& run) {
  const Options& options = run.options();
  const auto country = run.resolve(options.checkCall);
  if (!country)
    std::cerr << "rdac: " << options.checkCall << " has no country in the country file; checked without a prefix\n";
  const std::string prefix = country ? country->prefix : std::string();
  // As when the operator opens the plug-in's window: its setup takes "Use hint" on.
  run.plugin().runCommand("SHOWINFO");
  const CheckAnswer answer = run.plugin().checkCall(options.checkCall, options.checkMode, prefix, options.checkBand);
  std::cout << options.checkCall << " (" << (prefix.empty() ? "no prefix" : prefix) << ") on "
            << options.checkBand << " " << options.checkMode << ": " << checkAnswerWords(answer.code) << '\n';
  if (!answer.hint.empty()) std::cout << "hint: " << answer.hint << '\n';
  return kOk;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!parseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::cerr << "rdac: " << error << '\n';
    return kBadArguments;
  }
  if (options.command == Options::Command::help) {
    std::cout << options.helpText;
    return kOk;
  }
  if (options.command == Options::Command::watch) return watchLog(options, std::cout, std::cerr);
  if (options.command == Options::Command::crosscheck) return crossCheckCommand(options, std::cout, std::cerr);
  std::error_code ec;
  const std::string startFolder = fs::current_path(ec).string();
  ContestRun run(options);
  if (!run.start(std::cerr)) return kFailed;
  return options.command == Options::Command::score ? score(run, startFolder) : check(run);
}
