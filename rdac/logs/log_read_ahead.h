#pragma once
// A contest's log files read and parsed on two threads ahead of the one that takes them.
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "rdac/logs/log_files.h"

namespace rdac {

// The files are taken in their order, each once; the threads stay at most `window` files ahead
// of the taker, so that the logs in memory stay few. Each log's bytes are dropped once parsed;
// that they could be read is kept.
class LogReadAhead {
 public:
  explicit LogReadAhead(std::vector<std::string> files, size_t window = 8);
  ~LogReadAhead();
  LogReadAhead(const LogReadAhead&) = delete;
  LogReadAhead& operator=(const LogReadAhead&) = delete;

  // The next file's log, waiting for it when it is not read yet.
  LogFileRead takeNext();

 private:
  const std::vector<std::string> files_;
  const size_t window_;
  std::vector<std::optional<LogFileRead>> read_;  // by file, until taken
  size_t started_ = 0, taken_ = 0;
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable readOne_, tookOne_;
  std::vector<std::thread> threads_;

  void work();
};

}  // namespace rdac
