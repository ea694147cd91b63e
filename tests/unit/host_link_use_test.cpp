// How the setup logic holds the host link: connected only while a refresh or a mode button uses
// it, and never given back or dropped under a host call that is still running, even when a
// message handled inside that call (as a COM call lets through) runs the logic again.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/support/plugin_state_reset.h"
#include "tests/support/scratch_dir.h"
#include "ui/setup_controller.h"

namespace stats {
namespace {

class QuietWindows final : public WindowSet {
 public:
  bool isOpen(InfoWindow) const override { return false; }
  void open(InfoWindow) override {}
  void close(InfoWindow) override {}
  void setTitle(InfoWindow, const std::string&) override {}
  void fillRdaList(const std::vector<std::string>&) override {}
  void invalidate(InfoWindow) override {}
  void setSetupTitle(const std::string&) override {}
  void setControlText(int, const std::string&) override {}
  void setChecked(int, bool) override {}
  void setEnabled(int, bool) override {}
  void postRefreshToSelf() override {}
};

struct LinkRecord {
  int connections = 0;        // calls that found the link released
  int callsRunning = 0;
  bool connected = false;
  bool releasedUnderACall = false;
  bool destroyed = false;
  bool destroyedUnderACall = false;
  bool gone = false;
  std::function<void()> insideNextCall;  // run once, in the middle of the next call
};

class RecordingLink final : public HostLink {
 public:
  explicit RecordingLink(LinkRecord& r) : r_(r) {}
  ~RecordingLink() override {
    r_.destroyed = true;
    r_.destroyedUnderACall = r_.callsRunning > 0;
  }
  std::optional<double> frequencyHz() override {
    if (!call()) return std::nullopt;
    return 14025000.0;
  }
  std::optional<std::string> entryLine() override {
    if (!call()) return std::nullopt;
    return std::string("UA9AA");
  }
  bool sendCommand(const std::string&) override { return call(); }
  bool alive() const override { return !r_.gone; }
  void releaseConnection() override {
    if (r_.callsRunning > 0) r_.releasedUnderACall = true;
    r_.connected = false;
  }

 private:
  bool call() {
    if (r_.gone) return false;
    if (!r_.connected) ++r_.connections;
    r_.connected = true;
    ++r_.callsRunning;
    if (auto inside = std::move(r_.insideNextCall)) inside();
    --r_.callsRunning;
    return !r_.gone;
  }
  LinkRecord& r_;
};

class HostLinkUse : public ::testing::Test {
 protected:
  void SetUp() override {
    resetPluginStateForTests();
    controller_.initialise(std::make_unique<RecordingLink>(record_));
  }
  testing::ScratchDir scratch_;
  QuietWindows windows_;
  SetupController controller_{windows_};
  LinkRecord record_;
};

TEST_F(HostLinkUse, EachRefreshAndModeCommandConnectsOnceAndGivesTheConnectionBack) {
  EXPECT_EQ(record_.connections, 1);  // the CW command at opening
  EXPECT_FALSE(record_.connected);
  controller_.refresh();  // entry line and frequency on one connection
  EXPECT_EQ(record_.connections, 2);
  EXPECT_FALSE(record_.connected);
  controller_.chooseSsb();
  controller_.chooseCw();
  EXPECT_EQ(record_.connections, 4);
  EXPECT_FALSE(record_.connected);
  EXPECT_FALSE(record_.releasedUnderACall);
}

TEST_F(HostLinkUse, WorkDoneInsideAHostCallLeavesTheConnectionToTheOutermostUse) {
  record_.insideNextCall = [this] {
    controller_.chooseSsb();  // a button click dispatched while the entry line is asked for
    controller_.refresh();    // and a refresh request: run once more after this one
  };
  controller_.refresh();
  EXPECT_FALSE(record_.releasedUnderACall);
  EXPECT_FALSE(record_.connected);
  EXPECT_EQ(record_.connections, 2);
}

TEST_F(HostLinkUse, AHostGoneDuringANestedCallIsDroppedOnlyAfterTheOuterCall) {
  record_.insideNextCall = [this] {
    record_.gone = true;
    controller_.chooseSsb();  // fails: the host has gone away
  };
  controller_.refresh();
  EXPECT_TRUE(record_.destroyed);
  EXPECT_FALSE(record_.destroyedUnderACall);
  const int connections = record_.connections;
  controller_.refresh();  // no host any more: nothing is called
  EXPECT_EQ(record_.connections, connections);
}

}  // namespace
}  // namespace stats
