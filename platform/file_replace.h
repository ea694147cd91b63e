#pragma once
// The two ways a whole file gets new content: a finished copy renamed over it, or, where that
// cannot be done, the content written over the file where it stands.
#include <string>

#include "platform/file_path.h"

namespace stats {

// Creates the file, or empties it, and writes `bytes` to it. False when they did not all
// reach the system; the file is then removed.
bool writeNewFile(const FilePath& path, const std::string& bytes);

// Renames `from` to `to`, replacing an existing `to` in one step.
bool renameOver(const FilePath& from, const FilePath& to);

// Writes `bytes` over an existing file from its start and cuts it to their length. Opened
// with the sharing that a viewer holding the file for reading and writing
// allows, which a rename over it does not. Needs no room beyond what the file already takes
// when the new content is no longer than the old; when the write still fails midway, the old
// content is put back and the answer is false. Refuses anything that is not a regular file.
bool rewriteInPlace(const FilePath& path, const std::string& bytes);

// Removes a file of ours that is not wanted any more (a temporary one); failures are ignored.
void removeFile(const FilePath& path);

}  // namespace stats
