#pragma once
// Whole-file reads and writes.
#include <optional>
#include <string>

#include "platform/file_path.h"

namespace stats {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const FilePath& path);

// True when `bytes` replaced the file's content completely. They go to a temporary file in the
// same folder that is then renamed over the target, so a reader never sees half a file. Where
// that cannot be done (another program holds the target open without delete sharing, the disk
// has no room for a second copy, the folder takes no new file) the target is rewritten in
// place instead; false only when that fails too, and then the target keeps its old content.
bool replaceWholeFile(const FilePath& path, const std::string& bytes);

}  // namespace stats
