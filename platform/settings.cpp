#include "platform/settings.h"

#include <mutex>

#include "platform/profile.h"
#include "platform/text.h"

namespace stats {
namespace {

// Constant-initialised: there before any static constructor or thread of the library uses it.
std::mutex settingsMutex;

}  // namespace

const char* const settingsFile = "Plugins\\RDA.ini";
const char* const settingsSection = "Settings";

std::string readSetting(const std::string& key, const std::string& fallback) {
  std::lock_guard<std::mutex> lock(settingsMutex);
  return readProfileString(settingsFile, settingsSection, key, fallback);
}

int readSettingInt(const std::string& key) { return decimalValue(readSetting(key)); }

void writeSetting(const std::string& key, const std::string& value) {
  std::lock_guard<std::mutex> lock(settingsMutex);
  writeProfileString(settingsFile, settingsSection, key, value);
}

void writeSettingInt(const std::string& key, int value) { writeSetting(key, std::to_string(value)); }

}  // namespace stats
