#pragma once
// Whole-file reads and writes.
#include <optional>
#include <string>

namespace stats {

// The file's bytes; nothing when it cannot be opened. `path` is a platform path (hostPath).
std::optional<std::string> readWholeFile(const std::string& path);

// True when `bytes` replaced the file's content completely. They go to a temporary file in the
// same folder that is then renamed over the target, so a reader never sees half a file. Where
// that cannot be done (another program holds the target open without delete sharing, the disk
// has no room for a second copy, the folder takes no new file) the target is rewritten in
// place instead; false only when that fails too, and then the target keeps its old content.
bool replaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace stats
