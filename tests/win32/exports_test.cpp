// Stats.dll loaded as the logger loads it, called by the names the logger uses.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "tests/support/modal_driver_win.h"
#include "tests/support/plugin_windows_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

const std::vector<std::pair<CStr, CStr>> kPairs = {
    {decorated::AddData0, "AddData0"},
    {decorated::CheckCallFunc0, "CheckCall0"},
    {decorated::StatsGetExchgCount0, "GetExchgCount0"},
    {decorated::GetNumberOfSets, "GetNumberOfSets"},
    {decorated::GetResult0, "GetResult0"},
    {decorated::GetSetName, "GetSetName"},
    {decorated::StatsIsValidExchg0, "IsValidExchg0"},
    {decorated::RemoveData0, "RemoveData0"},
    {decorated::ResetStats0, "ResetStats0"},
    {decorated::SetupSet0, "SetupSet0"},
    {decorated::setVersion, "setVersion"},
};

FARPROC byOrdinal(HMODULE module, int ordinal) {
  return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
}

TEST(Exports, EachDecoratedNameAndItsAliasReachTheSameCode) {
  StatsDll dll;
  ASSERT_NE(dll.module(), nullptr) << GetLastError();
  for (const auto& [decoratedName, alias] : kPairs) {
    FARPROC full = GetProcAddress(dll.module(), decoratedName);
    FARPROC plain = GetProcAddress(dll.module(), alias);
    ASSERT_NE(full, nullptr) << decoratedName;
    EXPECT_EQ(full, plain) << alias;
  }
  EXPECT_NE(GetProcAddress(dll.module(), decorated::RunCommand0), nullptr);
  EXPECT_EQ(GetProcAddress(dll.module(), "RunCommand0"), nullptr);
  EXPECT_EQ(GetProcAddress(dll.module(), "CheckCallFunc0"), nullptr);
  // The three-text exchange count and the set count are one body.
  EXPECT_EQ(GetProcAddress(dll.module(), "GetExchgCount0"),
            GetProcAddress(dll.module(), "GetNumberOfSets"));
}

TEST(Exports, OrdinalsFollowTheExportTable) {
  StatsDll dll;
  ASSERT_NE(dll.module(), nullptr);
  const CStr byOrder[] = {decorated::AddData0,   decorated::CheckCallFunc0,
                          decorated::GetNumberOfSets, decorated::GetResult0,
                          decorated::GetSetName, decorated::RemoveData0,
                          decorated::ResetStats0, decorated::RunCommand0,
                          decorated::SetupSet0,  decorated::StatsGetExchgCount0,
                          decorated::StatsIsValidExchg0, decorated::setVersion};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(byOrdinal(dll.module(), i + 1), GetProcAddress(dll.module(), byOrder[i])) << i + 1;
  const CStr aliases[] = {"AddData0",   "CheckCall0",  "GetExchgCount0", "GetNumberOfSets",
                          "GetResult0", "GetSetName",  "IsValidExchg0",  "RemoveData0",
                          "ResetStats0", "SetupSet0",  "setVersion"};
  for (int i = 0; i < 11; ++i)
    EXPECT_EQ(byOrdinal(dll.module(), 13 + i), GetProcAddress(dll.module(), aliases[i])) << 13 + i;
  EXPECT_EQ(byOrdinal(dll.module(), 24), nullptr);
}

TEST(Exports, TrivialExportsGiveTheirExactAnswers) {
  StatsDll dll;
  ASSERT_NE(dll.module(), nullptr);
  auto setName = dll.get<GetSetNameFn>(decorated::GetSetName);
  EXPECT_STREQ(setName(0), "RDAC (C)");
  ASSERT_NE(setName(1), nullptr);
  EXPECT_STREQ(setName(1), "");
  ASSERT_NE(setName(-1), nullptr);
  EXPECT_STREQ(setName(-1), "");
  EXPECT_EQ(dll.get<NoArgIntFn>(decorated::GetNumberOfSets)(), 1);
  EXPECT_EQ(dll.get<ExchgCountFn>(decorated::StatsGetExchgCount0)("", "", ""), 1);
  EXPECT_EQ(dll.get<ExchgCountFn>("GetExchgCount0")(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(dll.get<SetVersionFn>(decorated::setVersion)(""), 0ul);
  auto command = dll.get<RunCommandFn>(decorated::RunCommand0);
  ASSERT_NE(command(0, "showinfo"), nullptr);
  EXPECT_STREQ(command(0, "showinfo"), "");
  EXPECT_STREQ(command(0, nullptr), "");
  int status = 7;
  EXPECT_NE(dll.get<GetResultFn>(decorated::GetResult0)(&status), nullptr);
  EXPECT_EQ(status, -1);
  EXPECT_NE(dll.get<GetResultFn>(decorated::GetResult0)(nullptr), nullptr);
  EXPECT_TRUE(dll.unload());
}

TEST(Exports, AddDataTakesItsThirtyThreeCdeclArguments) {
  StatsDll dll;
  ASSERT_NE(dll.module(), nullptr);
  auto add = dll.get<AddDataFn>(decorated::AddData0);
  auto addAlias = dll.get<AddDataFn>("AddData0");
  HostDateTime when{42983.5, 0, 0}, unused{0, 2, 0};
  // A caller-cleaned call with a wrong argument list would leave the stack pointer off and
  // crash or corrupt the loop below.
  for (int i = 0; i < 100; ++i) {
    const int stored = (i % 2 ? add : addAlias)(
        "RA3AA", "UA9AA", &when, &unused, &unused, &unused, 0xFFFFFFF0u, 14025000u, "CW", "599",
        "599", "001", "002", "", "", "", "", "", "", "", "", "", "UA9", -1, INT_MAX, 0, 1.5, -2.5,
        "", "AS", "", "20m", "");
    EXPECT_TRUE(stored == 0 || stored == 1);
  }
  EXPECT_TRUE(dll.unload());
}

TEST(Exports, NullTextsAndBuffersAreSafe) {
  // The reset writes its files into the current folder: a scratch one, windows kept closed.
  ScratchFolder folder;
  folder.writeSetting("Start", "1");
  StatsDll dll;
  ASSERT_NE(dll.module(), nullptr);
  EXPECT_EQ(dll.get<ResetStatsFn>(decorated::ResetStats0)(
                nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr,
                nullptr, nullptr),
            1);
  HostDateTime when{42983.5, 0, 0};
  dll.get<AddDataFn>(decorated::AddData0)(nullptr, nullptr, &when, nullptr, nullptr, nullptr, 0, 0,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr,
                                          nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(dll.get<AddDataFn>(decorated::RemoveData0)(
                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                nullptr, nullptr),
            1);
  dll.get<CheckCallFn>(decorated::CheckCallFunc0)(
      nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
      nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
      nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(dll.get<IsValidExchgFn>(decorated::StatsIsValidExchg0)(nullptr, nullptr, nullptr,
                                                                  nullptr, 0, 0, 0),
            0);
  EXPECT_TRUE(dll.unload());
}

TEST(Dialogs, SetupSetShowsItsMessageUntilDismissed) {
  StatsDll dll;
  ASSERT_NE(dll.module(), nullptr);
  ModalDriver driver(GetCurrentThreadId(), IDOK);
  dll.get<SetupSetFn>(decorated::SetupSet0)();
  const SeenDialog& seen = driver.seen();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, "Error");  // the system's default caption: none was given
  bool hasText = false;
  for (const std::string& text : seen.texts) hasText |= text == "No additional setup for this contest";
  EXPECT_TRUE(hasText);
  EXPECT_TRUE(dll.unload());
}

}  // namespace
}  // namespace stats::testing
