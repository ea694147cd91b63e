#include "log/reset.h"

#include "contest/prefixes.h"
#include "platform/file_io.h"
#include "platform/file_path.h"
#include "platform/find_files.h"
#include "platform/text.h"

namespace stats {
namespace {

const char kHostSettingsName[] = "Tarn2.ini";
const char kVersionKey[] = "Tarn=";

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

void resetLog(LogSession& state, const ResetArgs& args) {
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
  state.exportFlag = args.exportFlag;
}

void startBadQsoFile(LogSession& state, const ResetArgs& args) {
  state.badQsoFile.create(badQsoFileNameFor(args.contestEnd));
}

}  // namespace stats
