#include "platform/settings.h"

#include <mutex>

#include "platform/immortal.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace stats {
namespace {

// Constant-initialised: there before any static constructor or thread of the library uses it.
std::mutex settingsMutex;
Immortal<FilePath> folderOfSettings;  // guarded by settingsMutex; empty: the current folder

FilePath pathOfSettings() { return pathInFolder(folderOfSettings.get(), settingsFile); }

// The library unloaded: the folder's name goes back to the heap, which outlives the library.
struct ForgetAtUnload {
  ~ForgetAtUnload() { useSettingsFolder(FilePath()); }
} forgetAtUnload;

}  // namespace

const char* const settingsFile = "Plugins\\RDA.ini";
const char* const settingsSection = "Settings";

void useSettingsFolder(const FilePath& folder) {
  std::lock_guard<std::mutex> lock(settingsMutex);
  FilePath(folder).swap(folderOfSettings.get());
}

FilePath settingsPath() {
  std::lock_guard<std::mutex> lock(settingsMutex);
  return pathOfSettings();
}

std::string readSetting(const std::string& key, const std::string& fallback) {
  std::lock_guard<std::mutex> lock(settingsMutex);
  return readProfileString(pathOfSettings(), settingsSection, key, fallback);
}

int readSettingInt(const std::string& key) { return decimalValue(readSetting(key)); }

void writeSetting(const std::string& key, const std::string& value) {
  std::lock_guard<std::mutex> lock(settingsMutex);
  writeProfileString(pathOfSettings(), settingsSection, key, value);
}

void writeSettingInt(const std::string& key, int value) { writeSetting(key, std::to_string(value)); }

}  // namespace stats
