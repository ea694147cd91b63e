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
const char kNoDistrictsMessage[] = "No RDA district code could be read from the district table ";

}  // namespace

std::string findHostVersion(const FilePath& contestFolder, const std::string& current) {
  const FilePath::string_type wanted = hostPath(kHostSettingsName).native();
  bool found = false;
  for (const FilePath& name : findFileNames(pathInFolder(contestFolder, "*.ini"))) {
    if (name.native().find(wanted) != FilePath::string_type::npos) {
      found = true;
      break;
    }
  }
  if (!found) return "Tarn";
  // The version is read from the name itself, not from the file found.
  const std::optional<std::string> content =
      readWholeFile(pathInFolder(contestFolder, kHostSettingsName));
  if (!content) return current;
  for (const std::string& line : textLines(*content))
    if (line.find(kVersionKey) != std::string::npos) return line.substr(5);
  return current;
}

void resetLog(LogSession& log, const ResetArgs& args) {
  log.ownFolder = args.ownFolder;
  log.contestFolder = contestFolderOf(args.ownFolder);
  log.startDayMonth = args.contestStart.Format("%d.%m");
  log.contestYear = args.contestStart.Format("%Y");
  log.endDate = args.contestEnd.Format("%d.%m.%Y");
  log.hostVersion = findHostVersion(log.contestFolder, log.hostVersion);
  log.qsoLog.clear();
  log.ownContinent = args.ownContinent;
  log.ownPrefix = args.ownPrefix;
  log.ownCall = args.ownCall;
  if (IsRussianLanguagePrefix(args.ownPrefix)) log.russianTexts = 1;
  if (IsRdaPrefix(args.ownPrefix)) log.ownRussian = 1;
  log.StationHintList.load(pathInFolder(log.contestFolder, kHintFileName));
  log.DistrictList.load(pathInFolder(log.contestFolder, kDistrictFileName));
  log.exportFlag = args.exportFlag;
}

FileMessage districtTableWarning(const LogSession& log) {
  if (!log.DistrictList.codes().empty()) return FileMessage();
  return {kNoDistrictsMessage, pathInFolder(log.contestFolder, kDistrictFileName)};
}

void startBadQsoFile(LogSession& log, const ResetArgs& args) {
  log.badQsoFile.create(pathInFolder(log.contestFolder, badQsoFileNameFor(args.contestEnd)));
}

}  // namespace stats
