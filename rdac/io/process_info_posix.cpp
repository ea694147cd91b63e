#include "rdac/io/process_info.h"

#include <unistd.h>

#include <filesystem>

namespace rdac {

std::string programFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : self.parent_path().string();
}

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

const char kPluginFileName[] = "libStats.so";

std::string defaultCountryFile() { return "/usr/share/hamradio-files/cty.dat"; }

}  // namespace rdac
