// The setup, RDA and DXCC windows under Wine, driven as the operator and the host drive them:
// check boxes and buttons clicked, the fake host's entry line and frequency changed, refresh
// requests posted; checked through window texts, control states, settings and pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/contest_session_win.h"
#include "tests/support/fake_host_win.h"
#include "tests/support/import_hook_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/screenshot_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

constexpr UINT kRefresh = WM_USER + 500;
const COLORREF kBackground = RGB(255, 250, 198);
const COLORREF kTable = RGB(255, 255, 198);
const COLORREF kHighlight = RGB(198, 255, 255);

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(dll_.module(), nullptr);
    command_ = dll_.get<RunCommandFn>(decorated::RunCommand0);
  }
  void TearDown() override { command_(0, "HIDEINFO"); }

  PluginWindows show(bool rda = false, bool dxcc = false) {
    command_(0, "SHOWINFO");
    PluginWindows shown = waitForPluginWindows(rda, dxcc);
    settle(shown.setup);
    return shown;
  }
  // Lets the window thread handle everything posted so far (the fake host answers meanwhile).
  void settle(HWND setup) {
    if (!setup) return;
    // A sent message is served between two posted ones: a few rounds let the posted ones through.
    for (int i = 0; i < 4; ++i) {
      Sleep(25);
      DWORD_PTR ignored;
      SendMessageTimeoutA(setup, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    }
  }
  void click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    settle(dialog);
  }
  void refresh(HWND setup) {
    PostMessageA(setup, kRefresh, 0, 0);
    settle(setup);
  }
  COLORREF panelPixel(HWND dxcc, int x, int y) {
    HWND panel = GetDlgItem(dxcc, 1003);
    UpdateWindow(panel);
    return clientPixel(panel, x, y);
  }
  int rowHeight(HWND dxcc) {
    RECT r;
    GetClientRect(GetDlgItem(dxcc, 1003), &r);
    return r.bottom / 7;
  }

  ScratchFolder folder_;
  StatsDll dll_;
  RunCommandFn command_ = nullptr;
};

TEST_F(Windows, ModeButtonsSendTheirCommandsToTheHost) {
  FakeHost host;
  const PluginWindows shown = show();
  ASSERT_NE(shown.setup, nullptr);
  ASSERT_TRUE(waitUntil([&] { return !host.commands().empty(); }));
  EXPECT_EQ(host.commands(), std::vector<std::string>{"<MODE:CW>"});  // CW at every opening
  EXPECT_FALSE(isEnabled(shown.setup, 1003));

  click(shown.setup, 1004);
  EXPECT_FALSE(isEnabled(shown.setup, 1004));
  EXPECT_TRUE(isEnabled(shown.setup, 1003));
  click(shown.setup, 1003);
  EXPECT_FALSE(isEnabled(shown.setup, 1003));
  EXPECT_TRUE(isEnabled(shown.setup, 1004));
  EXPECT_EQ(host.commands(), (std::vector<std::string>{"<MODE:CW>", "<MODE:SSB>", "<MODE:CW>"}));
}

TEST_F(Windows, WithoutAHostTheWindowsWorkAllTheSame) {
  folder_.writeSetting("DXCC", "1");
  const PluginWindows shown = show(false, true);
  ASSERT_NE(shown.setup, nullptr);
  ASSERT_NE(shown.dxcc, nullptr);
  EXPECT_FALSE(isEnabled(shown.setup, 1003));
  click(shown.setup, 1004);
  EXPECT_FALSE(isEnabled(shown.setup, 1004));
  refresh(shown.setup);
  EXPECT_EQ(windowText(shown.dxcc), "DXCC");  // the refresh stops at step 3
  EXPECT_TRUE(isChecked(shown.setup, 1116));
  EXPECT_EQ(itemText(shown.setup, 1116), "View previous QSO");  // opened by the refresh
}

TEST_F(Windows, AFailingHostLeavesTheWindowsAsTheyWere) {
  FakeHost host;
  folder_.writeSetting("DXCC", "1");
  const PluginWindows shown = show(false, true);
  ASSERT_NE(shown.dxcc, nullptr);
  EXPECT_EQ(windowText(shown.dxcc), "Previous QSO");
  host.setFailing(true);
  host.setEntry("UA9AA");
  for (int i = 0; i < 5; ++i) refresh(shown.setup);
  EXPECT_EQ(windowText(shown.dxcc), "Previous QSO");
  click(shown.setup, 1004);  // the button still marks the mode
  EXPECT_FALSE(isEnabled(shown.setup, 1004));
  host.setFailing(false);
  refresh(shown.setup);
  EXPECT_EQ(windowText(shown.dxcc), "RDAC  worked with UA9AA");
}

using CreateDialogParamFn = HWND(WINAPI*)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
CreateDialogParamFn realCreateDialogParam = nullptr;
int dialogsCreated = 0;

HWND WINAPI countedCreateDialogParam(HINSTANCE module, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  ++dialogsCreated;
  return realCreateDialogParam(module, name, owner, proc, param);
}

// Once the windows are up, the window thread makes no window (which would need the loader
// lock that an unload holds): opening and closing only shows and hides them.
TEST_F(Windows, CheckBoxesOpenAndCloseTheWindowsAndWriteTheirKeys) {
  FakeHost host;
  PluginWindows shown = show();
  ASSERT_NE(shown.setup, nullptr);
  realCreateDialogParam = reinterpret_cast<CreateDialogParamFn>(replaceImport(
      dll_.module(), "user32.dll", "CreateDialogParamA", reinterpret_cast<void*>(&countedCreateDialogParam)));
  ASSERT_NE(realCreateDialogParam, nullptr);
  dialogsCreated = 0;
  EXPECT_EQ(shown.rda, nullptr);
  EXPECT_EQ(shown.dxcc, nullptr);

  click(shown.setup, 1115);
  shown = findPluginWindows();
  ASSERT_NE(shown.rda, nullptr);
  EXPECT_TRUE(isChecked(shown.setup, 1115));
  EXPECT_EQ(folder_.setting("RDA"), "1");
  EXPECT_EQ(windowText(shown.rda), "RDA worked");
  EXPECT_EQ(SendDlgItemMessageA(shown.rda, 1123, LB_GETCOUNT, 0, 0), 0);
  const RECT rdaAt = windowRect(shown.rda);
  EXPECT_EQ(rdaAt.left, 0);
  EXPECT_EQ(rdaAt.top, 0);
  EXPECT_FALSE(isTopmost(shown.rda));

  click(shown.setup, 1116);
  shown = findPluginWindows();
  ASSERT_NE(shown.dxcc, nullptr);
  EXPECT_EQ(folder_.setting("DXCC"), "1");
  EXPECT_EQ(itemText(shown.setup, 1116), "Previous QSO");  // relabelled only by the refresh
  EXPECT_EQ(windowText(shown.dxcc), "Previous QSO");
  const RECT dxccAt = windowRect(shown.dxcc);
  EXPECT_EQ(dxccAt.left, 10);
  EXPECT_EQ(dxccAt.top, 400);

  click(shown.setup, 1117);
  EXPECT_TRUE(isChecked(shown.setup, 1117));
  EXPECT_EQ(folder_.setting("setup_mast"), "1");

  const HWND oldRda = shown.rda, oldDxcc = shown.dxcc;
  click(shown.setup, 1119);
  EXPECT_EQ(folder_.setting("setup_window_on_top"), "1");
  shown = findPluginWindows();  // closed and opened again, now topmost
  EXPECT_EQ(shown.rda, oldRda);
  EXPECT_EQ(shown.dxcc, oldDxcc);
  ASSERT_NE(shown.rda, nullptr);
  ASSERT_NE(shown.dxcc, nullptr);
  EXPECT_TRUE(isTopmost(shown.rda));
  EXPECT_TRUE(isTopmost(shown.dxcc));
  EXPECT_TRUE(isChecked(shown.setup, 1119));

  click(shown.setup, 1115);
  EXPECT_FALSE(IsWindowVisible(shown.rda));
  EXPECT_FALSE(isChecked(shown.setup, 1115));
  EXPECT_EQ(folder_.setting("RDA"), "0");
  click(shown.setup, 1116);
  EXPECT_FALSE(IsWindowVisible(shown.dxcc));
  EXPECT_EQ(folder_.setting("DXCC"), "0");
  click(shown.setup, 1117);
  EXPECT_EQ(folder_.setting("setup_mast"), "0");
  EXPECT_EQ(dialogsCreated, 0);
  replaceImport(dll_.module(), "user32.dll", "CreateDialogParamA", reinterpret_cast<void*>(realCreateDialogParam));

  // "Window on top" is not read back: the next setup window starts with it off.
  command_(0, "HIDEINFO");
  shown = show();
  EXPECT_FALSE(isChecked(shown.setup, 1119));
}

TEST_F(Windows, EnterAndEscapeLeaveTheRdaAndDxccWindowsOpen) {
  folder_.writeSetting("RDA", "1");
  folder_.writeSetting("DXCC", "1");
  const PluginWindows shown = show(true, true);
  ASSERT_NE(shown.rda, nullptr);
  ASSERT_NE(shown.dxcc, nullptr);
  for (HWND window : {shown.rda, shown.dxcc}) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(window));
  }
  EXPECT_TRUE(isChecked(shown.setup, 1115));
  EXPECT_TRUE(isChecked(shown.setup, 1116));
}

TEST_F(Windows, PositionsAreSavedWhenTheMouseComesOverAMovedWindow) {
  folder_.writeSetting("RDA", "1");
  folder_.writeSetting("DXCC", "1");
  const PluginWindows shown = show(true, true);
  ASSERT_NE(shown.rda, nullptr);
  auto moveAndHover = [](HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  };
  moveAndHover(shown.setup, 123, 77);
  EXPECT_EQ(folder_.setting("baud_x"), "123");
  EXPECT_EQ(folder_.setting("baud_y"), "77");
  folder_.writeSetting("baud_y", "5");
  moveAndHover(shown.setup, 150, 77);  // only horizontally: only x is written
  EXPECT_EQ(folder_.setting("baud_x"), "150");
  EXPECT_EQ(folder_.setting("baud_y"), "5");

  moveAndHover(shown.rda, 300, 200);
  EXPECT_EQ(folder_.setting("rda_x"), "300");
  EXPECT_EQ(folder_.setting("rda_y"), "200");
  moveAndHover(shown.dxcc, -12345, 23456);  // beyond -999..9999: stored in full
  EXPECT_EQ(folder_.setting("dxcc_x"), "-12345");
  EXPECT_EQ(folder_.setting("dxcc_y"), "23456");

  command_(0, "HIDEINFO");
  const PluginWindows again = show(true, true);
  ASSERT_NE(again.rda, nullptr);
  EXPECT_EQ(windowRect(again.setup).left, 150);
  EXPECT_EQ(windowRect(again.setup).top, 5);
  EXPECT_EQ(windowRect(again.rda).left, 300);
  EXPECT_EQ(windowRect(again.dxcc).left, -12345);
}

TEST_F(Windows, ResizingKeepsTheMargins) {
  folder_.writeSetting("RDA", "1");
  folder_.writeSetting("DXCC", "1");
  const PluginWindows shown = show(true, true);
  ASSERT_NE(shown.dxcc, nullptr);
  SetWindowPos(shown.dxcc, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(shown.rda, nullptr, 0, 0, 380, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  settle(shown.setup);
  auto childRect = [](HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  RECT client;
  GetClientRect(shown.dxcc, &client);
  RECT panel = childRect(shown.dxcc, 1003);
  EXPECT_EQ(panel.left, 5);
  EXPECT_EQ(panel.top, 5);
  EXPECT_EQ(panel.right, client.right - 5);
  EXPECT_EQ(panel.bottom, client.bottom - 5);
  GetClientRect(shown.rda, &client);
  RECT list = childRect(shown.rda, 1123);
  EXPECT_EQ(list.left, 1);
  EXPECT_EQ(list.top, 1);
  EXPECT_EQ(list.right, client.right - 3);
  EXPECT_EQ(list.bottom, client.bottom - 3);
}

TEST_F(Windows, TheRefreshFollowsTheEntryLineLetterByLetterAndTheRigsBand) {
  FakeHost host;
  folder_.writeSetting("RDA", "1");
  folder_.writeSetting("DXCC", "1");
  const PluginWindows shown = show(true, true);
  ASSERT_NE(shown.dxcc, nullptr);
  EXPECT_EQ(windowText(shown.dxcc), "Previous QSO");
  EXPECT_EQ(windowText(shown.rda), "RDA worked");
  // Empty entry line: the grid view, empty for a station without the Russian texts.
  EXPECT_EQ(panelPixel(shown.dxcc, 3, 3), kBackground);
  EXPECT_EQ(panelPixel(shown.dxcc, 200, 100), kBackground);

  const char* typed[] = {"U", "UA", "UA9", "UA9A", "UA9AA"};
  const char* titles[] = {"Previous QSO", "Previous QSO", "RDAC  worked with UA9",
                          "RDAC  worked with UA9A", "RDAC  worked with UA9AA"};
  for (int i = 0; i < 5; ++i) {
    host.setEntry(typed[i]);
    refresh(shown.setup);
    EXPECT_EQ(windowText(shown.dxcc), titles[i]) << typed[i];
  }
  // The worked-with table with the 20m row (index 3) highlighted.
  const int h = rowHeight(shown.dxcc);
  ASSERT_GT(h, 12);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 2), kTable);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 4 * h + 11), kHighlight);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 5 * h - 1), kHighlight);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 4 * h + 8), kTable);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 5 * h + 1), kTable);
  saveScreenshot(shown.dxcc, "dxcc_worked_with");

  host.setFrequency(7020000.0);  // 40m
  refresh(shown.setup);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 3 * h + 11), kHighlight);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 4 * h + 11), kTable);

  host.setFrequency(29600000.0);  // not 10m: the refresh stops, the panel keeps its band
  refresh(shown.setup);
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 3 * h + 11), kHighlight);

  host.setEntry("");
  host.setFrequency(14025000.0);
  refresh(shown.setup);
  EXPECT_EQ(windowText(shown.dxcc), "Previous QSO");
  EXPECT_EQ(panelPixel(shown.dxcc, 2, 4 * h + 11), kBackground);
  saveScreenshot(shown.setup, "setup");
  saveScreenshot(shown.rda, "rda");
}

// Under the Windows-1251 code page: the Russian label must not be cut by its box.
TEST_F(Windows, CyrillicUseHintLabelFitsItsCheckBox) {
  folder_.writeSetting("Start", "1");  // the reset itself does not open the windows
  writeDistrictTable();
  playContest(dll_, "RA3AA", "UA");
  const PluginWindows shown = show();
  ASSERT_NE(shown.setup, nullptr);
  const std::string label = itemText(shown.setup, 1117);
  ASSERT_EQ(label, "\xc8\xf1\xef\xee\xeb\xfc\xe7\xee\xe2\xe0\xf2\xfc \xef\xee\xe4\xf1\xea\xe0\xe7\xea\xf3");
  HWND box = GetDlgItem(shown.setup, 1117);
  HDC dc = GetDC(box);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
  SIZE text = {};
  GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &text);
  INT digit = 0;
  GetCharWidth32A(dc, '0', '0', &digit);
  // The system draws the label after the box mark and half a digit's width.
  const int mark = 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1;
  SelectObject(dc, previous);
  ReleaseDC(box, dc);
  RECT client;
  GetClientRect(box, &client);
  EXPECT_LE(mark + digit / 2 + text.cx, client.right);
  RECT boxInSetup = windowRect(box), setupClient;
  MapWindowPoints(nullptr, shown.setup, reinterpret_cast<POINT*>(&boxInSetup), 2);
  GetClientRect(shown.setup, &setupClient);
  EXPECT_LE(boxInSetup.right, setupClient.right);  // not cut by the window either
}

}  // namespace
}  // namespace stats::testing
