#include <windows.h>

#include "ui/window_port.h"

namespace stats {

void showMessageBox(const std::string& text, const char* caption) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK);
}

}  // namespace stats
