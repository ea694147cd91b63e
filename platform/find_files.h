#pragma once
#include <string>
#include <vector>

namespace stats {

// Bare names of the files that match a pattern such as "C:\Tarn\*.ini" (a "*" in the last
// component only), in the order the platform lists them; empty when nothing matches.
std::vector<std::string> findFileNames(const std::string& pattern);

}  // namespace stats
