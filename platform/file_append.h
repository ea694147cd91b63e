#pragma once
#include <string>

#include "platform/file_path.h"

namespace stats {

// Appends bytes to a file, creating it when missing, and says whether they were written. They
// are written whole or not at all: when the system takes only part of them (a full disk), the
// file is cut back to where they began. They reach the operating system before it returns.
// The file stays open for the next append, since a reload appends thousands of times in a row.
bool appendToFile(const FilePath& path, const std::string& bytes);

// Closes the file appendToFile keeps open. Every whole-file write calls it first, so nothing
// of ours holds a file that is being replaced.
void closeAppendedFile();

}  // namespace stats
