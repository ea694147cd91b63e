#pragma once
// The modal message box. Windows shows it; the native stand-in records it and returns at once.
#include <string>

#include "platform/file_path.h"

namespace stats {

// A message that ends in the full path of the file it is about: the text in the host's ANSI
// code page, the path as the platform keeps it, whose letters that code page may not spell.
struct FileMessage {
  std::string text;
  FilePath file;
  bool empty() const { return text.empty() && file.empty(); }
};

// A modal box with one OK button and no owner; a null caption leaves the system's default.
// Returns when it is dismissed. Never call it while holding the state lock.
void showMessageBox(const std::string& text, const char* caption);
// The same with an information icon, for a message about a file.
void showFileMessageBox(const FileMessage& message, const char* caption);

}  // namespace stats
