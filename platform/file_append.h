#pragma once
#include <string>

namespace stats {

// Appends bytes to a file, creating it when missing; true when all were written. Each call's
// bytes reach the operating system before it returns. Cheap when called often for one file.
bool appendToFile(const std::string& path, const std::string& bytes);

// Call before the file is replaced or rewritten by other means than appendToFile.
void forgetAppendTarget(const std::string& path);

}  // namespace stats
