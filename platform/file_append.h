#pragma once
#include <string>

namespace stats {

// Appends bytes to a file, creating it when missing, and says whether they were written. They
// are written whole or not at all: when the system takes only part of them (a full disk), the
// file is cut back to where they began. They reach the operating system before it returns.
// The file stays open for the next append, since a reload appends thousands of times in a row;
// it is known by its full path, so a host that changes the current folder gets the other file.
bool appendToFile(const std::string& path, const std::string& bytes);

// Closes the file appendToFile keeps open. Every whole-file write calls it first, so nothing
// of ours holds a file that is being replaced.
void closeAppendedFile();

}  // namespace stats
