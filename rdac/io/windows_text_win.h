#pragma once
// Inside rdac every path and message is UTF-8; Windows' wide calls take UTF-16. Only the
// *_win.cpp files see this header.
#include <string>

namespace rdac {

std::wstring widened(const std::string& utf8);
std::string narrowed(const std::wstring& utf16);
std::string narrowed(const wchar_t* utf16, size_t length);

// The system's words for an error code (GetLastError), without the line end.
std::string systemErrorText(unsigned long code);

// For an operator: what to do about the error of a file operation (close the program that
// holds the file, create the folder), or the system's words when there is nothing to say.
std::string operatorErrorText(unsigned long code);

}  // namespace rdac
