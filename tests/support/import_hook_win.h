#pragma once
// Replaces a function that a loaded module imports, in that module's import table only: how a
// test stops a thread of the library at a chosen call.
#include <windows.h>

namespace stats::testing {

// Points module's import of dll!function at replacement; returns the original (null when the
// module does not import it).
void* replaceImport(HMODULE module, const char* dll, const char* function, void* replacement);

}  // namespace stats::testing
