// Sequences of export calls with fuzzed arguments, in any order the host could make them, with
// the windows opened and closed on the native stand-in's window thread in between.
#include <cstdint>
#include <cstring>
#include <string>

#include "plugin/exports.h"
#include "tests/fuzz/export_calls.h"
#include "tests/fuzz/fuzz_folder.h"
#include "tests/support/plugin_state_reset.h"
#include "ui/window_port.h"

using namespace stats;
using stats::fuzz::ArgSource;
using stats::fuzz::checkText;
using Field = stats::fuzz::ArgSource::Field;

namespace {

constexpr size_t kHintSize = 10, kGuard = 16;
constexpr char kGuardByte = '\x5a';

// The result's counts must be the store's: QSOs that score, and dupes, of records with a call.
void checkCountsAgainstStore(const char* result) {
  int qsos = 0, dupes = 0;
  bool html = false;
  {
    StateLock lock;
    html = lock.state().result.htmlForm != 0;
    lock.state().log.qsoLog.forEach([&](const CInfo& r) {
      if (r.call.empty()) return;
      if (r.dupe) ++dupes;
      if (r.noScore == 0) ++qsos;
    });
  }
  if (html) return;
  // The title holds the own call, which may hold anything: the totals are the last such lines.
  const std::string text = result;
  const size_t total = text.rfind("\r\nTotal\t "), dupe = text.rfind("\r\nDupe\t ");
  const int shownQsos = total == std::string::npos ? -1 : std::atoi(text.c_str() + total + 9);
  const int shownDupes = dupe == std::string::npos ? -1 : std::atoi(text.c_str() + dupe + 8);
  if (shownQsos != qsos || shownDupes != dupes) __builtin_trap();
}

// The call and prefix of the last QSO added: the operator often types a call already worked.
struct {
  std::string call, prefix;
} lastAdded;

void addOrRemove(ArgSource& a, bool add) {
  auto* fn = add ? AddData0 : RemoveData0;
  const char* ownCall = a.text();
  const char* call = a.text(Field::call);
  COleDateTime* time = a.dateTime();
  COleDateTime* other = a.dateTime();
  const unsigned freq = a.frequency();
  const char* mode = a.text(Field::mode);
  const char* rstSent = a.text();
  const char* rstRcvd = a.text();
  const char* exchSent = a.text(Field::exchange);
  const char* exchRcvd = a.text(Field::exchange);
  const char* prefix = a.text(Field::prefix);
  const char* continent = a.text();
  const char* band = a.text(Field::band);
  if (add) lastAdded = {call ? call : "", prefix ? prefix : ""};
  const int result = fn(ownCall, call, time, other, other, other, 0u, freq, mode, rstSent, rstRcvd,
                        exchSent, exchRcvd, "", "", "", "", "", "", "", "", "", prefix, 0, 0, 0,
                        0.0, 0.0, "", continent, "", band, "");
  if (result != 0 && result != 1) __builtin_trap();
  if (!add && result != 1) __builtin_trap();
}

void checkCall(ArgSource& a) {
  char buffer[kGuard + kHintSize + kGuard];
  std::memset(buffer, kGuardByte, sizeof buffer);
  std::memcpy(buffer + kGuard, "unset", 6);
  char second[4] = "ok";
  const bool worked = a.integer() % 2 == 0;
  const char* call = worked ? lastAdded.call.c_str() : a.text(Field::call);
  const char* mode = a.text(Field::mode);
  const char* prefix = worked ? lastAdded.prefix.c_str() : a.text(Field::prefix);
  const char* band = a.text(Field::band);
  const char* secondBand = a.integer() % 2 == 0 ? band : a.text(Field::band);
  const int result = CheckCall0(call, 0, 0, mode, "", "", "", "", "", "", "", "", "", prefix, 0, 0,
                                0, 0.0, 0.0, "", "", "", "", "", band, secondBand,
                                buffer + kGuard, second);
  if (result != 0 && result != 1 && result != 2 && result != 4) __builtin_trap();
  for (size_t i = 0; i < kGuard; ++i)
    if (buffer[i] != kGuardByte || buffer[kGuard + kHintSize + i] != kGuardByte) __builtin_trap();
  if (!std::memchr(buffer + kGuard, '\0', kHintSize)) __builtin_trap();
  if (std::strcmp(second, "ok") != 0) __builtin_trap();
}

void reset(ArgSource& a, FuzzedDataProvider& in) {
  const char* folder = a.text();
  const int exportFlag = in.ConsumeIntegralInRange(0, 1);
  const char* ownCall = a.text();
  COleDateTime* start = a.dateTime();
  COleDateTime* end = a.dateTime();
  const char* ownPrefix = a.text();
  const char* ownContinent = a.text();
  if (ResetStats0(folder, exportFlag, ownCall, start, end, "", "", "", "", "", "", "", "", "",
                  ownPrefix, 0, 0, 0, 0.0, 0.0, "", ownContinent, "") != 1)
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  stats::fuzz::enterScratchFolder();
  stats::fuzz::writeFile("Plugins/rda_rus.dat", "MA-01\r\nMA-02\r\nMO-03\r\nSP-15\r\n");
  stats::fuzz::writeFile("Plugins/RDAC.hlp", "UA9AAA MA-01\r\nR1A MO03\r\n");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  ArgSource a(in);
  resetPluginStateForTests();
  {
    // What the setup window's hint box and the refresh from the host's entry line leave, so
    // the check offers hints and guesses districts.
    StateLock lock;
    lock.state().windows.useHint = in.ConsumeBool();
    lock.state().windows.enteredCallPresent = in.ConsumeBool();
    lock.state().windows.enteredCall = a.textOrEmpty();
  }
  for (int calls = 0; calls < 64 && in.remaining_bytes() > 0; ++calls, a.reset()) {
    switch (in.ConsumeIntegralInRange(0, 11)) {
      case 0: case 1: case 2: addOrRemove(a, true); break;
      case 3: addOrRemove(a, false); break;
      case 4: checkCall(a); break;
      case 5: reset(a, in); break;
      case 6: {
        int status = 0;
        const char* result = GetResult0(in.ConsumeBool() ? &status : nullptr);
        checkText(result);
        checkCountsAgainstStore(result);
        break;
      }
      case 7: {
        const int valid = IsValidExchg0(a.text(), a.text(), a.text(), a.text(), 0, 0, 0);
        if (valid != 0 && valid != 1) __builtin_trap();
        break;
      }
      case 8: {
        const char* empty = RunCommand0(a.integer(), a.text());
        checkText(empty);
        if (*empty) __builtin_trap();
        break;
      }
      case 9:
        if (setVersion(a.text()) != 0) __builtin_trap();
        break;
      case 10: {
        checkText(GetSetName(a.integer()));
        if (GetNumberOfSets() != 1 || GetExchgCount0(a.text(), a.text(), a.text()) != 1) __builtin_trap();
        break;
      }
      default:
        SetupSet0();
        break;
    }
  }
  StopWindowThread();
  return 0;
}
