#include "plugin/settings.h"

#include "platform/profile.h"
#include "platform/text.h"

namespace stats {

const char* const settingsFile = "Plugins\\RDA.ini";
const char* const settingsSection = "Settings";

std::string readSetting(const std::string& key, const std::string& fallback) {
  return readProfileString(settingsFile, settingsSection, key, fallback);
}

int readSettingInt(const std::string& key) { return decimalValue(readSetting(key)); }

void writeSetting(const std::string& key, const std::string& value) {
  writeProfileString(settingsFile, settingsSection, key, value);
}

void writeSettingInt(const std::string& key, int value) { writeSetting(key, std::to_string(value)); }

}  // namespace stats
