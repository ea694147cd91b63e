#include "rdac/crosscheck/scoring_helper.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <type_traits>

namespace rdac {
namespace {

// The scores go through the pipe as bytes.
static_assert(std::is_trivially_copyable_v<EntrantScore>, "EntrantScore is sent through a pipe as it lies in memory");

bool writeAll(int fd, const void* data, size_t size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = write(fd, at, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    at += written;
    size -= size_t(written);
  }
  return true;
}

bool readAll(int fd, void* data, size_t size) {
  char* at = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t got = read(fd, at, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    at += got;
    size -= size_t(got);
  }
  return true;
}

}  // namespace

// The forked process shares the parsed logs and the check's outcome as they lie in memory.
bool scoreWithHelper(const ScoringJob& own, const ScoringJob& helped, std::vector<EntrantScore>& scores,
                     std::ostream& err) {
  int channel[2];
  if (pipe(channel) != 0) {
    err << "rdac: cannot make a pipe: " << std::strerror(errno) << '\n';
    return false;
  }
  const size_t count = helped.last - helped.first;
  const pid_t helper = fork();
  if (helper == 0) {
    close(channel[0]);
    _exit(scoreHere(helped, scores, err) &&
                  writeAll(channel[1], scores.data() + helped.first, count * sizeof(EntrantScore))
              ? 0
              : 1);
  }
  close(channel[1]);
  if (own.started) own.started();
  const bool fine = helper > 0 && scoreHere(own, scores, err);
  if (own.done) own.done();
  std::vector<EntrantScore> fromHelper(count);
  const bool received = readAll(channel[0], fromHelper.data(), count * sizeof(EntrantScore));
  close(channel[0]);
  int status = 1;
  if (helper > 0) waitpid(helper, &status, 0);
  if (helper <= 0 || !received || status != 0) {
    if (fine) err << "rdac: the process that scores the second half of the logs failed\n";
    return false;
  }
  std::copy(fromHelper.begin(), fromHelper.end(), scores.begin() + std::ptrdiff_t(helped.first));
  return fine;
}

}  // namespace rdac
