// rdac.exe: the arguments arrive as UTF-16 and become UTF-8 once, here; what it prints goes to
// a console as UTF-16 and to a file or a pipe as UTF-8.
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "rdac/io/console_output_win.h"
#include "rdac/io/windows_text_win.h"
#include "rdac/program.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(rdac::narrowed(argv[i]));
  rdac::ConsoleOutput outBuffer(GetStdHandle(STD_OUTPUT_HANDLE)), errBuffer(GetStdHandle(STD_ERROR_HANDLE));
  std::ostream out(&outBuffer), err(&errBuffer);
  const int code = rdac::runProgram(args, out, err);
  out.flush();
  err.flush();
  return code;
}
