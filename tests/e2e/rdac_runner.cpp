#include "tests/e2e/rdac_runner.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>

extern char** environ;

namespace rdac::testing {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

int startRdac(const std::vector<std::string>& args, const char* out, const char* err) {
  std::vector<std::string> all{RDAC_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&files, 2, err, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  if (posix_spawn(&pid, RDAC_PATH, &files, nullptr, argv.data(), environ) != 0) pid = 0;
  posix_spawn_file_actions_destroy(&files);
  return pid;
}

RdacRun runRdac(const std::vector<std::string>& args) {
  RdacRun run;
  if (const pid_t pid = startRdac(args, "rdac.out", "rdac.err")) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  run.out = fileText("rdac.out");
  run.err = fileText("rdac.err");
  return run;
}

}  // namespace rdac::testing
