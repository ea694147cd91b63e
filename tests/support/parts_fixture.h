#pragma once
// The parts of the plug-in's state built by the test itself and driven through the layers'
// functions, as the exports drive the process-wide ones, in a scratch folder holding a small
// district table. Nothing here goes through the exports or their lock.
#include <gtest/gtest.h>

#include <string>

#include "log/call_args.h"
#include "log/log_session.h"
#include "reports/result.h"
#include "tests/support/host_calls.h"
#include "tests/support/scratch_dir.h"
#include "ui/window_state.h"

namespace stats::testing {

inline const char kFixtureDistricts[] = "MA-01 District one\r\nMA-02\r\nMO-03\r\nSP-15\r\nAD-02\r\n";

ResetArgs resetArgsOf(const Station& station);
QsoArgs qsoArgsOf(const Qso& qso);  // views of the QSO's texts

class PartsTest : public ::testing::Test {
 protected:
  void SetUp() override { dir.write("Plugins/rda_rus.dat", kFixtureDistricts); }
  // The log's and the windows' parts as ResetStats0 leaves them (no settings, no windows).
  void reset(const Station& station);
  int add(const Qso& qso);
  // The log's and the result's parts as RemoveData0 leaves them.
  void remove(const Qso& qso);
  std::string computedResult();  // the result text
  const std::string badFile = "BadQSO_DedodEVA_05_09_2017.txt";
  std::string badLines() { return dir.read(badFile); }

  ScratchDir dir;
  LogSession log;
  ResultState result;
  WindowState windows;
};

}  // namespace stats::testing
