// The windows in a contest played through the exports: the callsign check posts the refreshes
// (throttled), removal posts them too, and the host object may live on the logger's own thread.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/contest_session_win.h"
#include "tests/support/fake_host_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/screenshot_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

class WindowSession : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(dll_.module(), nullptr);
    folder_.writeSetting("Start", "1");  // the reset does not open the windows by itself
    folder_.writeSetting("RDA", "1");
    folder_.writeSetting("DXCC", "1");
    writeDistrictTable();
  }
  void TearDown() override {
    if (dll_.module()) command("HIDEINFO");
  }
  void command(const char* text) { dll_.get<RunCommandFn>(decorated::RunCommand0)(0, text); }
  // Lets the window thread handle what was posted (sent messages come between posted ones).
  static void settle(HWND setup) {
    for (int i = 0; i < 4; ++i) {
      Sleep(25);
      DWORD_PTR ignored;
      SendMessageTimeoutA(setup, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    }
  }
  static int darkPixels(HWND panel, int left, int top, int right, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) dark += clientPixel(panel, x, y) == RGB(0, 0, 0);
    return dark;
  }
  static int listCount(HWND rda) {
    return static_cast<int>(SendDlgItemMessageA(rda, 1123, LB_GETCOUNT, 0, 0));
  }

  ScratchFolder folder_;
  StatsDll dll_;
};

TEST_F(WindowSession, TypingACallsignRefreshesTheWindowsThroughTheCallsignCheck) {
  FakeHost host;
  ASSERT_EQ(playContest(dll_, "DL5XX", "DL"), 8);
  command("SHOWINFO");
  const PluginWindows shown = waitForPluginWindows(true, true);
  ASSERT_NE(shown.dxcc, nullptr);
  ASSERT_NE(shown.rda, nullptr);
  EXPECT_EQ(windowText(shown.dxcc), "Previous QSO");
  EXPECT_EQ(listCount(shown.rda), 3);

  const char* typed[] = {"U", "UA", "UA9", "UA9A", "UA9AA"};
  const char* titles[] = {"Previous QSO", "Previous QSO", "RDAC 2026 worked with UA9",
                          "RDAC 2026 worked with UA9A", "RDAC 2026 worked with UA9AA"};
  for (int i = 0; i < 5; ++i) {
    host.setEntry(typed[i]);
    checkCall(dll_, typed[i]);
    settle(shown.setup);
    EXPECT_EQ(windowText(shown.dxcc), titles[i]) << typed[i];
  }
  // The table of UA9AA from the log: times on 20m and 40m, only a dash on 15m.
  HWND panel = GetDlgItem(shown.dxcc, 1003);
  UpdateWindow(panel);
  Sleep(100);
  RECT r;
  GetClientRect(panel, &r);
  const int h = r.bottom / 7;
  EXPECT_EQ(clientPixel(panel, 2, 4 * h + 11), RGB(198, 255, 255));  // 20m, the rig's band
  const int on20m = darkPixels(panel, 100, 4 * h + 10, 150, 5 * h);
  const int on40m = darkPixels(panel, 100, 3 * h + 10, 150, 4 * h);
  const int on15m = darkPixels(panel, 100, 5 * h + 10, 150, 6 * h);
  EXPECT_GT(on20m, 3 * on15m);
  EXPECT_GT(on40m, 3 * on15m);

  // However often the host calls the check, one refresh at a time is waiting.
  host.setDelayMs(30);
  const int before = host.calls();
  for (int i = 0; i < 50; ++i) checkCall(dll_, "UA9AA");
  Sleep(400);
  host.setDelayMs(0);
  settle(shown.setup);
  EXPECT_LE(host.calls() - before, 6);
  EXPECT_GE(host.calls() - before, 2);

  // Removal posts a refresh; the list follows the result's rebuild and the emptied log.
  removeQso(dll_, 7);  // RN6XY, KR01
  int status = 0;
  dll_.get<GetResultFn>(decorated::GetResult0)(&status);
  checkCall(dll_, "UA9AA");
  settle(shown.setup);
  EXPECT_EQ(listCount(shown.rda), 2);
  for (int i = 0; i < 7; ++i) removeQso(dll_, i);
  settle(shown.setup);
  EXPECT_EQ(listCount(shown.rda), 0);
}

// The logger's automation object lives in the logger's own apartment: the plug-in's calls are
// served only while the logger's thread pumps messages. SHOWINFO and HIDEINFO serve them while
// they wait, so nothing deadlocks. FreeLibrary first waits a second serving nothing (on Windows
// the window thread's call is cancelled meanwhile); Wine does not cancel, and the unload then
// serves the call.
TEST_F(WindowSession, HostObjectOnTheLoggersOwnThread) {
  FakeHost host(false);
  host.setEntry("UA9AA");
  DWORD start = GetTickCount();
  command("SHOWINFO");
  EXPECT_LT(GetTickCount() - start, 2000u);
  PluginWindows shown = findPluginWindows();
  ASSERT_NE(shown.dxcc, nullptr);
  EXPECT_EQ(windowText(shown.dxcc), "RDAC  worked with UA9AA");  // the first refresh ran
  EXPECT_EQ(host.commands(), std::vector<std::string>{"<MODE:CW>"});

  PostMessageA(shown.setup, WM_USER + 500, 0, 0);
  Sleep(100);  // the window thread now waits inside a host call for this thread
  start = GetTickCount();
  command("HIDEINFO");
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_FALSE(IsWindow(shown.setup));

  command("SHOWINFO");
  shown = findPluginWindows();
  ASSERT_NE(shown.setup, nullptr);
  PostMessageA(shown.setup, WM_USER + 500, 0, 0);
  Sleep(100);
  start = GetTickCount();
  EXPECT_TRUE(dll_.unload());
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_FALSE(IsWindow(shown.setup));
  EXPECT_FALSE(IsWindow(shown.dxcc));
  pumpMessages(200);
}

}  // namespace
}  // namespace stats::testing
