#include "rdac/logs/log_read_ahead.h"

#include <algorithm>
#include <exception>

namespace rdac {

LogReadAhead::LogReadAhead(std::vector<std::string> files, size_t window)
    : files_(std::move(files)), window_(std::max<size_t>(window, 1)), read_(files_.size()) {
  for (int n = 0; n < 2; ++n) threads_.emplace_back([this] { work(); });
}

LogReadAhead::~LogReadAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  tookOne_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

LogFileRead LogReadAhead::takeNext() {
  std::unique_lock<std::mutex> lock(mutex_);
  readOne_.wait(lock, [&] { return read_[taken_].has_value(); });
  LogFileRead read = std::move(*read_[taken_]);
  read_[taken_++].reset();
  lock.unlock();
  tookOne_.notify_all();
  return read;
}

void LogReadAhead::work() {
  for (;;) {
    size_t n = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      tookOne_.wait(lock, [&] { return stopping_ || started_ == files_.size() || started_ < taken_ + window_; });
      if (stopping_ || started_ == files_.size()) return;
      n = started_++;
    }
    LogFileRead read;
    try {
      read = readLogFile(files_[n]);
      if (read.bytes) read.bytes.emplace();
    } catch (const std::exception& e) {  // a file too large for the memory left, say
      read = LogFileRead{};
      read.problem = "cannot read the log " + files_[n] + ": " + e.what();
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      read_[n] = std::move(read);
    }
    readOne_.notify_all();
  }
}

}  // namespace rdac
