#pragma once
// Runs one test of this executable in a process of its own, for what a test process cannot undo
// (ending the process, loading a second runtime).
namespace stats::testing {

// Runs the disabled test "Suite.Name" of this executable; its exit code, -1 when it did not end
// within timeoutMs (it is then killed), -2 when it could not be started.
long runChild(const char* test, unsigned long timeoutMs = 20000);

}  // namespace stats::testing
