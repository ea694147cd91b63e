#pragma once
// What rdac asks of the system about its own process.
#include <string>

namespace rdac {

// The folder the running program's file is in: the plug-in lies beside it.
std::string programFolder();

// Whether standard error is a terminal or console, where a progress line may overwrite itself.
bool standardErrorIsTerminal();

// The plug-in's file name on this system (libStats.so, Stats.dll), looked for beside rdac.
extern const char kPluginFileName[];

// The country file when none is named: the hamradio-files package's on Linux; on Windows,
// where no package installs one, cty.dat beside rdac.exe.
std::string defaultCountryFile();

// The calling thread runs only when no other of the machine's work wants the core: for work
// done ahead in time that would otherwise lie idle.
void runThisThreadInIdleTime();

}  // namespace rdac
