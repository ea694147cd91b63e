#include "rdac/check_command.h"

#include <CLI/CLI.hpp>

#include "rdac/io/messages.h"
#include "rdac/logs/band_plan.h"
#include "rdac/logs/qso_fields.h"

namespace rdac {
namespace {

// Modes a log may hold besides the contest's, which the plug-in answers for too.
bool isMode(const std::string& mode) {
  static const char* const kModes[] = {"CW",  "SSB",  "AM",   "FM",  "RTTY", "PSK",  "PSK31", "FT8", "FT4",
                                       "JT65", "JT9", "MFSK", "OLIVIA", "SSTV", "DIGI", "DATA", "PKT"};
  for (const char* known : kModes)
    if (mode == known) return true;
  return false;
}

}  // namespace

bool CheckOptions::finish(std::string& error) {
  if (!call.empty()) call = normalisedCall(call);
  // Read as a log's BAND and MODE are read, so the answer is the one the log's QSO would get.
  band = normalisedBand(band);
  if (lowerEdgeKHz(band) == 0) {
    error = tr("--band wants an amateur band such as 20m or 160m, not '{1}'", {band});
    return false;
  }
  const std::string given = mode;
  mode = cabrilloMode(adifMode(mode));
  if (!isMode(mode)) {
    error = tr("--mode wants a mode such as CW or SSB, not '{1}'", {given});
    return false;
  }
  return finishRunOptions(run, dates, error);
}

void declareCheckOptions(CLI::App& command, CheckOptions& o) {
  command.add_option("CALL", o.call, "the callsign to check")->type_name("CALL")->required();
  command.add_option("LOG", o.run.logPath, "the contest log")->type_name("FILE")->required();
  command.add_option("--band", o.band, "band of the check, 20m style")->type_name("BAND")->required();
  command.add_option("--mode", o.mode, "mode of the check, CW or SSB")->type_name("MODE")->required();
  addRunOptions(command, o.run, o.dates);
}

int runCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
  RunOptions runOptions = options.run;
  // As when the operator opens the plug-in's window: its setup takes "Use hint" on.
  runOptions.useHint = true;
  ContestRun run(runOptions);
  if (!run.start(err)) return kFailed;
  // The rule score and watch follow: a call the country file places nowhere is not scored,
  // so the plug-in is not asked about it.
  const auto country = run.resolve(options.call);
  if (!country) {
    out << tr("{1} (no country) on {2} {3}: not scored: {4}",
              {options.call, options.band, options.mode, run.noCountryReason()})
        << '\n';
    return kOk;
  }
  run.plugin().runCommand("SHOWINFO");
  const CheckAnswer answer = run.plugin().checkCall(options.call, options.mode, country->prefix, options.band);
  out << tr("{1} ({2}) on {3} {4}: {5}",
            {options.call, country->prefix, options.band, options.mode, checkAnswerWords(answer.code)})
      << '\n';
  if (!answer.hint.empty()) out << tr("hint: {1}", {answer.hint}) << '\n';
  return kOk;
}

}  // namespace rdac
