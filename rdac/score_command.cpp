#include "rdac/score_command.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iomanip>

#include "platform/edited_text.h"
#include "platform/text.h"
#include "rdac/io/file_bytes.h"
#include "rdac/io/messages.h"
#include "rdac/io/paths.h"
#include "rdac/io/text_lines.h"
#include "rdac/score/contest_report.h"
#include "rdac/score/report_page.h"
#include "rdac/score/work_folder.h"

namespace fs = std::filesystem;

namespace rdac {
namespace {

void addCabrilloOptions(CLI::App& command, RunOptions& o) {
  CLI::Option* cabrillo =
      command.add_flag("--cabrillo", o.cabrillo, "export run: the plug-in writes CALL.cbr into the work folder");
  command.add_option("--header-file", o.headerFiles, "Cabrillo header values, one 'LABEL: value' a line")
      ->type_name("FILE")
      ->needs(cabrillo);
  command.add_option("--header", o.headerValues,
                     "one Cabrillo header value (NAME, ADDRESS, ADDRESS-CITY, ADDRESS-POSTALCODE, "
                     "ADDRESS-COUNTRY, LOCATION, E-MAIL, CLUB, SOAPBOX, OPERATORS, CATEGORY-OPERATOR, "
                     "-BAND, -MODE, -POWER, -STATION, -TRANSMITTER; CATEGORY-MODE defaults to the "
                     "log's: MIXED when it holds CW and SSB)")
      ->type_name("KEY=VALUE")
      ->needs(cabrillo);
}

// Paths as the user gave them: relative to the folder rdac was started in.
std::string forUser(const std::string& path, const std::string& startFolder) {
  std::error_code ec;
  const fs::path relative = fs::relative(pathOf(path), pathOf(startFolder), ec);
  return ec || relative.empty() ? path : textOf(relative);
}

// Counts by reason only: a real log can put thousands of lines there, which the file keeps.
void printBadQsoSummary(const ContestRun& run, const std::string& startFolder, std::ostream& out) {
  const std::string path = badQsoFilePath(run.options().workdir, run.resetValues().contestEnd);
  std::string error;
  const auto bytes = readFileBytes(path, error);
  if (!bytes) {
    out << tr("Bad-QSO file {1}: not written", {forUser(path, startFolder)}) << '\n';
    return;
  }
  std::vector<std::string> entries;
  for (std::string& line : stats::textLines(stats::utf8OfWindows1251(*bytes)))  // the plug-in's file
    if (!line.empty()) entries.push_back(std::move(line));
  if (!entries.empty()) entries.erase(entries.begin());  // its title line
  out << tr("Bad-QSO file {1}: {2} line(s)", {forUser(path, startFolder), std::to_string(entries.size())}) << '\n';
  for (const auto& [reason, lines] : badQsosByReason(entries)) out << std::setw(7) << lines.size() << "  " << reason << '\n';
}

// Without the logger's settings file the plug-in knows no host version and names the logger
// twice ("Tarn Tarn"); the log was made by rdac, and a committee reading it should see that.
bool nameTheProgram(const std::string& cabrilloPath, std::string& error) {
  const std::string unknownHost = "\r\nCREATED-BY: Tarn Tarn\r\n";
  auto bytes = readFileBytes(cabrilloPath, error);
  if (!bytes) return false;
  const size_t at = bytes->find(unknownHost);
  if (at == std::string::npos) return true;
  bytes->replace(at, unknownHost.size(), "\r\nCREATED-BY: rdac " + std::string(kVersion) + " (Stats)\r\n");
  return replaceFileBytes(cabrilloPath, *bytes, error);
}

// The plug-in's page names no encoding; rdac hands it on in UTF-8 and says so.
std::string withUtf8Declared(std::string page) {
  const size_t head = page.find("<head>");
  if (head != std::string::npos) page.insert(head + 6, "<meta charset=\"utf-8\">");
  return page;
}

// Writes one of the result's pages; the exit code so far, or kFailed.
int writePage(const std::string& path, const std::string& bytes, const char* what, const std::string& startFolder,
              std::ostream& out, std::ostream& err, int exitCode) {
  std::string error;
  if (replaceFileBytes(path, bytes, error)) {
    out << tr(what, {forUser(path, startFolder)}) << '\n';
    return exitCode;
  }
  err << "rdac: " << error << '\n';
  return kFailed;
}

}  // namespace

void declareScoreOptions(CLI::App& command, ScoreOptions& o) {
  command.add_option("LOG", o.run.logPath, "the contest log")->type_name("FILE")->required();
  addRunOptions(command, o.run, o.dates);
  command.add_option("--html", o.htmlPath, "also write the plug-in's HTML result to FILE")->type_name("FILE");
  addReportOption(command, o.reportPath);
  addCabrilloOptions(command, o.run);
}

int runScore(const ScoreOptions& options, std::ostream& out, std::ostream& err) {
  std::error_code ec;
  const std::string startFolder = textOf(fs::current_path(ec));
  const std::string htmlPath = absolutePath(options.htmlPath), reportPath = absolutePath(options.reportPath);
  // The run leaves the start folder, so the pages are placed before it starts.
  RunOptions runOptions = options.run;
  runOptions.recordReport = !reportPath.empty();
  ContestRun run(runOptions);
  if (!run.start(err)) return kFailed;

  const auto started = std::chrono::steady_clock::now();
  out << forTerminal(run.plugin().result());
  int exitCode = kOk;
  // From the text result, so before the plug-in is switched to HTML.
  if (!reportPath.empty())
    exitCode = writePage(reportPath, reportPage(run.reportData()), "Report: {1}", startFolder, out, err, exitCode);
  if (!htmlPath.empty()) {
    run.plugin().switchToHtml();
    exitCode = writePage(htmlPath, withUtf8Declared(run.plugin().result()), "HTML result: {1}", startFolder, out, err,
                         exitCode);
  }
  out << '\n';
  printBadQsoSummary(run, startFolder, out);
  if (run.options().cabrillo) {
    const std::string cabrillo = cabrilloFilePath(run.options().workdir, run.resetValues().ownCall);
    std::string error;
    const bool written = fs::exists(pathOf(cabrillo), ec);
    if (written && !nameTheProgram(cabrillo, error)) {
      err << "rdac: " << error << '\n';
      exitCode = kFailed;
    } else if (written) {
      out << tr("Cabrillo file: {1}", {forUser(cabrillo, startFolder)}) << '\n';
    } else {
      err << "rdac: " << tr("the plug-in wrote no Cabrillo file {1}", {cabrillo}) << '\n';
      exitCode = kFailed;
    }
  }
  if (run.options().timings) {
    const StageTimes& t = run.times();
    const std::chrono::duration<double> result = std::chrono::steady_clock::now() - started;
    err << std::fixed << std::setprecision(3) << "rdac: " << run.log().qsos.size() << " QSOs read in "
        << t.read.count() << " s, resolved in " << t.resolve.count() << " s; " << run.fedCount() << " fed in "
        << t.feed.count() << " s; result in " << result.count() << " s\n";
  }
  return exitCode;
}

}  // namespace rdac
