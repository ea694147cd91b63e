#pragma once
// A progress line on standard error for logs that take a while: silent for the first second,
// so short runs print nothing; then the count, at most four times a second.
#include <chrono>
#include <functional>
#include <ostream>
#include <string>

namespace rdac {

class ProgressLine {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  // `overwrite`: a terminal, where each update replaces the last one; elsewhere each update
  // is a line of its own, at most one a second.
  ProgressLine(std::ostream& out, bool overwrite, Clock clock = std::chrono::steady_clock::now);

  void update(const std::string& stage, size_t done, size_t total, const char* unit = "QSOs");
  void finish();  // clears the line if one was shown, so what comes next starts on it

 private:
  std::ostream& out_;
  bool overwrite_;
  Clock clock_;
  std::chrono::steady_clock::time_point start_, lastShown_;
  bool shown_ = false;
  size_t shownWidth_ = 0;
};

}  // namespace rdac
