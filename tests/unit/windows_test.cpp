// The plug-in's windows on the native stand-in: the window thread's lifecycle, the setup
// window's behaviour and the refresh, read from the model of what the windows show.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "log/log_session.h"
#include "reports/result.h"
#include "tests/support/fake_host_link.h"
#include "tests/support/log_records.h"
#include "tests/support/native_windows.h"
#include "tests/support/plugin_state_reset.h"
#include "tests/support/scratch_dir.h"
#include "ui/window_port.h"
#include "ui/window_state.h"

namespace stats {
namespace {

using testing::FakeHost;

CInfo qso(const std::string& call, const std::string& band, const std::string& mode, int hour,
          int minute, const std::string& exch) {
  CInfo r;
  r.call = call;
  r.band = band;
  r.mode = mode;
  r.exchRcvd = exch;
  r.qsoTime = COleDateTime::fromParts(2026, 3, 7, hour, minute);
  return r;
}

// The window thread works on the test's own parts, behind the test's own lock.
class NativeWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories("Plugins");
    current_ = this;
    connectWindowState(mutex_, [] { return WindowView{current_->windows, current_->log, current_->result}; });
    log.contestYear = "2026";
    const char* names[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
    for (int i = 0; i < kBandCount; ++i) windows.BandInfoRows[i] = {names[i], "-", "-", "-", "-"};
  }
  void TearDown() override {
    StopWindowThread();
    reconnectWindowsToPluginState();
  }

  NativeWindowModel show() {
    StartWindowThread();
    EXPECT_TRUE(waitForWindowsIdle());
    return nativeWindowModel();
  }
  NativeWindowModel refresh() {
    postRefresh();
    EXPECT_TRUE(waitForWindowsIdle());
    return nativeWindowModel();
  }
  NativeWindowModel click(int id) {
    clickSetupControl(id);
    EXPECT_TRUE(waitForWindowsIdle());
    return nativeWindowModel();
  }
  std::string value(const std::string& key) {
    const std::string text = scratch_.read("Plugins/RDA.ini");
    const size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos) return "";
    const size_t start = at + key.size() + 2;
    return text.substr(start, text.find_first_of("\r\n", start) - start);
  }
  void writeSettings(const std::string& lines) {
    scratch_.write("Plugins/RDA.ini", "[Settings]\r\n" + lines);
  }
  template <class Change>
  void change(Change&& fn) {
    std::lock_guard<std::mutex> lock(mutex_);
    fn();
  }
  BandInfoRow row(int band) {
    std::lock_guard<std::mutex> lock(mutex_);
    return windows.BandInfoRows[band];
  }

  testing::ScratchDir scratch_;
  static inline NativeWindows* current_ = nullptr;
  std::mutex mutex_;
  WindowState windows;
  LogSession log;
  ResultState result;
};

TEST_F(NativeWindows, LifecycleFollowsShowAndHide) {
  EXPECT_FALSE(setupWindowExists());
  StartWindowThread();
  EXPECT_TRUE(waitForWindowsIdle());
  EXPECT_TRUE(setupWindowExists());
  StartWindowThread();  // again: closed and opened anew
  EXPECT_TRUE(waitForWindowsIdle());
  EXPECT_TRUE(setupWindowExists());
  StopWindowThread();
  EXPECT_FALSE(setupWindowExists());
  StopWindowThread();
  EXPECT_FALSE(setupWindowExists());
  const int before = postedRefreshCount();
  postRefresh();  // nothing to post to
  EXPECT_EQ(postedRefreshCount(), before);
}

TEST_F(NativeWindows, EscapeEndsTheWindowThread) {
  show();
  pressSetupEscape();
  for (int i = 0; i < 200 && setupWindowExists(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_FALSE(setupWindowExists());
}

TEST_F(NativeWindows, FirstOpeningWithoutSettingsOrHost) {
  const NativeWindowModel m = show();
  EXPECT_EQ(m.setupTitle, "Setup RDAC");
  EXPECT_EQ(m.setupPosition.x, 10);
  EXPECT_EQ(m.setupPosition.y, 10);
  EXPECT_FALSE(m.enabled.at(1003));
  EXPECT_TRUE(m.enabled.at(1004));
  EXPECT_FALSE(m.rdaOpen);
  EXPECT_FALSE(m.dxccOpen);
  for (int id : {1115, 1116, 1117, 1119}) EXPECT_FALSE(m.checked.at(id)) << id;
  EXPECT_EQ(m.controlTexts.at(1116), "Previous QSO");
  EXPECT_EQ(m.controlTexts.at(1124), "To display");
  EXPECT_EQ(m.refreshesHandled, 1);
  std::lock_guard<std::mutex> lock(mutex_);
  EXPECT_EQ(windows.refreshReady, 1);
  EXPECT_EQ(windows.useHint, 0);
}

TEST_F(NativeWindows, SettingsOpenTheWindowsAtTheirPlaces) {
  writeSettings("setup_mast=1\r\nRDA=1\r\nDXCC=1\r\nbaud_x=40\r\nbaud_y=0\r\nsetup_window_on_top=1\r\n");
  const NativeWindowModel m = show();
  EXPECT_TRUE(m.rdaOpen);
  EXPECT_TRUE(m.dxccOpen);
  EXPECT_TRUE(m.checked.at(1115));
  EXPECT_TRUE(m.checked.at(1116));
  EXPECT_TRUE(m.checked.at(1117));
  EXPECT_FALSE(m.checked.at(1119));  // not read back
  EXPECT_EQ(m.controlTexts.at(1116), "View previous QSO");
  EXPECT_EQ(m.setupPosition.x, 40);
  EXPECT_EQ(m.setupPosition.y, 10);
  EXPECT_EQ(m.rdaPosition.x, 0);
  EXPECT_EQ(m.rdaPosition.y, 0);
  EXPECT_EQ(m.dxccPosition.x, 10);
  EXPECT_EQ(m.dxccPosition.y, 400);
  EXPECT_EQ(m.dxccTitle, "DXCC");  // no host: the refresh stops at step 3
  std::lock_guard<std::mutex> lock(mutex_);
  EXPECT_EQ(windows.useHint, 1);
  EXPECT_EQ(windows.windowOnTop, 0);
}

TEST_F(NativeWindows, TextsFollowTheTwoFlags) {
  change([&] { log.ownRussian = 1; });
  NativeWindowModel m = show();
  EXPECT_EQ(m.setupTitle, "Setup RDAC-2026");
  EXPECT_EQ(m.controlTexts.at(1124), "\xcf\xee\xea\xe0\xe7\xfb\xe2\xe0\xf2\xfc");
  EXPECT_EQ(m.controlTexts.at(1116), "QSO");
  EXPECT_EQ(m.controlTexts.at(1117),
            "\xc8\xf1\xef\xee\xeb\xfc\xe7\xee\xe2\xe0\xf2\xfc \xef\xee\xe4\xf1\xea\xe0\xe7\xea\xf3");
  EXPECT_EQ(m.controlTexts.at(1119), "Window on top");
  StopWindowThread();
  change([&] { log.russianTexts = 1; });
  m = show();
  EXPECT_EQ(m.setupTitle, "\xd3\xf1\xf2\xe0\xed\xee\xe2\xea\xe8 RDAC-2026");
  EXPECT_EQ(m.controlTexts.at(1116), "DXCC");
}

TEST_F(NativeWindows, ModeButtonsAndCwAtOpening) {
  FakeHost host;
  NativeWindowModel m = show();
  EXPECT_EQ(host.commands(), std::vector<std::string>{"<MODE:CW>"});
  m = click(1004);
  EXPECT_FALSE(m.enabled.at(1004));
  EXPECT_TRUE(m.enabled.at(1003));
  m = click(1003);
  EXPECT_FALSE(m.enabled.at(1003));
  EXPECT_EQ(host.commands(), (std::vector<std::string>{"<MODE:CW>", "<MODE:SSB>", "<MODE:CW>"}));
}

TEST_F(NativeWindows, CheckBoxesToggleWindowsAndWriteKeys) {
  FakeHost host;
  show();
  NativeWindowModel m = click(1115);
  EXPECT_TRUE(m.rdaOpen);
  EXPECT_EQ(value("RDA"), "1");
  EXPECT_EQ(m.rdaTitle, "RDA worked");
  m = click(1116);
  EXPECT_TRUE(m.dxccOpen);
  EXPECT_EQ(value("DXCC"), "1");
  EXPECT_EQ(m.dxccTitle, "Previous QSO");
  m = click(1117);
  EXPECT_TRUE(m.checked.at(1117));
  EXPECT_EQ(value("setup_mast"), "1");
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EXPECT_EQ(windows.useHint, 1);
  }
  m = click(1119);  // closed and reopened by the refresh
  EXPECT_TRUE(m.rdaOpen);
  EXPECT_TRUE(m.dxccOpen);
  EXPECT_EQ(value("setup_window_on_top"), "1");
  {
    std::lock_guard<std::mutex> lock(mutex_);
    EXPECT_EQ(windows.windowOnTop, 1);
  }
  m = click(1115);
  EXPECT_FALSE(m.rdaOpen);
  EXPECT_FALSE(m.checked.at(1115));
  EXPECT_EQ(value("RDA"), "0");
  m = click(1116);
  EXPECT_FALSE(m.dxccOpen);
  EXPECT_EQ(value("DXCC"), "0");
}

TEST_F(NativeWindows, WorkedWithTableTakesTheLastRecordInLogOrder) {
  change([&] {
    appendRecord(log.qsoLog, qso("UA9AA", "20m", "CW", 10, 5, "054"));
    appendRecord(log.qsoLog, qso("UA9AA", "20m", "SSB", 10, 20, "055"));
    appendRecord(log.qsoLog, qso("UA9AA", "40m", "CW", 11, 0, "056"));
    appendRecord(log.qsoLog, qso("UA9AA", "80m", "CW", 12, 0, "001"));
    appendRecord(log.qsoLog, qso("UA9AA", "80m", "CW", 9, 0, "002"));  // later in the log, earlier time
    appendRecord(log.qsoLog, qso("UA9BB", "15m", "CW", 9, 0, "003"));
    appendRecord(log.qsoLog, qso("UA9AA", "20M", "CW", 13, 0, "004"));  // band texts compare exactly
  });
  FakeHost host;
  host.setEntry("UA9AA");
  show();
  const NativeWindowModel m = refresh();
  EXPECT_EQ(row(3), (BandInfoRow{"20m", "10:05", "10:20", "055", "-"}));
  EXPECT_EQ(row(2), (BandInfoRow{"40m", "11:00", "   -", "056", "-"}));
  EXPECT_EQ(row(1), (BandInfoRow{"80m", "09:00", "   -", "002", "-"}));
  EXPECT_EQ(row(4), (BandInfoRow{"15m", "   -", "   -", "   -", "-"}));
  EXPECT_EQ(row(0), (BandInfoRow{"160m", "   -", "   -", "   -", "-"}));
  std::lock_guard<std::mutex> lock(mutex_);
  EXPECT_EQ(windows.enteredCall, "UA9AA");
  EXPECT_EQ(windows.enteredCallPresent, 1);
  EXPECT_EQ(windows.currentBand, 3);
  EXPECT_EQ(windows.refreshReady, 1);
}

TEST_F(NativeWindows, EntryInLowerCaseMatchesNothing) {
  change([&] { appendRecord(log.qsoLog, qso("UA9AA", "20m", "CW", 10, 5, "054")); });
  FakeHost host;
  host.setEntry("ua9aa");
  show();
  refresh();
  EXPECT_EQ(row(3), (BandInfoRow{"20m", "   -", "   -", "   -", "-"}));
}

TEST_F(NativeWindows, TypingLetterByLetterKeepsThePreviousTableForTwoLetters) {
  writeSettings("DXCC=1\r\n");
  change([&] {
    appendRecord(log.qsoLog, qso("UA9AA", "20m", "CW", 10, 5, "054"));
    appendRecord(log.qsoLog, qso("UA3XY", "20m", "SSB", 8, 15, "MA05"));
  });
  FakeHost host;
  host.setEntry("UA9AA");
  show();
  NativeWindowModel m = refresh();
  EXPECT_EQ(m.dxccTitle, "RDAC 2026 worked with UA9AA");
  const char* typed[] = {"U", "UA", "UA3", "UA3X", "UA3XY"};
  const char* titles[] = {"RDAC 2026 worked with UA9AA", "RDAC 2026 worked with UA9AA",
                          "RDAC 2026 worked with UA3", "RDAC 2026 worked with UA3X",
                          "RDAC 2026 worked with UA3XY"};
  for (int i = 0; i < 5; ++i) {
    host.setEntry(typed[i]);
    m = refresh();
    EXPECT_EQ(m.dxccTitle, titles[i]) << typed[i];
    EXPECT_EQ(row(3)[1], i < 2 ? "10:05" : "   -") << typed[i];
  }
  EXPECT_EQ(row(3)[2], "08:15");
  EXPECT_EQ(row(3)[3], "MA05");
  host.setEntry("");
  m = refresh();
  EXPECT_EQ(m.dxccTitle, "Previous QSO");
  EXPECT_EQ(row(3)[1], "   -");
  std::lock_guard<std::mutex> lock(mutex_);
  EXPECT_EQ(windows.enteredCallPresent, 0);
}

TEST_F(NativeWindows, FrequencyDecidesTheBandOrStopsTheRefresh) {
  writeSettings("DXCC=1\r\n");
  FakeHost host;
  show();
  auto band = [&] {
    std::lock_guard<std::mutex> lock(mutex_);
    return windows.currentBand;
  };
  host.setFrequency(1850000.0);
  NativeWindowModel m = refresh();
  EXPECT_EQ(band(), 0);
  const int repaints = m.dxccInvalidations;
  host.setFrequency(29600000.0);  // whole MHz 29: not 10m
  m = refresh();
  EXPECT_EQ(band(), 0);
  EXPECT_EQ(m.dxccInvalidations, repaints);  // nothing repainted
  host.setFrequency(14000000.0);
  m = refresh();
  EXPECT_EQ(band(), 3);
  EXPECT_EQ(m.dxccInvalidations, repaints + 1);
  host.setFrequency(0.0);
  refresh();
  EXPECT_EQ(band(), 3);
  std::lock_guard<std::mutex> lock(mutex_);
  EXPECT_EQ(windows.refreshReady, 1);
}

TEST_F(NativeWindows, RussianTitlesAndThePrefixCount) {
  writeSettings("DXCC=1\r\nRDA=1\r\n");
  change([&] {
    log.ownRussian = log.russianTexts = 1;
    result.bandPrefixes[3] = {"UA", "DL", "OK"};
  });
  FakeHost host;
  show();
  NativeWindowModel m = refresh();
  EXPECT_EQ(m.dxccTitle, "DXCC \xf1\xf0\xe0\xe1\xee\xf2\xe0\xed\xee \xed\xe0 20m 3 of 338");
  EXPECT_EQ(m.rdaTitle, "RDA \xf1\xf0\xe0\xe1\xee\xf2\xe0\xed\xee");
  EXPECT_EQ(m.controlTexts.at(1116), "DXCC");  // not relabelled for russianTexts
  host.setEntry("UA9AA");
  m = refresh();
  EXPECT_EQ(m.dxccTitle, "RDAC 2026 \xf0\xe0\xe1\xee\xf2\xe0\xeb \xf1 UA9AA");
}

TEST_F(NativeWindows, OwnRussianWithoutRussianTextsGetsTheRussianPreviousQso) {
  writeSettings("DXCC=1\r\n");
  change([&] { log.ownRussian = 1; });
  FakeHost host;
  const NativeWindowModel m = show();
  EXPECT_EQ(m.dxccTitle, "\xcf\xf0\xe5\xe4\xfb\xe4\xf3\xf9\xe8\xe5 QSO");
  EXPECT_EQ(m.controlTexts.at(1116), "\xcf\xf0\xe5\xe4\xfb\xe4\xf3\xf9\xe8\xe5 QSO");
}

TEST_F(NativeWindows, RdaListIsRefilledOnlyWhenTheCountChanges) {
  writeSettings("RDA=1\r\n");
  change([&] { result.workedDistricts = {"MA05", "AD01"}; });
  FakeHost host;
  NativeWindowModel m = show();
  EXPECT_EQ(m.rdaList, (std::vector<std::string>{" AD01", " MA05"}));
  EXPECT_EQ(m.rdaListFills, 1);
  m = refresh();
  EXPECT_EQ(m.rdaListFills, 1);
  EXPECT_GE(m.rdaInvalidations, 2);
  change([&] { result.workedDistricts.push_back("AB12"); });
  m = refresh();
  EXPECT_EQ(m.rdaListFills, 2);
  EXPECT_EQ(m.rdaList, (std::vector<std::string>{" AB12", " AD01", " MA05"}));
  // Hidden and shown again: filled again at the first refresh.
  StopWindowThread();
  m = show();
  EXPECT_EQ(m.rdaListFills, 1);
  EXPECT_EQ(m.rdaList.size(), 3u);
}

TEST_F(NativeWindows, AFailingHostChangesNothingAndAGoneHostIsDropped) {
  writeSettings("DXCC=1\r\n");
  FakeHost host;
  host.setEntry("UA9AA");
  show();
  NativeWindowModel m = refresh();
  EXPECT_EQ(m.dxccTitle, "RDAC 2026 worked with UA9AA");
  host.setFailing(true);
  host.setEntry("UA3XY");
  m = refresh();
  EXPECT_EQ(m.dxccTitle, "RDAC 2026 worked with UA9AA");
  host.setFailing(false);
  m = refresh();
  EXPECT_EQ(m.dxccTitle, "RDAC 2026 worked with UA3XY");
  host.setGone();
  const int queries = host.entryQueries();
  refresh();
  refresh();
  EXPECT_EQ(host.entryQueries(), queries + 1);  // asked once, then the link is dropped
  std::lock_guard<std::mutex> lock(mutex_);
  EXPECT_EQ(windows.refreshReady, 1);
}

TEST_F(NativeWindows, PostedRefreshesAreCountedWhileTheWindowsAreOpen) {
  show();
  const int before = postedRefreshCount();
  for (int i = 0; i < 5; ++i) postRefresh();
  EXPECT_EQ(postedRefreshCount(), before + 5);
  EXPECT_TRUE(waitForWindowsIdle());
}

}  // namespace
}  // namespace stats
