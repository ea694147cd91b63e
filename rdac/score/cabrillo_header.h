#pragma once
// Cabrillo header values for an export run, as the settings keys from which the plug-in's
// header dialog takes them: the contestant's details and the categories.
#include <string>
#include <string_view>
#include <vector>

#include "rdac/logs/logged_qso.h"

namespace rdac {

struct SettingValue {
  std::string key;  // settings key, e.g. "Address-City"
  std::string value;
};

class CabrilloHeader {
 public:
  // One value under its Cabrillo label ("ADDRESS-CITY", any letter case). Repeated SOAPBOX
  // values become lines of one soapbox; any other label given again replaces the earlier
  // value. A category must be one of the dialog's entries (any letter case). False with
  // `error` set for a label the export does not take or a category it does not know.
  bool add(std::string_view label, std::string_view value, std::string& error);

  // "KEY=VALUE" from the command line.
  bool addAssignment(std::string_view assignment, std::string& error);

  // A header file: "LABEL: value" lines; blank lines and lines starting with '#' are skipped.
  // `name` only labels the messages.
  bool addFile(std::string_view text, const std::string& name, std::string& error);

  // CATEGORY-MODE from the log unless one was given: MIXED for a log with both CW and SSB,
  // SSB for SSB alone, CW otherwise.
  void defaultModeFor(const std::vector<LoggedQso>& qsos);

  const std::vector<SettingValue>& settings() const { return settings_; }

 private:
  std::vector<SettingValue> settings_;
};

}  // namespace rdac
