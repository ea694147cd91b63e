#include "rdac/io/windows_text_win.h"

#include <windows.h>

#include <system_error>

#include "rdac/io/messages.h"

namespace rdac {

std::wstring widened(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string narrowed(const wchar_t* utf16, size_t length) {
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, utf16, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16, static_cast<int>(length), text.data(), size, nullptr, nullptr);
  return text;
}

std::string narrowed(const std::wstring& utf16) { return narrowed(utf16.data(), utf16.size()); }

std::string systemErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length ? narrowed(buffer, length) : "error " + std::to_string(code);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

std::string operatorErrorText(unsigned long code) {
  std::errc meaning;
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: meaning = std::errc::no_such_file_or_directory; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: meaning = std::errc::permission_denied; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: meaning = std::errc::no_space_on_device; break;
    case ERROR_WRITE_PROTECT: meaning = std::errc::read_only_file_system; break;
    default: return systemErrorText(code);
  }
  return whatToDo(std::make_error_code(meaning));
}

}  // namespace rdac
