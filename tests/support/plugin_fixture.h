#pragma once
// A plug-in as loaded fresh, in a scratch folder holding a small district table.
#include <gtest/gtest.h>

#include <string>

#include "plugin/exports.h"
#include "tests/support/host_calls.h"
#include "tests/support/plugin_state_reset.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/native_windows.h"
#include "ui/window_port.h"

namespace stats::testing {

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetPluginStateForTests();
    clearShownMessages();
    dir.write("Plugins/rda_rus.dat", "MA-01 District one\r\nMA-02\r\nMO-03\r\nSP-15\r\nAD-02\r\n");
  }
  // A reset may have started the window thread; the next test must find none running.
  void TearDown() override { StopWindowThread(); }
  const std::string badFile = "BadQSO_DedodEVA_05_09_2017.txt";
  std::string badLines() { return dir.read(badFile); }
  // Runs f with the state locked.
  template <class F>
  auto withState(F f) {
    StateLock lock;
    return f(lock.state());
  }
  ScratchDir dir;
};

}  // namespace stats::testing
