#pragma once
// rdac.exe's standard output and error. rdac writes UTF-8; a Windows console shows it only as
// UTF-16 written with WriteConsoleW, whatever its code page (866 in a Russian Windows), while a
// file or a pipe gets the UTF-8 bytes as they are.
#include <streambuf>
#include <string>

namespace rdac {

class ConsoleOutput : public std::streambuf {
 public:
  // `handle`: GetStdHandle(STD_OUTPUT_HANDLE) or STD_ERROR_HANDLE. A console's mode is changed
  // while this lives and given back when it goes: the console is the user's after rdac.exe ends.
  explicit ConsoleOutput(void* handle);
  ~ConsoleOutput() override;

 protected:
  int overflow(int c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  void* handle_;
  bool console_ = false;
  bool escapes_ = false;  // the console understands "\x1b[K" (erase to the end of the line)
  unsigned long modeToRestore_ = 0;  // the console's mode before this changed it
  bool modeChanged_ = false;
  std::string pending_;

  bool writeOut(bool all);
};

}  // namespace rdac
