#pragma once
// Cabrillo header values for an export run, as the settings keys from which the plug-in's
// header dialog takes them. The dialog starts its categories from fixed values, so only
// the contestant's own details can be given.
#include <string>
#include <string_view>
#include <vector>

namespace rdac {

struct SettingValue {
  std::string key;  // settings key, e.g. "Address-City"
  std::string value;
};

class CabrilloHeader {
 public:
  // One value under its Cabrillo label ("ADDRESS-CITY", any letter case). Repeated SOAPBOX
  // values become lines of one soapbox; any other label given again replaces the earlier
  // value. False with `error` set for a label the export does not take.
  bool add(std::string_view label, std::string_view value, std::string& error);

  // "KEY=VALUE" from the command line.
  bool addAssignment(std::string_view assignment, std::string& error);

  // A header file: "LABEL: value" lines; blank lines and lines starting with '#' are skipped.
  // `name` only labels the messages.
  bool addFile(std::string_view text, const std::string& name, std::string& error);

  const std::vector<SettingValue>& settings() const { return settings_; }

 private:
  std::vector<SettingValue> settings_;
};

}  // namespace rdac
