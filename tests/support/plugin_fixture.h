#pragma once
// A plug-in as loaded fresh, in a scratch folder holding a small district table.
#include <gtest/gtest.h>

#include <string>

#include "plugin/exports.h"
#include "tests/support/host_calls.h"
#include "tests/support/native_windows.h"
#include "tests/support/parts_fixture.h"
#include "tests/support/plugin_state_reset.h"
#include "tests/support/scratch_dir.h"
#include "ui/window_port.h"

namespace stats::testing {

// The exports' tests may also build a part of their own (PartsTest) where they test one layer.
class PluginTest : public PartsTest {
 protected:
  void SetUp() override {
    PartsTest::SetUp();
    resetPluginStateForTests();
    clearShownMessages();
  }
  // A reset may have started the window thread; the next test must find none running.
  void TearDown() override { StopWindowThread(); }
  // Runs f with the state locked.
  template <class F>
  auto withState(F f) {
    StateLock lock;
    return f(lock.state());
  }
};

}  // namespace stats::testing
