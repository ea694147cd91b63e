#include "rdac/io/process_info.h"

#include <sys/resource.h>
#include <sys/syscall.h>
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

// Linux gives each thread its own nice value, named by the thread's id; 19 is the lowest share
// of the core. A failure leaves the thread as it was.
void runThisThreadInIdleTime() { setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19); }

}  // namespace rdac
