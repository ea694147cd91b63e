// The export table as a host sees it: through dlopen of libStats.so, and called directly.
#include "plugin/exports.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cfenv>
#include <cstring>
#include <new>
#include <stdexcept>

#include "log/log_session.h"
#include "platform/boundary.h"
#include "reports/result.h"
#include "tests/support/plugin_state_reset.h"
#include "tests/support/native_windows.h"
#include "tests/support/scratch_dir.h"
#include "ui/window_state.h"

#include <algorithm>

namespace {

class LoadedLibrary {
 public:
  LoadedLibrary() : handle_(dlopen(STATS_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {}
  ~LoadedLibrary() {
    if (handle_) dlclose(handle_);
  }
  template <class Fn>
  Fn get(const char* name) const {
    return reinterpret_cast<Fn>(dlsym(handle_, name));
  }
  void* handle() const { return handle_; }

 private:
  void* handle_;
};

TEST(ExportsLoaded, PublishesExactlyTheUndecoratedNames) {
  LoadedLibrary lib;
  ASSERT_NE(lib.handle(), nullptr) << dlerror();
  for (const char* name : {"AddData0", "CheckCall0", "GetExchgCount0", "GetNumberOfSets",
                           "GetResult0", "GetSetName", "IsValidExchg0", "RemoveData0",
                           "ResetStats0", "SetupSet0", "setVersion", "RunCommand0"})
    EXPECT_NE(dlsym(lib.handle(), name), nullptr) << name;
  // Nothing of the library's inside is visible to a host.
  EXPECT_EQ(dlsym(lib.handle(), "_ZN5stats11pluginStateEv"), nullptr);
  EXPECT_EQ(dlsym(lib.handle(), "CheckCallFunc0"), nullptr);
}

TEST(ExportsLoaded, TrivialExportsAnswerAsTheHostExpects) {
  LoadedLibrary lib;
  ASSERT_NE(lib.handle(), nullptr) << dlerror();
  auto setName = lib.get<const char* (*)(int)>("GetSetName");
  auto numberOfSets = lib.get<int (*)()>("GetNumberOfSets");
  auto exchgCount = lib.get<int (*)(const char*, const char*, const char*)>("GetExchgCount0");
  auto version = lib.get<unsigned long (*)(const char*)>("setVersion");
  auto command = lib.get<const char* (*)(int, const char*)>("RunCommand0");
  EXPECT_STREQ(setName(0), "RDAC (C)");
  ASSERT_NE(setName(1), nullptr);
  EXPECT_STREQ(setName(1), "");
  ASSERT_NE(setName(-1), nullptr);
  EXPECT_STREQ(setName(-1), "");
  EXPECT_EQ(numberOfSets(), 1);
  EXPECT_EQ(exchgCount("", "", ""), 1);
  EXPECT_EQ(version(""), 0ul);
  ASSERT_NE(command(0, "showinfo"), nullptr);
  EXPECT_STREQ(command(0, "showinfo"), "");
}

TEST(ExportsLoaded, UnloadingWritesTheLinesOfAnUnfinishedBurst) {
  stats::testing::ScratchDir dir;
  {
    LoadedLibrary lib;
    ASSERT_NE(lib.handle(), nullptr) << dlerror();
    using Reset = int (*)(const char*, int, const char*, COleDateTime*, COleDateTime*, const char*,
                          const char*, const char*, const char*, const char*, const char*,
                          const char*, const char*, const char*, const char*, int, int, int,
                          double, double, const char*, const char*, const char*);
    auto reset = lib.get<Reset>("ResetStats0");
    auto add = lib.get<decltype(&AddData0)>("AddData0");
    COleDateTime end = COleDateTime::fromParts(2017, 9, 5), when = end;
    reset("", 0, "RA3AA", &end, &end, "", "", "", "", "", "", "", "", "", "UA", 0, 0, 0, 0, 0, "",
          "EU", "");
    for (int i = 0; i < 20; ++i)
      add("RA3AA", ("K" + std::to_string(i)).c_str(), &when, &when, &when, &when, 0, 10100000, "CW",
          "599", "599", "1", "2", "", "", "", "", "", "", "", "", "", "K", 0, 0, 0, 0, 0, "", "NA",
          "", "30m", "");
  }
  const std::string lines = dir.read("BadQSO_DedodEVA_05_09_2017.txt");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 21);
  EXPECT_NE(lines.find("K19  599  2    WRONG BAND !!!"), std::string::npos);
}

TEST(Exports, SetVersionSwitchesToTheHtmlFormForGood) {
  stats::resetPluginStateForTests();
  EXPECT_EQ(setVersion(nullptr), 0ul);
  EXPECT_EQ(setVersion("anything"), 0ul);
  EXPECT_EQ(std::string(GetResult0(nullptr)).rfind("<html>", 0), 0u);  // the HTML form
}

// The parts that make up the state at a load.
TEST(Exports, StateStartsWithTheFlagsOfALoad) {
  const stats::LogSession log;
  const stats::ResultState result;
  const stats::WindowState windows;
  EXPECT_EQ(windows.refreshReady, 1);
  EXPECT_EQ(windows.currentBand, -1);
  EXPECT_EQ(result.htmlForm + windows.useHint + windows.windowOnTop + log.ownRussian + log.russianTexts + log.exportFlag, 0);
  EXPECT_EQ(log.qsoLog.size(), 0u);
}

TEST(Exports, SetupSet0ShowsItsMessageWithTheDefaultCaption) {
  stats::clearShownMessages();
  SetupSet0();
  const auto shown = stats::shownMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "No additional setup for this contest");
  EXPECT_FALSE(shown[0].hasCaption);
}

TEST(Exports, NullPointersAreReadAsEmptyTexts) {
  // The reset below writes its files into the current folder and reads its "Start" toggle
  // there: a scratch folder whose settings keep the windows closed.
  const stats::testing::ScratchDir dir;
  dir.write("Plugins/RDA.ini", "[Settings]\r\nStart=1\r\n");
  stats::resetPluginStateForTests();
  EXPECT_STREQ(RunCommand0(0, nullptr), "");
  EXPECT_EQ(GetExchgCount0(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(IsValidExchg0(nullptr, nullptr, nullptr, nullptr, 0, 0, 0), 0);
  const char* result = GetResult0(nullptr);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(ResetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0,
                        nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(RemoveData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0,
                        nullptr, nullptr, nullptr, nullptr, nullptr),
            1);
  char* noBuffer = nullptr;
  CheckCall0(nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
             nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr,
             nullptr, nullptr, nullptr, nullptr, noBuffer, nullptr);
}

TEST(Exports, NothingThrownInsideLeavesTheBoundary) {
  EXPECT_EQ(stats::guarded(7, []() -> int { throw std::bad_alloc(); }), 7);
  EXPECT_EQ(stats::guarded(0, []() -> int { throw 42; }), 0);
  EXPECT_STREQ(stats::guarded<const char*>("", []() -> const char* { throw std::out_of_range("x"); }), "");
  EXPECT_EQ(stats::guarded(1, [] { return 5; }), 5);
}

TEST(Exports, TheCallersFloatingPointSettingsComeBackAlsoWhenTheWorkThrows) {
  std::fesetround(FE_UPWARD);
  int roundingInside = -1;
  const int answer = stats::guarded(7, [&]() -> int {
    roundingInside = std::fegetround();
    throw std::bad_alloc();
  });
  const int roundingAfter = std::fegetround();
  std::fesetround(FE_TONEAREST);
  EXPECT_EQ(answer, 7);
  EXPECT_EQ(roundingInside, FE_TONEAREST);
  EXPECT_EQ(roundingAfter, FE_UPWARD);
}

TEST(Exports, GetResultStoresMinusOneAndReturnsTheSameBuffer) {
  stats::resetPluginStateForTests();
  int status = 5;
  const char* first = GetResult0(&status);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(GetResult0(&status), first);
}

}  // namespace
