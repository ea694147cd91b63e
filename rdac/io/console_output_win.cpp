#include "rdac/io/console_output_win.h"

#include <windows.h>

#include "rdac/io/windows_text_win.h"

namespace rdac {
namespace {

constexpr size_t kFlushAt = 1 << 14;
const char kEraseLine[] = "\x1b[K";

// How many bytes at the end of `text` begin a UTF-8 sequence that is not complete yet.
size_t unfinishedTail(const std::string& text) {
  for (size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const unsigned char c = static_cast<unsigned char>(text[text.size() - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

}  // namespace

ConsoleOutput::ConsoleOutput(void* handle) : handle_(handle) {
  DWORD mode = 0;
  console_ = handle_ && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode);
  if (!console_) return;
  escapes_ = (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
  if (!escapes_ && SetConsoleMode(handle_, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
    escapes_ = modeChanged_ = true;
    modeToRestore_ = mode;
  }
}

ConsoleOutput::~ConsoleOutput() {
  writeOut(true);
  if (modeChanged_) SetConsoleMode(handle_, modeToRestore_);
}

int ConsoleOutput::overflow(int c) {
  if (c == traits_type::eof()) return traits_type::not_eof(c);
  pending_.push_back(static_cast<char>(c));
  if (c == '\n' || pending_.size() >= kFlushAt) return writeOut(false) ? c : traits_type::eof();
  return c;
}

std::streamsize ConsoleOutput::xsputn(const char* s, std::streamsize n) {
  pending_.append(s, static_cast<size_t>(n));
  const bool lineDone = pending_.find('\n', pending_.size() - static_cast<size_t>(n)) != std::string::npos;
  if ((lineDone || pending_.size() >= kFlushAt) && !writeOut(false)) return 0;
  return n;
}

int ConsoleOutput::sync() { return writeOut(true) ? 0 : -1; }

bool ConsoleOutput::writeOut(bool all) {
  if (pending_.empty()) return true;
  if (!console_) {
    DWORD written = 0;
    const bool fine = WriteFile(handle_, pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr) &&
                      written == pending_.size();
    pending_.clear();
    return fine;
  }
  // A character cut by the buffer's end waits for its other bytes.
  const size_t keep = all ? 0 : unfinishedTail(pending_);
  std::string text = pending_.substr(0, pending_.size() - keep);
  pending_.erase(0, pending_.size() - keep);
  if (!escapes_)
    for (size_t at; (at = text.find(kEraseLine)) != std::string::npos;) text.erase(at, sizeof kEraseLine - 1);
  const std::wstring wide = widened(text);
  DWORD written = 0;
  return wide.empty() || WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace rdac
