// A scripted session for the pictures of `make demo` (scripts/screenshots.sh sets
// STATS_SCREENSHOT_DIR; without it nothing is saved): a contest reset, QSOs fed, the result
// asked for, the windows shown and the host's entry line changed, as an operator would see them.
// It checks what it can through the exports; what the intake has not stored yet stays empty.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/contest_session_win.h"
#include "tests/support/fake_host_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/screenshot_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

class Screenshots : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(dll_.module(), nullptr);
    folder_.writeSetting("Start", "1");  // the reset itself does not open the windows
    folder_.writeSetting("RDA", "1");
    folder_.writeSetting("DXCC", "1");
    folder_.writeSetting("baud_x", "10");
    folder_.writeSetting("baud_y", "10");
    folder_.writeSetting("rda_x", "10");
    folder_.writeSetting("rda_y", "140");
    folder_.writeSetting("dxcc_x", "420");
    folder_.writeSetting("dxcc_y", "10");
    writeDistrictTable();
  }
  void TearDown() override { dll_.get<RunCommandFn>(decorated::RunCommand0)(0, "HIDEINFO"); }

  int runContest(const char* ownCall, const char* ownPrefix) {
    return playContest(dll_, ownCall, ownPrefix);
  }

  PluginWindows showWindows() {
    dll_.get<RunCommandFn>(decorated::RunCommand0)(0, "SHOWINFO");
    PluginWindows shown = waitForPluginWindows(true, true);
    refresh(shown.setup);
    return shown;
  }
  // Posts a refresh and lets the window thread handle it and repaint (a sent message is served
  // between two posted ones, so a few rounds make sure the posted refresh has gone through).
  void refresh(HWND setup) {
    PostMessageA(setup, WM_USER + 500, 0, 0);
    for (int i = 0; i < 4; ++i) {
      Sleep(40);
      DWORD_PTR ignored;
      SendMessageTimeoutA(setup, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    }
  }
  void picture(HWND window, const std::string& expectedTitle, const char* name) {
    waitUntil([&] { return windowText(window) == expectedTitle; }, 3000);
    Sleep(150);  // the repaint follows the refresh once the queue is empty
    saveScreenshot(window, name);
  }

  ScratchFolder folder_;
  StatsDll dll_;
};

TEST_F(Screenshots, EnglishStation) {
  FakeHost host;
  const int stored = runContest("DL5XX", "DL");
  if (stored == 0) std::printf("note: the intake stored no QSO; the tables stay empty\n");
  const PluginWindows shown = showWindows();
  ASSERT_NE(shown.setup, nullptr);
  ASSERT_NE(shown.rda, nullptr);
  ASSERT_NE(shown.dxcc, nullptr);
  EXPECT_EQ(windowText(shown.setup), "Setup RDAC");
  EXPECT_EQ(windowText(shown.rda), "RDA worked");
  EXPECT_EQ(windowText(shown.dxcc), "Previous QSO");
  picture(shown.setup, "Setup RDAC", "setup");
  picture(shown.rda, "RDA worked", "rda");
  if (stored) {
    EXPECT_EQ(SendDlgItemMessageA(shown.rda, 1123, LB_GETCOUNT, 0, 0), 3);
    char entry[32] = {};
    SendDlgItemMessageA(shown.rda, 1123, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, " KR01");
    // The first entry is drawn (a refill once left it blank until the next full repaint).
    HWND list = GetDlgItem(shown.rda, 1123);
    int dark = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 60; ++x) dark += clientPixel(list, x, y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 10);
  }
  picture(shown.dxcc, "Previous QSO", "dxcc_empty");
  host.setEntry("UA9AA");
  refresh(shown.setup);
  // The contest year comes from the reset; until the reset is built it stays empty.
  const std::string title = stored ? "RDAC 2026 worked with UA9AA" : "RDAC  worked with UA9AA";
  picture(shown.dxcc, title, "dxcc_worked_with");
  EXPECT_EQ(windowText(shown.dxcc), title);
}

// Under the Windows-1251 code page (the Cyrillic tests run with a Russian locale).
TEST_F(Screenshots, CyrillicRussianStation) {
  FakeHost host;
  runContest("RA3AA", "UA");
  const PluginWindows shown = showWindows();
  ASSERT_NE(shown.setup, nullptr);
  if (windowText(shown.setup) == "Setup RDAC") GTEST_SKIP() << "the reset does not set the flags yet";
  EXPECT_EQ(windowText(shown.setup), "\xd3\xf1\xf2\xe0\xed\xee\xe2\xea\xe8 RDAC-2026");
  EXPECT_EQ(windowText(shown.rda), "RDA \xf1\xf0\xe0\xe1\xee\xf2\xe0\xed\xee");
  EXPECT_EQ(itemText(shown.setup, 1124), "\xcf\xee\xea\xe0\xe7\xfb\xe2\xe0\xf2\xfc");
  picture(shown.setup, windowText(shown.setup), "setup_russian");
  picture(shown.rda, windowText(shown.rda), "rda_russian");
  picture(shown.dxcc, windowText(shown.dxcc), "dxcc_prefix_grid");
  EXPECT_EQ(windowText(shown.dxcc), "DXCC \xf1\xf0\xe0\xe1\xee\xf2\xe0\xed\xee \xed\xe0 20m 5 of 338");
  EXPECT_EQ(SendDlgItemMessageA(shown.rda, 1123, LB_GETCOUNT, 0, 0), 3);
  host.setEntry("UA9AA");
  refresh(shown.setup);
  const std::string title = "RDAC 2026 \xf0\xe0\xe1\xee\xf2\xe0\xeb \xf1 UA9AA";
  picture(shown.dxcc, title, "dxcc_worked_with_russian");
  EXPECT_EQ(windowText(shown.dxcc), title);
}

}  // namespace
}  // namespace stats::testing
