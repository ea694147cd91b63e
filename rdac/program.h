#pragma once
// The whole of rdac behind its entry point: main_posix.cpp and main_win.cpp only bring the
// arguments (as UTF-8) and the standard streams.
#include <ostream>
#include <string>
#include <vector>

namespace rdac {

// The arguments after the program's name; the exit code.
int runProgram(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rdac
