#pragma once
#include <vector>

#include "platform/file_path.h"

namespace stats {

// Bare names of the files that match a pattern such as "C:\Tarn\*.ini" (a "*" in the last
// component only), in the order the platform lists them; empty when nothing matches.
std::vector<FilePath> findFileNames(const FilePath& pattern);

}  // namespace stats
