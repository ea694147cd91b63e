#include <windows.h>

#include "platform/message_box.h"
#include "platform/wide_text_win.h"

namespace stats {

void showMessageBox(const std::string& text, const char* caption) {
  MessageBoxA(nullptr, text.c_str(), caption, MB_OK);
}

void showFileMessageBox(const FileMessage& message, const char* caption) {
  const std::wstring text = wideOfAnsi(message.text) + message.file.native();
  const std::wstring title = caption ? wideOfAnsi(caption) : std::wstring();
  MessageBoxW(nullptr, text.c_str(), caption ? title.c_str() : nullptr, MB_OK | MB_ICONINFORMATION);
}

}  // namespace stats
