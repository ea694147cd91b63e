#pragma once
#include <cstdint>
#include <string>

#include "platform/file_path.h"

namespace stats {

// Appends bytes to a file, creating it when missing, and says whether they were written. They
// are written whole or not at all: when the system takes only part of them (a full disk), the
// file is cut back to where they began. They reach the operating system before it returns.
// The file stays open for the next append, since a reload appends thousands of times in a row.
bool appendToFile(const FilePath& path, const std::string& bytes);

// Cuts an existing file back to its first `size` bytes in place, in one step: it then holds its
// old bytes or the first `size` of them, never anything else. False, the file as it was, when it
// is missing, shorter or cannot be opened for writing.
bool cutFileTo(const FilePath& path, uint64_t size);

// Closes the file appendToFile keeps open. Every whole-file write calls it first, so nothing
// of ours holds a file that is being replaced.
void closeAppendedFile();

}  // namespace stats
