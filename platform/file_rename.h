#pragma once
#include <string>

namespace stats {

// Renames `from` to `to`, replacing an existing `to` in one step.
bool renameOver(const std::string& from, const std::string& to);

}  // namespace stats
