#include "rdac/io/progress_line.h"

namespace rdac {

using namespace std::chrono_literals;

ProgressLine::ProgressLine(std::ostream& out, bool overwrite, Clock clock)
    : out_(out), overwrite_(overwrite), clock_(std::move(clock)), start_(clock_()) {}

void ProgressLine::update(const std::string& stage, size_t done, size_t total, const char* unit) {
  const auto now = clock_();
  if (now - start_ < 1s) return;
  if (shown_ && now - lastShown_ < (overwrite_ ? 250ms : 1s)) return;
  lastShown_ = now;
  shown_ = true;
  const std::string text = "rdac: " + stage + " " + std::to_string(done) + " of " + std::to_string(total) + " " + unit;
  shownWidth_ = text.size();
  if (overwrite_)
    out_ << '\r' << text << "\x1b[K" << std::flush;
  else
    out_ << text << '\n' << std::flush;
}

void ProgressLine::finish() {
  // Blanks, not an escape: a console that takes no escapes would keep the count in front of
  // whatever comes next.
  if (shown_ && overwrite_) out_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
  shown_ = false;
}

}  // namespace rdac
