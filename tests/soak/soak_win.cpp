// Random export sequences against Stats.dll for a given time, as a logger running a contest
// makes them: windows open, the host's automation object answering, SHOWINFO and HIDEINFO, and
// the library unloaded and loaded again now and then. With STATS_SOAK_X87 (and STATS_SOAK_MXCSR)
// set, the host's floating-point words are those, as a Delphi-built logger leaves them (0x1332,
// 0x1900), and every call must give them back. Prints one summary line "calls=N longest_ms=M
// longest_export=NAME hangs=H loads=L words_changed=W"; exit 0 when no call took longer than
// 2 s and none changed the words. A crash ends the process (the script tells it by the exit
// code).
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "tests/support/fake_host_win.h"
#include "tests/support/host_float_words_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/stats_dll_win.h"

using namespace stats::testing;

namespace {

constexpr double kHangMs = 2000;

// The call under way, for the watchdog: its name and when it began (0 when none).
std::atomic<const char*> currentExport{nullptr};
std::atomic<ULONGLONG> callStartedMs{0};
std::atomic<int> hangs{0};

// Presses OK on whatever modal window the calling thread shows (the setup message box, the
// Cabrillo header dialog, the "Output" box), as an operator would; the plug-in's own windows
// belong to its window thread and stay open.
BOOL CALLBACK pressOk(HWND w, LPARAM) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (IsWindowVisible(w) && std::string(cls) == "#32770") PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

void answerModals(DWORD hostThread, std::atomic<bool>& stop) {
  while (!stop) {
    EnumThreadWindows(hostThread, pressOk, 0);
    Sleep(20);
  }
}

// Reports a call longer than kHangMs once; gives up on the run after 60 s of one call.
void watchdog(std::atomic<bool>& stop) {
  const char* reported = nullptr;
  ULONGLONG reportedStart = 0;
  while (!stop) {
    Sleep(100);
    const ULONGLONG started = callStartedMs;
    const char* name = currentExport;
    if (!started || !name) continue;
    const ULONGLONG ms = GetTickCount64() - started;
    if (ms > kHangMs && !(reported == name && reportedStart == started)) {
      reported = name, reportedStart = started;
      ++hangs;
      std::printf("HANG: %s still running after %llu ms\n", name, ms);
      std::fflush(stdout);
    }
    if (ms > 60000) {
      std::printf("HANG: %s did not return in 60 s; giving up\n", name);
      std::fflush(stdout);
      ExitProcess(2);
    }
  }
}

class Soak {
 public:
  explicit Soak(unsigned seed) : random_(seed) {}

  void runFor(ULONGLONG ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
      StatsDll dll;
      if (!dll.module()) {
        std::printf("Stats.dll did not load (error %lu)\n", GetLastError());
        std::exit(3);
      }
      ++loads;
      resolve(dll);
      reset(dll);
      for (size_t n = 200 + pick(2000); n > 0 && GetTickCount64() < end; --n) oneCall(dll);
      timed("unload", [&] { dll.unload(); return 0; });
    }
  }

  long long calls = 0;
  double longestMs = 0;
  const char* longestExport = "none";
  int loads = 0;
  int wordsChanged = 0;
  HostFloatWords hostWords = currentFloatWords();

 private:
  size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  const char* word(std::initializer_list<const char*> words) { return words.begin()[pick(words.size())]; }

  template <class Call>
  void timed(const char* name, Call call) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    currentExport = name;
    callStartedMs = GetTickCount64();
    QueryPerformanceCounter(&a);
    call();
    QueryPerformanceCounter(&b);
    callStartedMs = 0;
    if (currentFloatWords() != hostWords) {
      if (wordsChanged++ == 0) {
        const HostFloatWords now = currentFloatWords();
        std::printf("WORDS: %s left x87 0x%04x MXCSR 0x%04x\n", name, now.x87,
                    static_cast<unsigned>(now.sse));
      }
      setFloatWords(hostWords);
    }
    const double ms = 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
    ++calls;
    if (ms > longestMs) longestMs = ms, longestExport = name;
  }

  void resolve(const StatsDll& dll) {
    add_ = dll.get<AddDataFn>(decorated::AddData0);
    remove_ = dll.get<AddDataFn>(decorated::RemoveData0);
    check_ = dll.get<CheckCallFn>(decorated::CheckCallFunc0);
    resetFn_ = dll.get<ResetStatsFn>(decorated::ResetStats0);
    result_ = dll.get<GetResultFn>(decorated::GetResult0);
    valid_ = dll.get<IsValidExchgFn>(decorated::StatsIsValidExchg0);
    command_ = dll.get<RunCommandFn>(decorated::RunCommand0);
    version_ = dll.get<SetVersionFn>(decorated::setVersion);
    setup_ = dll.get<SetupSetFn>(decorated::SetupSet0);
  }

  HostDateTime when() {
    HostDateTime t;
    t.dt = 46088.5 + static_cast<double>(pick(2880)) / 1440.0;  // 7 March 2026 and a day after
    t.status = pick(40) == 0 ? static_cast<int32_t>(pick(3)) : 0;
    return t;
  }

  void reset(const StatsDll&) {
    HostDateTime start = when(), end = when();
    const int exportFlag = pick(10) == 0;
    timed("ResetStats0", [&] {
      return resetFn_(".\\", exportFlag, word({"RA3AA", "DL2ZZ", "R1A/P"}), &start, &end, "", "", "",
                      "", "", "", "", "", "", word({"UA", "DL", "UA9"}), 0, 0, 0, 0.0, 0.0, "",
                      word({"EU", "AS"}), "");
    });
  }

  void qso(bool add) {
    HostDateTime t = when(), unused;
    const char* call = word({"UA9AA", "RA9BB", "R1A/P", "DL1AA", "IT9XX", "K1AB", "UA3QQQ", ""});
    const char* prefix = word({"UA9", "UA", "DL", "IT9", "K"});
    const char* band = word({"20m", "40m", "80m", "160m", "15m", "10m", "30m"});
    const char* mode = word({"CW", "SSB", "RTTY"});
    const char* exch = word({"SV-01", "MA05", "KR01", "AD01", "XX99", "001", ""});
    const unsigned freq = static_cast<unsigned>(pick(30000000));
    timed(add ? "AddData0" : "RemoveData0", [&] {
      return (add ? add_ : remove_)("RA3AA", call, &t, &unused, &unused, &unused, 0, freq, mode, "599",
                                    "599", "MA01", exch, "", "", "", "", "", "", "", "", "", prefix, 0, 0,
                                    0, 0.0, 0.0, "", word({"EU", "AS"}), "", band, "");
    });
  }

  void oneCall(const StatsDll& dll) {
    const size_t roll = pick(1000);
    if (roll < 450) {
      qso(true);
    } else if (roll < 550) {
      qso(false);
    } else if (roll < 850) {
      char hint[10] = "";
      const char* call = word({"UA9AA", "RA9", "R1A/P", "DL1AA", "UA3Q", "K1"});
      timed("CheckCall0", [&] {
        return check_(call, 0, 0, word({"CW", "SSB"}), "", "", "", "", "", "", "", "", "",
                      word({"UA9", "UA", "DL"}), 0, 0, 0, 0.0, 0.0, "", "", "", "", "",
                      word({"20m", "40m", "30m"}), nullptr, hint, nullptr);
      });
    } else if (roll < 930) {
      int status = 0;
      timed("GetResult0", [&] { return result_(&status) != nullptr; });
    } else if (roll < 960) {
      timed("IsValidExchg0", [&] { return valid_(word({"SV-01", "MA05", "xx", ""}), "", "", "", 0, 0, 0); });
    } else if (roll < 990) {
      const char* command = word({"SHOWINFO", "HIDEINFO"});
      timed(command, [&] { return command_(0, command) != nullptr; });
    } else if (roll < 994) {
      reset(dll);
    } else if (roll < 997) {
      timed("setVersion", [&] { return version_(""); });
    } else {
      timed("SetupSet0", [&] { setup_(); return 0; });
    }
  }

  std::mt19937 random_;
  AddDataFn add_ = nullptr, remove_ = nullptr;
  CheckCallFn check_ = nullptr;
  ResetStatsFn resetFn_ = nullptr;
  GetResultFn result_ = nullptr;
  IsValidExchgFn valid_ = nullptr;
  RunCommandFn command_ = nullptr;
  SetVersionFn version_ = nullptr;
  SetupSetFn setup_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : GetTickCount();
  const std::string dllFolder = argc > 3 ? argv[3] : ".";
  SetDllDirectoryA(dllFolder.c_str());

  ScratchFolder folder;
  if (const char* table = std::getenv("STATS_SOAK_DISTRICTS")) CopyFileA(table, "Plugins\\rda_rus.dat", FALSE);
  FakeHost host;
  host.setEntry("UA9AA");
  std::atomic<bool> stop{false};
  std::thread modals(answerModals, GetCurrentThreadId(), std::ref(stop));
  std::thread dog(watchdog, std::ref(stop));

  if (const char* x87 = std::getenv("STATS_SOAK_X87")) {
    const char* mxcsr = std::getenv("STATS_SOAK_MXCSR");
    setFloatWords({static_cast<uint16_t>(std::strtoul(x87, nullptr, 0)),
                   mxcsr ? static_cast<uint32_t>(std::strtoul(mxcsr, nullptr, 0)) : 0x1F80u});
  }
  Soak soak(seed);  // takes the words as it finds them now
  soak.runFor(static_cast<ULONGLONG>(seconds * 1000));

  stop = true;
  modals.join();
  dog.join();
  std::printf("seed=%u calls=%lld longest_ms=%.1f longest_export=%s hangs=%d loads=%d "
              "words_changed=%d\n",
              seed, soak.calls, soak.longestMs, soak.longestExport, hangs.load(), soak.loads,
              soak.wordsChanged);
  return hangs || soak.wordsChanged ? 1 : 0;
}
