// The host thread and the window thread working on the shared state at once: intake, removal
// and the result rebuild on one thread, refreshes, panel paints and window commands on others.
// Meant for ThreadSanitizer (make test-tsan); natively it checks that nothing deadlocks.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "plugin/exports.h"
#include "tests/support/fake_host_link.h"
#include "tests/support/log_records.h"
#include "tests/support/native_windows.h"
#include "tests/support/plugin_state_reset.h"
#include "tests/support/scratch_dir.h"
#include "ui/info_panel.h"
#include "ui/window_port.h"

namespace stats {
namespace {

void addQso(int i) {
  COleDateTime when = COleDateTime::fromParts(2026, 3, 7, 10, i % 60);
  AddData0("RA3AA", "UA9AA", &when, nullptr, nullptr, nullptr, 0, 14025000u, "CW", "599", "599",
           "001", "MA05", "", "", "", "", "", "", "", "", "", "UA9", 0, 0, 0, 0, 0, "", "AS", "",
           "20m", "");
}

void removeQso(int i) {
  COleDateTime when = COleDateTime::fromParts(2026, 3, 7, 10, i % 60);
  RemoveData0("RA3AA", "UA9AA", &when, nullptr, nullptr, nullptr, 0, 14025000u, "CW", "599", "599",
              "001", "MA05", "", "", "", "", "", "", "", "", "", "UA9", 0, 0, 0, 0, 0, "", "AS",
              "", "20m", "");
}

// What intake, GetResult0 and removal do to the lists the windows read, done here directly so
// that the test does not depend on how far those exports are built.
void changeLists(int i) {
  StateLock lock;
  PluginState& s = lock.state();
  if (i % 3 == 2 && !s.log.qsoLog.empty()) {
    s.log.qsoLog.removeAt(0);
  } else {
    CInfo r;
    r.call = i % 2 ? "UA9AA" : "DL1AB";
    r.band = i % 4 ? "20m" : "40m";
    r.mode = i % 5 ? "CW" : "SSB";
    r.exchRcvd = std::to_string(i);
    appendRecord(s.log.qsoLog, r);
  }
  s.result.workedDistricts.assign(static_cast<size_t>(i % 17), "MA05");
  s.result.bandPrefixes[3].assign(static_cast<size_t>(i % 11), "DL");
  // CheckCall0's side of the refresh protocol.
  if (s.windows.refreshReady && setupWindowExists()) {
    s.windows.refreshReady = 0;
    postRefresh();
  }
}

TEST(WindowConcurrency, HostThreadAndWindowThreadShareTheStateSafely) {
  testing::ScratchDir scratch;
  std::filesystem::create_directories("Plugins");
  scratch.write("Plugins/RDA.ini", "[Settings]\r\nRDA=1\r\nDXCC=1\r\n");
  resetPluginStateForTests();
  testing::FakeHost host;
  host.setEntry("UA9AA");
  StartWindowThread();
  ASSERT_TRUE(waitForWindowsIdle());

  constexpr int kRounds = 1500;
  std::atomic<bool> done{false};
  std::thread hostThread([&] {
    for (int i = 0; i < kRounds; ++i) {
      addQso(i);
      changeLists(i);
      int status = 0;
      GetResult0(&status);
      if (i % 7 == 0) removeQso(i);
      if (i % 50 == 0) host.setEntry(i % 100 ? "UA9AA" : "");
    }
    done = true;
  });
  std::thread painter([&] {
    while (!done) {
      PanelInput input;
      {
        StateLock lock;
        const PluginState& s = lock.state();
        input = panelInputOf(s.windows, s.log, s.result);
      }
      drawInfoPanel(input, {0, 0, 369, 226});
      postRefresh();
      nativeWindowModel();
    }
  });
  std::thread operatorThread([&] {
    for (int i = 0; !done; ++i) {
      clickSetupControl(i % 2 ? 1119 : 1117);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      if (i % 40 == 39) StartWindowThread();  // SHOWINFO while running: closed and reopened
    }
  });
  hostThread.join();
  painter.join();
  operatorThread.join();
  EXPECT_TRUE(waitForWindowsIdle());
  EXPECT_TRUE(setupWindowExists());
  StopWindowThread();
  EXPECT_FALSE(setupWindowExists());
  StateLock lock;
  EXPECT_EQ(lock.state().windows.refreshReady, 1);
}

}  // namespace
}  // namespace stats
