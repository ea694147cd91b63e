#pragma once
// The plug-in's own settings file: one key of section "Settings" per call, read when a value
// is needed and written at once when it changes. The host's thread and the window thread both
// use it; each call holds the settings lock of its own, so no caller needs the state lock for
// it, and nothing is locked while it is held.
#include <string>

namespace stats {

extern const char* const settingsFile;     // "Plugins\RDA.ini", relative to the current folder
extern const char* const settingsSection;  // "Settings"

std::string readSetting(const std::string& key, const std::string& fallback = std::string());
int readSettingInt(const std::string& key);  // decimal conversion; missing reads as 0
void writeSetting(const std::string& key, const std::string& value);  // failures are ignored
void writeSettingInt(const std::string& key, int value);  // any int, window coordinates included

}  // namespace stats
