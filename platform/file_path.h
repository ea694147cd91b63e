#pragma once
#include <string>

namespace stats {

// A relative name as the plug-in writes it (".\Plugins\rda_rus.dat") made usable by this
// platform's file functions: unchanged on Windows, backslashes as separators natively.
std::string hostPath(const std::string& name);

}  // namespace stats
