#include "rdac/io/progress_line.h"

#include "rdac/io/messages.h"

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
  // One catalogue entry per stage and unit, "fed {1} of {2} QSOs": a language may order them otherwise.
  const std::string phrase = stage + " {1} of {2} " + unit;
  const std::string text = "rdac: " + tr(phrase.c_str(), {std::to_string(done), std::to_string(total)});
  // In characters, not UTF-8 bytes: the blanks that clear the line must not wrap it.
  shownWidth_ = 0;
  for (char c : text) shownWidth_ += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
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
