#pragma once
// The folder the plug-in runs in. It finds its data files and its settings file under
// fixed names relative to the current folder, and writes the bad-QSO and Cabrillo files
// there, so the host lays them out in one folder and makes it current.
#include <string>
#include <vector>

#include "platform/ole_date_time.h"
#include "rdac/score/cabrillo_header.h"

namespace rdac {

struct WorkFolderPlan {
  std::string folder;         // absolute
  std::string districtsPath;  // copied to Plugins/rda_rus.dat; empty keeps the one there
  std::string hintsPath;      // copied to Plugins/RDAC.hlp; empty keeps the one there, if any
  std::vector<SettingValue> settings;  // written to Plugins/RDA.ini, section Settings
};

// Makes the folder and its Plugins folder, copies the data files and writes the settings.
// The district table is laid out with its current codes only, and `note` says how many. False with `error` set when any of it fails or no district table
// would be there.
bool layOutWorkFolder(const WorkFolderPlan& plan, std::string& note, std::string& error);

// The plug-in's Cabrillo file for that own callsign, inside the folder.
std::string cabrilloFilePath(const std::string& folder, const std::string& ownCall);

// The plug-in's bad-QSO file for a contest ending on that date, inside the folder.
std::string badQsoFilePath(const std::string& folder, const stats::COleDateTime& contestEnd);

// The file a complete earlier run left at a path a new run writes again, set aside as
// PATH.previous until the new run either completes (`discard`) or stops partway (`restore`),
// so a run cut short never leaves half a file where a whole one was. A PATH.previous left by
// a run that was killed stays: it is the last whole one.
class PreviousFile {
 public:
  explicit PreviousFile(std::string path);
  void discard();
  // The previous file is back in place of the new run's; false when there was none, and the
  // new run's partial file stays.
  bool restore();

 private:
  std::string path_, previous_;
};

}  // namespace rdac
