#include "rdac/io/progress_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace rdac {
namespace {

using namespace std::chrono_literals;

struct FakeClock {
  std::chrono::steady_clock::time_point now{};
  ProgressLine::Clock function() {
    return [this] { return now; };
  }
};

TEST(ProgressLine, StaysSilentForTheFirstSecond) {
  FakeClock clock;
  std::ostringstream out;
  ProgressLine progress(out, true, clock.function());
  clock.now += 999ms;
  progress.update("fed", 10, 100);
  progress.finish();
  EXPECT_EQ(out.str(), "");
}

TEST(ProgressLine, OnATerminalOverwritesItsLineAndClearsItAtTheEnd) {
  FakeClock clock;
  std::ostringstream out;
  ProgressLine progress(out, true, clock.function());
  clock.now += 1s;
  progress.update("fed", 10, 100);
  clock.now += 100ms;
  progress.update("fed", 11, 100);  // too soon: not shown
  clock.now += 200ms;
  progress.update("fed", 40, 100);
  progress.finish();
  // Cleared with blanks, so the result that follows starts on a clean line on every console.
  EXPECT_EQ(out.str(), "\rrdac: fed 10 of 100 QSOs\x1b[K\rrdac: fed 40 of 100 QSOs\x1b[K\r" + std::string(24, ' ') + "\r");
}

TEST(ProgressLine, ElsewhereWritesALineASecond) {
  FakeClock clock;
  std::ostringstream out;
  ProgressLine progress(out, false, clock.function());
  clock.now += 1500ms;
  progress.update("fed", 1, 3);
  clock.now += 500ms;
  progress.update("fed", 2, 3);
  clock.now += 500ms;
  progress.update("fed", 3, 3);
  progress.finish();
  EXPECT_EQ(out.str(), "rdac: fed 1 of 3 QSOs\nrdac: fed 3 of 3 QSOs\n");
}

}  // namespace
}  // namespace rdac
