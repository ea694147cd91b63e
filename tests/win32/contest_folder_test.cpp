// The folder a contest's files are found in: the logger's, fixed at the reset whatever the
// current folder does meanwhile, and reached in UTF-16 whatever the ANSI code page can spell.
// CyrillicFolder runs under the code pages 1252 and 1251 (tests/win32/CMakeLists.txt).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "resources/resource_ids.h"
#include "tests/support/modal_driver_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

const char kBadFile[] = "BadQSO_DedodEVA_05_09_2017.txt";

std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// What a logger built for the ANSI code page passes for a folder: letters it cannot spell
// come out as "?".
std::string ansiOf(const std::wstring& text) {
  char ansi[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

std::string readFile(const std::wstring& path) {
  const HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD got = 0;
  ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(f);
  bytes.resize(got);
  return bytes;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  const HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

void removeTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(folder + L"\\" + name);
      else
        DeleteFileW((folder + L"\\" + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

// A logger's folder as an operator's machine has it: the district table, settings that keep
// the windows closed, the logger's own settings file with its version. Removed afterwards,
// and the current folder put back.
class LoggerFolder {
 public:
  explicit LoggerFolder(std::wstring path) : path_(std::move(path)) {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    for (size_t at = path_.find(L'\\', 3); at != std::wstring::npos; at = path_.find(L'\\', at + 1))
      CreateDirectoryW(path_.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path_.c_str(), nullptr);
    CreateDirectoryW((path_ + L"\\Plugins").c_str(), nullptr);
    writeFile(file(L"Plugins\\rda_rus.dat"), "MA-01 \r\nSV-01 \r\n");
    writeFile(file(L"Plugins\\RDA.ini"), "[Settings]\r\nStart=1\r\n");
    writeFile(file(L"Tarn2.ini"), "[Main]\r\nTarn=2.20\r\n");
  }
  ~LoggerFolder() {
    SetCurrentDirectoryW(previous_);
    removeTree(path_);
  }
  const std::wstring& path() const { return path_; }
  std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::string read(const std::string& name) const { return readFile(file(wide(name))); }

 private:
  std::wstring path_;
  wchar_t previous_[MAX_PATH] = {};
};

class Logger {
 public:
  Logger() { EXPECT_NE(dll_.module(), nullptr); }
  void reset(const std::string& folder, const char* ownCall, const char* ownPrefix, int exportFlag) {
    HostDateTime start{42980.3333, 0, 0}, end{42983.3333, 0, 0};  // 2 and 5 September 2017
    dll_.get<ResetStatsFn>(decorated::ResetStats0)(folder.c_str(), exportFlag, ownCall, &start,
                                                  &end, "", "", "", "", "", "", "", "", "",
                                                  ownPrefix, 0, 0, 0, 0, 0, "", "EU", "");
    ownCall_ = ownCall;
  }
  int add(const char* call, const char* band, const char* exch, double day, const char* name = decorated::AddData0) {
    HostDateTime when{day, 0, 0}, unused{0, 2, 0};
    return dll_.get<AddDataFn>(name)(ownCall_, call, &when, &unused, &unused, &unused, 0,
                                     band[0] == '3' ? 10120000u : 14025000u, "CW", "599", "599",
                                     "001", exch, "", "", "", "", "", "", "", "", "", "UA9", 0, 0,
                                     0, 0, 0, "", "AS", "", band, "");
  }
  int remove(const char* call, const char* band, const char* exch, double day) {
    return add(call, band, exch, day, decorated::RemoveData0);
  }
  int check(const char* call, const char* prefix) {
    char hint[16] = {}, unused[16] = {};
    return dll_.get<CheckCallFn>(decorated::CheckCallFunc0)(
        call, 0, 0, "CW", "", "", "", "", "", "", "", "", "", prefix, 0, 0, 0, 0, 0, "", "", "",
        "", "", "20m", "20m", hint, unused);
  }
  int valid(const char* exch) {
    return dll_.get<IsValidExchgFn>(decorated::StatsIsValidExchg0)(exch, "", "", "", 0, 0, 0);
  }
  // The result, and the one box it showed (none: found is false).
  SeenDialog result() {
    ModalDriver box(GetCurrentThreadId(), IDOK, nullptr, 1500);
    int status = 0;
    dll_.get<GetResultFn>(decorated::GetResult0)(&status);
    return box.seen();
  }

 private:
  StatsDll dll_;
  const char* ownCall_ = "RA3AA";
};

bool says(const SeenDialog& box, const std::wstring& text) {
  return std::find(box.wideTexts.begin(), box.wideTexts.end(), text) != box.wideTexts.end();
}

TEST(ContestFolder, FilesStayInTheLoggersFolderWhileTheCurrentFolderMoves) {
  LoggerFolder tarn(L"C:\\Tarn"), elsewhere(L"C:\\Elsewhere");
  for (const char* name : {kBadFile, "RA3AA.cbr"}) DeleteFileW((L"C:\\" + wide(name)).c_str());
  SetCurrentDirectoryW(L"C:\\");  // where the reset happens
  Logger logger;
  {
    ModalDriver header(GetCurrentThreadId(), IDOK);
    logger.reset("C:\\Tarn\\", "RA3AA", "UA", 1);
    ASSERT_TRUE(header.seen().found);
  }
  SetCurrentDirectoryW(elsewhere.path().c_str());  // a file dialog of the logger moved it

  EXPECT_EQ(logger.valid("SV01"), 1);
  logger.add("UA9BAD", "30m", "MA01", 42983.5);
  logger.add("UA9AA", "20m", "SV01", 42983.6);
  logger.add("UA9ZZ", "20m", "ZZ99", 42983.7);
  EXPECT_NE(tarn.read(kBadFile).find("UA9BAD  599  MA01    WRONG BAND"), std::string::npos);
  logger.remove("UA9BAD", "30m", "MA01", 42983.5);
  const std::string lines = tarn.read(kBadFile);
  EXPECT_EQ(lines.find("UA9BAD"), std::string::npos);
  EXPECT_NE(lines.find("UA9ZZ  599  ZZ99  ZZ99  Russland District Area Code"), std::string::npos);

  const SeenDialog output = logger.result();
  EXPECT_TRUE(says(output, L"File produced: C:\\Tarn\\RA3AA.cbr"));
  const std::string cabrillo = tarn.read("RA3AA.cbr");
  EXPECT_NE(cabrillo.find("CREATED-BY: Tarn 2.20\r\n"), std::string::npos);
  EXPECT_NE(cabrillo.find("UA9AA"), std::string::npos);
  EXPECT_NE(tarn.read("Plugins\\RDA.ini").find("Claimed="), std::string::npos);
  for (const char* name : {kBadFile, "RA3AA.cbr"}) {
    EXPECT_EQ(elsewhere.read(name), "<missing>") << name;
    EXPECT_EQ(readFile(L"C:\\" + wide(name)), "<missing>") << name;
  }
  EXPECT_EQ(elsewhere.read("Plugins\\RDA.ini"), "[Settings]\r\nStart=1\r\n");
}

// An operator named Ivan Petrov, the logger in a folder of his profile named in Cyrillic.
TEST(CyrillicFolder, TheLoggersFilesAreFoundAndWrittenUnderEitherCodePage) {
  const std::wstring path =
      L"C:\\users\\\u0418\u0432\u0430\u043D \u041F\u0435\u0442\u0440\u043E\u0432\\"
      L"\u041B\u043E\u0433\u0433\u0435\u04403";
  LoggerFolder folder(path);
  ASSERT_TRUE(SetCurrentDirectoryW(path.c_str()));
  Logger logger;
  logger.reset(ansiOf(path) + "\\", "DL1AA", "DL", 0);  // "?" for each letter under 1252
  logger.add("UA9BAD", "30m", "MA01", 42983.5);
  EXPECT_NE(folder.read(kBadFile).find("UA9BAD  599  MA01    WRONG BAND"), std::string::npos);
  EXPECT_EQ(logger.check("K1ABC", "K"), 1);  // what a logger of version 2.20 is answered
  EXPECT_FALSE(logger.result().found);  // no box: nothing failed

  {
    ModalDriver header(GetCurrentThreadId(), IDOK);
    logger.reset(ansiOf(path) + "\\", "DL1AA", "DL", 1);
  }
  logger.add("UA9AA", "20m", "SV01", 42983.6);
  const SeenDialog output = logger.result();
  EXPECT_TRUE(says(output, L"File produced: " + path + L"\\DL1AA.cbr"));
  const std::string cabrillo = folder.read("DL1AA.cbr");
  EXPECT_NE(cabrillo.find("CREATED-BY: Tarn 2.20\r\n"), std::string::npos);
  EXPECT_NE(cabrillo.find("UA9AA"), std::string::npos);
}

}  // namespace
}  // namespace stats::testing
