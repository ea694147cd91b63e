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

RdacRun runRdac(const std::vector<std::string>& args) {
  std::vector<std::string> all{RDAC_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, "rdac.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&files, 2, "rdac.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  RdacRun run;
  pid_t pid = 0;
  if (posix_spawn(&pid, RDAC_PATH, &files, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&files);
  run.out = fileText("rdac.out");
  run.err = fileText("rdac.err");
  return run;
}

}  // namespace rdac::testing
