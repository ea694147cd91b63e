#include <windows.h>

#include "platform/message_box.h"

namespace stats {

void showMessageBox(const std::string& text, const char* caption) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK);
}

}  // namespace stats
