#include "log/reset.h"

#include "contest/contest_rules.h"
#include "contest/prefixes.h"
#include "platform/file_io.h"
#include "platform/file_path.h"
#include "platform/find_files.h"
#include "platform/text.h"
#include "plugin/settings.h"
#include "reports/bad_qso_file.h"

namespace stats {
namespace {

const char kHostSettingsName[] = "Tarn2.ini";
const char kVersionKey[] = "Tarn=";

// Host versions whose own windows clash with the plug-in's: the reset never opens them there.
bool hostWithoutWindowThread(const std::string& version) {
  for (const char* v : {"2.18", "2.17", "2.16", "2.15", "2.14", "2.14R"})
    if (version == v) return true;
  return false;
}

}  // namespace

std::string findHostVersion(const std::string& ownFolder, const std::string& current) {
  bool found = false;
  for (const std::string& name : findFileNames(ownFolder + "*.ini")) {
    if (name.find(kHostSettingsName) != std::string::npos) {
      found = true;
      break;
    }
  }
  if (!found) return "Tarn";
  // The version is read from the name itself in the current folder, not from the one found.
  const std::optional<std::string> content = readWholeFile(hostPath(kHostSettingsName));
  if (!content) return current;
  for (const std::string& line : textLines(*content))
    if (line.find(kVersionKey) != std::string::npos) return line.substr(5);
  return current;
}

void resetLog(PluginState& state, const ResetArgs& args) {
  state.ownFolder = args.ownFolder;
  state.startDayMonth = args.contestStart.Format("%d.%m");
  state.contestYear = args.contestStart.Format("%Y");
  state.endDate = args.contestEnd.Format("%d.%m.%Y");
  state.hostVersion = findHostVersion(args.ownFolder, state.hostVersion);
  state.qsoLog.clear();
  state.ownContinent = args.ownContinent;
  state.ownPrefix = args.ownPrefix;
  state.ownCall = args.ownCall;
  if (IsRussianLanguagePrefix(args.ownPrefix)) state.russianTexts = 1;
  if (IsRdaPrefix(args.ownPrefix)) state.ownRussian = 1;
  state.StationHintList.load(kHintFileName);
  state.DistrictList.load(kDistrictFileName);
  for (int i = 0; i < kBandCount; ++i) state.BandInfoRows[i] = {bandRules.at(i), "-", "-", "-", "-"};
  state.exportFlag = args.exportFlag;
}

bool finishReset(PluginState& state, const ResetArgs& args, bool windowThreadRuns) {
  bool startThread = false;
  if (readSettingInt("Start") != 0) {
    writeSetting("Start", "0");
  } else if (!windowThreadRuns) {
    startThread = !hostWithoutWindowThread(state.hostVersion);
    writeSetting("Start", "1");
  }
  state.badQsoFile.create(badQsoFileNameFor(args.contestEnd));
  return startThread;
}

}  // namespace stats
