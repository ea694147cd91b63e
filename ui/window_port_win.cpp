#include <windows.h>

#include "ui/window_port.h"

namespace stats {

void showMessageBox(const std::string& text, const char* caption) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK);
}

// The window thread arrives with the plug-in's windows; until then there is none.
bool setupWindowExists() { return false; }
void postRefresh() {}
void StartWindowThread() {}
void StopWindowThread() {}

}  // namespace stats
