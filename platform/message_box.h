#pragma once
// The modal message box. Windows shows it; the native stand-in records it and returns at once.
#include <string>

namespace stats {

// A modal box with one OK button and no owner; a null caption leaves the system's default.
// Returns when it is dismissed. Never call it while holding the state lock.
void showMessageBox(const std::string& text, const char* caption);

}  // namespace stats
