#pragma once
// The RDA district table (".\Plugins\rda_rus.dat") and the station hint file
// (".\Plugins\RDAC.hlp"), read whole at every reset. Both are edited by hand, so they are read
// in any encoding and with any line ends an editor saves (platform/edited_text.h).
#include <string>
#include <vector>

#include "platform/file_path.h"
#include "platform/flat_string_map.h"

namespace stats {

// Four-character district codes in file order, duplicates kept, with an index for lookups.
class DistrictTable {
 public:
  // Empties first; a missing file leaves it empty. A file that holds the bytes of the last
  // load is not parsed again: a committee's run resets the plug-in once per entrant.
  void load(const FilePath& path);
  void loadFromText(const std::string& bytes);  // the file's bytes
  void clear();
  const std::vector<std::string>& codes() const { return codes_; }
  int IsKnownDistrict(const std::string& code) const;  // exact, case-sensitive: 1 or 0

 private:
  std::vector<std::string> codes_;
  FlatStringMap<bool> index_;
  std::string loadedBytes_;  // what codes_ were read from
};

// Every line of the hint file, verbatim, in file order.
class StationHints {
 public:
  void load(const FilePath& path);
  void loadFromText(const std::string& bytes);
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

extern const char* const kDistrictFileName;  // ".\Plugins\rda_rus.dat"
extern const char* const kHintFileName;      // ".\Plugins\RDAC.hlp"

}  // namespace stats
