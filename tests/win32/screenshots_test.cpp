// A scripted session for the pictures of `make demo` (scripts/screenshots.sh sets
// STATS_SCREENSHOT_DIR; without it nothing is saved): a contest reset, QSOs fed, the result
// asked for, the windows shown and the host's entry line changed, as an operator would see them.
// It checks what it can through the exports; what the intake has not stored yet stays empty.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/fake_host_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/screenshot_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

struct Qso {
  const char* call;
  const char* prefix;
  const char* continent;
  const char* band;
  unsigned freqHz;
  const char* mode;
  int hour, minute;
  const char* exch;
};

const Qso kLog[] = {
    {"UA9AA", "UA9", "AS", "20m", 14025000, "CW", 10, 5, "SV01"},
    {"DL1AB", "DL", "EU", "20m", 14030000, "CW", 10, 7, "001"},
    {"OK1XY", "OK", "EU", "20m", 14032000, "CW", 10, 9, "002"},
    {"RA3AB", "UA", "EU", "20m", 14035000, "CW", 10, 12, "MA05"},
    {"UA9AA", "UA9", "AS", "20m", 14150000, "SSB", 10, 20, "SV01"},
    {"UA9AA", "UA9", "AS", "40m", 7010000, "CW", 11, 0, "SV01"},
    {"F5ABC", "F", "EU", "20m", 14040000, "CW", 11, 5, "003"},
    {"RN6XY", "UA", "EU", "40m", 7015000, "CW", 11, 10, "KR01"},
};

double oleDate(int year, int month, int day, int hour, int minute) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  double value = 0;
  SystemTimeToVariantTime(&t, &value);
  return value;
}

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
    writeFile("Plugins\\rda_rus.dat", "RDA districts\r\nSV-01 \r\nMA-05 \r\nKR-01 \r\nAD-01 \r\n");
  }
  void TearDown() override { dll_.get<RunCommandFn>(decorated::RunCommand0)(0, "HIDEINFO"); }

  static void writeFile(const char* name, const std::string& bytes) {
    HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
  }

  // Reset as station ownCall/ownPrefix, feed the log, ask for the result; the QSOs stored.
  int runContest(const char* ownCall, const char* ownPrefix) {
    HostDateTime start{oleDate(2026, 3, 7, 8, 0)}, end{oleDate(2026, 3, 7, 20, 0)};
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    lstrcatA(folder, "\\");
    dll_.get<ResetStatsFn>(decorated::ResetStats0)(folder, 0, ownCall, &start, &end, "", "", "", "",
                                                   "", "", "", "", "", ownPrefix, 0, 0, 0, 0, 0,
                                                   "", "EU", "");
    auto add = dll_.get<AddDataFn>(decorated::AddData0);
    int stored = 0;
    for (const Qso& q : kLog) {
      HostDateTime when{oleDate(2026, 3, 7, q.hour, q.minute)}, none{0, 2, 0};
      stored += add(ownCall, q.call, &when, &none, &none, &none, 0, q.freqHz, q.mode, "599", "599",
                    "001", q.exch, "", "", "", "", "", "", "", "", "", q.prefix, 0, 0, 0, 0, 0, "",
                    q.continent, "", q.band, "");
    }
    int status = 0;
    dll_.get<GetResultFn>(decorated::GetResult0)(&status);
    return stored;
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
