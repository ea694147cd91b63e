#pragma once
// Private-profile access: one key of one section of a sectioned key=value file per call.
#include <string>

namespace stats {

// The value of key in section (names case-insensitive), white space and one pair of
// surrounding quotes removed, whole however long; fallback when the file, the section or the
// key is missing.
std::string readProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback);

// Writes key=value into section at once, keeping every other line; false when it fails.
bool writeProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace stats
