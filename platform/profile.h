#pragma once
// Private-profile access: one key of one section of a sectioned key=value file per call.
#include <string>

#include "platform/file_path.h"

namespace stats {

// The value of key in section (names case-insensitive), white space and one pair of
// surrounding quotes removed, whole however long; fallback when the file, the section or the
// key is missing. Texts are in the host's ANSI code page whatever encoding the file is in (ANSI,
// or UTF-8 or UTF-16 with a byte-order mark), and its lines may end in CR LF, LF or CR.
std::string readProfileString(const FilePath& file, const std::string& section,
                              const std::string& key, const std::string& fallback);

// Writes key=value into section at once, keeping every other line and the file's encoding;
// false when it fails.
bool writeProfileString(const FilePath& file, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace stats
