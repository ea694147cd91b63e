#pragma once
// Whole-file reads and writes. A whole-file write goes to a temporary file in the same
// folder that is then renamed over the target, so the target is never left half written.
#include <optional>
#include <string>

namespace stats {

// The file's bytes; nothing when it cannot be opened. `path` is a platform path (hostPath).
std::optional<std::string> readWholeFile(const std::string& path);

// True when `bytes` replaced the file's content completely.
bool replaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace stats
