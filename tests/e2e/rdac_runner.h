#pragma once
// Runs the built rdac as a user would, in the current folder, and keeps what it printed.
#include <string>
#include <vector>

namespace rdac::testing {

struct RdacRun {
  int exitCode = -1;
  std::string out, err;
};

RdacRun runRdac(const std::vector<std::string>& args);

// Starts rdac with its output going to the files `out` and `err`; its process id, 0 when it
// could not start.
int startRdac(const std::vector<std::string>& args, const char* out, const char* err);

// Whole file, "" when missing.
std::string fileText(const std::string& path);

}  // namespace rdac::testing
