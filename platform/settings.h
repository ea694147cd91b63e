#pragma once
// The plug-in's own settings file: one key of section "Settings" per call, read when a value
// is needed and written at once when it changes. The host's thread and the window thread both
// use it; each call holds the settings lock of its own, so no caller needs the state lock for
// it, and nothing is locked while it is held.
#include <string>

#include "platform/file_path.h"

namespace stats {

extern const char* const settingsFile;     // "Plugins\RDA.ini", relative to the contest's folder
extern const char* const settingsSection;  // "Settings"

// The folder the settings file is found in from now on (the contest's folder, fixed by the
// reset); until the first call, the current folder of each access.
void useSettingsFolder(const FilePath& folder);
// The settings file as the next access finds it.
FilePath settingsPath();

std::string readSetting(const std::string& key, const std::string& fallback = std::string());
int readSettingInt(const std::string& key);  // decimal conversion; missing reads as 0
void writeSetting(const std::string& key, const std::string& value);  // failures are ignored
void writeSettingInt(const std::string& key, int value);  // any int, window coordinates included

}  // namespace stats
