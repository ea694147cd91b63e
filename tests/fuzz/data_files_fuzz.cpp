// The files a reset reads (district table, hint file, the plug-in's settings file and the
// host's), of any content, followed by the calls that use what was read.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>

#include "plugin/exports.h"
#include "tests/fuzz/export_calls.h"
#include "tests/fuzz/fuzz_folder.h"
#include "tests/support/plugin_state_reset.h"
#include "ui/window_port.h"

using namespace stats;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  stats::fuzz::enterScratchFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  resetPluginStateForTests();
  // A settings file without "Start" opens the windows, whose thread takes tens of milliseconds
  // to stop: mostly the input keeps them closed.
  const bool windowsClosed = in.ConsumeIntegralInRange(0, 7) != 0;
  stats::fuzz::writeFile("Plugins/rda_rus.dat", in.ConsumeRandomLengthString(4096));
  stats::fuzz::writeFile("Plugins/RDAC.hlp", in.ConsumeRandomLengthString(4096));
  const std::string settings = in.ConsumeRandomLengthString(1024);
  stats::fuzz::writeFile("Plugins/RDA.ini", windowsClosed ? settings + "\r\n[Settings]\r\nStart=1\r\n" : settings);
  stats::fuzz::writeFile("Tarn2.ini", in.ConsumeRandomLengthString(1024));
  const std::string typed = in.ConsumeRandomLengthString(16);
  const std::string exchange = in.ConsumeRandomLengthString(16);

  COleDateTime start = COleDateTime::fromParts(2017, 9, 2, 8), end = COleDateTime::fromParts(2017, 9, 5, 8);
  ResetStats0("./", 0, "RA3AA", &start, &end, "", "", "", "", "", "", "", "", "", "UA", 0, 0, 0,
              0.0, 0.0, "", "EU", "");
  {
    // As the windows' refresh leaves it when the host's entry line holds the typed call: the
    // check then guesses the district from the hint file.
    StateLock lock;
    lock.state().windows.enteredCall = typed;
    lock.state().windows.enteredCallPresent = 1;
    lock.state().windows.useHint = 1;
  }
  char buffer[32];
  std::memset(buffer, 'g', sizeof buffer);
  buffer[8] = '\0';
  CheckCall0(typed.c_str(), 0, 0, "CW", "", "", "", "", "", "", "", "", "", "UA9", 0, 0, 0, 0.0,
             0.0, "", "", "", "", "", "20m", "20m", buffer + 8, nullptr);
  for (size_t i = 0; i < 8; ++i)
    if (buffer[i] != 'g' || buffer[18 + i] != 'g') __builtin_trap();
  IsValidExchg0(exchange.c_str(), "", "", "", 0, 0, 0);
  COleDateTime when = COleDateTime::fromParts(2017, 9, 5, 12);
  AddData0("RA3AA", typed.c_str(), &when, &when, &when, &when, 0, 14025000, "CW", "599", "599",
           "MA01", exchange.c_str(), "", "", "", "", "", "", "", "", "", "UA9", 0, 0, 0, 0.0, 0.0,
           "", "AS", "", "20m", "");
  int status = 0;
  stats::fuzz::checkText(GetResult0(&status));
  StopWindowThread();
  return 0;
}
