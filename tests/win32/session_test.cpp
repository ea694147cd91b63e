// A contest session through the decorated exports, as the logger drives it: reset, exchange
// checks, QSOs with their full argument lists, the callsign check, removal and the result.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "resources/resource_ids.h"
#include "tests/support/modal_driver_win.h"
#include "tests/support/stats_dll_win.h"

namespace stats::testing {
namespace {

void writeFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

std::string readFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class Session : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryA(MAX_PATH, previous_);
    CreateDirectoryA("session", nullptr);
    SetCurrentDirectoryA("session");
    CreateDirectoryA("Plugins", nullptr);
    writeFile("Plugins\\rda_rus.dat",
              "Sample\r\nMA-01 Name\r\n-X\r\n\r\nno dash\r\nMA-01 again\r\nmo-02\r\n TV-03\r\nSP-15\r\n");
    writeFile("Plugins\\RDAC.hlp", "R9/DL1ABC UD12\r\n");
    writeFile("Plugins\\RDA.ini", "[Settings]\r\nStart=1\r\nsetup_mast=1\r\n");
    DeleteFileA("BadQSO_DedodEVA_05_09_2017.txt");
    ASSERT_NE(dll_.module(), nullptr);
  }
  void TearDown() override {
    dll_.unload();
    SetCurrentDirectoryA(previous_);
  }
  int reset(const char* ownPrefix, const char* ownCall = "RA3AA", int exportFlag = 0) {
    HostDateTime start{42980.3333, 0, 0}, end{42983.3333, 0, 0};  // 2 and 5 September 2017
    return dll_.get<ResetStatsFn>(decorated::ResetStats0)(
        ".\\", exportFlag, ownCall, &start, &end, "5", "6", "7", "8", "9", "10", "11", "12", "13",
        ownPrefix, 15, 16, 17, 18.5, 19.5, "20", "EU", "22");
  }
  int add(const char* call, const char* band, const char* mode, const char* exch,
          const char* prefix, const char* continent, double day, unsigned freqHz,
          const char* name = decorated::AddData0) {
    HostDateTime when{day, 0, 0}, unused{0, 2, 0};
    return dll_.get<AddDataFn>(name)("RA3AA", call, &when, &unused, &unused, &unused, 0xFFFFFFF0u,
                                     freqHz, mode, "599", "579", "MA01", exch, "13", "14", "15",
                                     "16", "17", "18", "19", "20", "21", prefix, -1, INT_MAX, 0,
                                     1.5, -2.5, "28", continent, "30", band, "32");
  }
  int valid(const char* exch) {
    return dll_.get<IsValidExchgFn>(decorated::StatsIsValidExchg0)(exch, "1", "2", "3", 4, 5, 6);
  }
  std::string result() {
    int status = 0;
    const std::string text = dll_.get<GetResultFn>(decorated::GetResult0)(&status);
    return status == -1 ? text : "status not -1";
  }
  StatsDll dll_;
  char previous_[MAX_PATH];
};

TEST_F(Session, ExchangesAgainstTheDistrictTable) {
  EXPECT_EQ(valid("MA01"), 0);  // no reset yet: no table
  EXPECT_EQ(valid("1234"), 1);
  ASSERT_EQ(reset("UA"), 1);
  EXPECT_EQ(valid("MA01"), 1);
  EXPECT_EQ(valid("SP15"), 1);
  EXPECT_EQ(valid("mo02"), 1);
  EXPECT_EQ(valid("MO02"), 0);
  EXPECT_EQ(valid("ma01"), 0);
  EXPECT_EQ(valid("MA-01"), 0);
  EXPECT_EQ(valid("TV03"), 0);
  EXPECT_EQ(valid("599"), 0);
  for (const char* ok : {"5", "59", "001", "9999"}) EXPECT_EQ(valid(ok), 1) << ok;
  for (const char* bad : {"", "12345", " 12", "AB12"}) EXPECT_EQ(valid(bad), 0) << bad;
  EXPECT_EQ(dll_.get<IsValidExchgFn>("IsValidExchg0")("MA01", nullptr, nullptr, nullptr, 0, 0, 0), 1);
}

TEST_F(Session, QsosReachTheResultAndTheBadQsoFile) {
  ASSERT_EQ(reset("UA"), 1);
  const double noon = 42983.5;
  EXPECT_EQ(add("UA9ABC", "20m", "CW", "ma-01", "UA9", "AS", noon, 14025300), 1);
  EXPECT_EQ(add("DL1ABC", "20M", "SSB", "001", "DL", "EU", noon + 1.0 / 1440, 14250000, "AddData0"), 1);
  EXPECT_EQ(add("UA9ABC", "20m", "CW", "MA01", "UA9", "AS", noon + 2.0 / 1440, 14025000), 1);
  EXPECT_EQ(add("RA3BAD", "40m", "CW", "XY99", "UA", "EU", noon + 3.0 / 1440, 7012000), 1);
  EXPECT_EQ(add("K1ABC", "30m", "CW", "5", "K", "NA", noon, 10123999), 0);
  EXPECT_EQ(result(),
            "\t\tRDA CONTEST 02.09-05.09.2017\r\n\t\t\tContestant: RA3AA \r\n"
            "\tQSOs\tPoints\tDXCC\tRDA\tCW\tSSB\r\n"
            "40m\t 0\t 0\t 0\t\t 0\t 0\r\n"
            "20m\t 1\t 2\t 1\t\t 1\t 0\r\n"
            "20M\t 1\t 3\t 1\t\t 0\t 1\r\n"
            "Total\t 2\t 5\t 2\t 1\t 1\t 1\r\nDupe\t 1\r\nBad QSO\t 2\r\n\r\n"
            "Score: 5*(2+1) = 15"
            "\r\nLast QSO points:     0\r\nHourly (10min/1 hour) QSO rate:     0 /0\r\n"
            "Hourly (10min/1 hour) pts rate:     0 /0\r\nCreated by RDAC (C)\r\n");
  EXPECT_EQ(readFile("BadQSO_DedodEVA_05_09_2017.txt"),
            "RDA Contest UBN file \r\n"
            "QSO:  14025  CW  2017-09-05 1202  RA3AA  599  MA01  UA9ABC  579  MA01 DUPE !!!\r\n"
            "QSO:  7012  CW  2017-09-05 1203  RA3AA  599  MA01  RA3BAD  579  XY99  XY99  Russland "
            "District Area Code is not acceptable !!!\r\n"
            "QSO:  10123  CW  2017-09-05 1200  RA3AA  599  MA01  K1ABC  579  5    WRONG BAND !!!\r\n");
  EXPECT_NE(readFile("Plugins\\RDA.ini").find("Claimed=15"), std::string::npos);
}

TEST_F(Session, CallsignCheckWithItsHintBuffer) {
  ASSERT_EQ(reset("UA"), 1);
  add("UA9ABC", "40m", "CW", "MA-01", "UA9", "AS", 42983.5, 7012000);
  auto check = dll_.get<CheckCallFn>(decorated::CheckCallFunc0);
  char hint[10] = "unset", second[4] = "ok";
  auto call = [&](const char* c, const char* band, const char* mode, const char* prefix) {
    return check(c, 1, 2, mode, "4", "5", "6", "7", "8", "9", "10", "11", "12", prefix, 14, 15, 16,
                 17.5, 18.5, "19", "20", "21", "22", "23", band, band, hint, second);
  };
  EXPECT_EQ(call("UA9ABC", "40m", "CW", "UA9"), 0);
  EXPECT_STREQ(hint, "unset");
  // The "Use hint" setting is read when the setup window opens, which has not happened.
  EXPECT_EQ(call("UA9ABC", "20m", "CW", "UA9"), 2);
  EXPECT_STREQ(hint, "unset");
  EXPECT_EQ(call("UA9XYZ", "40m", "CW", "UA9"), 1);
  EXPECT_EQ(call("UA9", "40m", "CW", "UA9"), 1);
  EXPECT_EQ(call("DL1ABC", "10m", "CW", "DL"), 2);
  EXPECT_EQ(call("DL1ABC", "30m", "CW", "DL"), 4);
  EXPECT_STREQ(second, "ok");
}

TEST_F(Session, RemovalDropsTheRecordAndItsLines) {
  ASSERT_EQ(reset("DL", "DL1AA"), 1);
  add("UA9ABC", "20m", "CW", "XX01", "UA9", "AS", 42983.5, 14025000);
  HostDateTime when{42983.5, 0, 0}, unused{0, 2, 0};
  EXPECT_EQ(dll_.get<AddDataFn>(decorated::RemoveData0)(
                nullptr, "UA9ABC", &when, &unused, &unused, &unused, 0, 14025000, "CW", "599",
                "579", "MA01", "XX01", "", "", "", "", "", "", "", "", "", "UA9", 0, 0, 0, 0, 0, "",
                "AS", "", "20m", ""),
            1);
  EXPECT_EQ(readFile("BadQSO_DedodEVA_05_09_2017.txt"), "RDA Contest UBN file \r\n");
  EXPECT_NE(result().find("Total\t 0\t 0\t 0\t 0\t 0\r\n"), std::string::npos);
}

TEST_F(Session, AnExportRunAsksForTheHeaderAndWritesTheLog) {
  DeleteFileA("RA3AA.cbr");
  {
    ModalDriver header(GetCurrentThreadId(), IDOK, [](HWND dialog) {
      SetDlgItemTextA(dialog, IDC_CABRILLO_NAME, "Test Operator");
    });
    ASSERT_EQ(reset("UA", "RA3AA", 1), 1);
    ASSERT_TRUE(header.seen().found);
    EXPECT_EQ(header.seen().caption, "RDAC");
  }
  add("UA9ABC", "20m", "CW", "MA01", "UA9", "AS", 42983.5, 14025300);
  add("DL1ABC", "20m", "SSB", "001", "DL", "EU", 42983.51, 14250000);
  ModalDriver output(GetCurrentThreadId(), IDOK);
  const std::string text = result();
  ASSERT_TRUE(output.seen().found);
  EXPECT_EQ(output.seen().caption, "Output");
  EXPECT_EQ(text.substr(text.size() - 21), "\r\nScore: 5*(2+1) = 15");
  const std::string log = readFile("RA3AA.cbr");
  EXPECT_EQ(log.find("START-OF-LOG: 3.0\r\n"), 0u) << log;
  EXPECT_NE(log.find("CALLSIGN: RA3AA\r\n"), std::string::npos);
  EXPECT_NE(log.find("NAME: Test Operator\r\n"), std::string::npos);
  EXPECT_NE(log.find("CLAIMED-SCORE: 15\r\n"), std::string::npos);
  EXPECT_NE(log.find("UA9ABC"), std::string::npos);
  EXPECT_NE(log.find(" PH "), std::string::npos);
  EXPECT_NE(log.find("END-OF-LOG:"), std::string::npos);
  EXPECT_NE(readFile("Plugins\\RDA.ini").find("Name=Test Operator"), std::string::npos);
  DeleteFileA("RA3AA.cbr");
}

// A viewer or editor holds the files open for reading and writing but not for deleting, so
// nothing can be renamed over them: they are rewritten where they stand.
// Which file a name is, as the system numbers it: a file replaced by another has another.
uint64_t fileIndexOf(const char* name) {
  const HANDLE file = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return known ? (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow : 0;
}

TEST_F(Session, AResetCutsTheBadQsoFileBackToItsHeaderInPlace) {
  const char* const badFile = "BadQSO_DedodEVA_05_09_2017.txt";
  ASSERT_EQ(reset("UA"), 1);
  add("K1OLD", "30m", "CW", "5", "K", "NA", 42983.5, 10123999);
  const uint64_t before = fileIndexOf(badFile);
  ASSERT_NE(before, 0u);
  ASSERT_NE(readFile(badFile), "RDA Contest UBN file \r\n");
  ASSERT_EQ(reset("UA"), 1);
  EXPECT_EQ(readFile(badFile), "RDA Contest UBN file \r\n");
  EXPECT_EQ(fileIndexOf(badFile), before);
}

class HeldOpen {
 public:
  explicit HeldOpen(const char* name)
      : handle_(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() { CloseHandle(handle_); }
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST_F(Session, FilesHeldOpenByAViewerAreRewrittenInPlace) {
  const char* const badFile = "BadQSO_DedodEVA_05_09_2017.txt";
  ASSERT_EQ(reset("UA"), 1);
  add("K1OLD", "30m", "CW", "5", "K", "NA", 42983.5, 10123999);
  writeFile("Plugins\\RDA.ini", "[Settings]\r\nStart=1\r\n");  // so the next reset writes 0
  HeldOpen bad(badFile), settings("Plugins\\RDA.ini"), cabrillo("RA3AA.cbr");
  ASSERT_TRUE(bad.held() && settings.held() && cabrillo.held());
  writeFile("probe.tmp", "x");
  ASSERT_FALSE(MoveFileExA("probe.tmp", badFile, MOVEFILE_REPLACE_EXISTING));  // the held file stays

  ASSERT_EQ(reset("UA"), 1);
  EXPECT_EQ(readFile(badFile), "RDA Contest UBN file \r\n");
  EXPECT_NE(readFile("Plugins\\RDA.ini").find("Start=0"), std::string::npos);  // was 1
  add("K1A", "30m", "CW", "5", "K", "NA", 42983.5, 10123999);
  add("K1B", "30m", "CW", "5", "K", "NA", 42983.6, 10123999);
  HostDateTime when{42983.5, 0, 0}, unused{0, 2, 0};
  dll_.get<AddDataFn>(decorated::RemoveData0)("RA3AA", "K1A", &when, &unused, &unused, &unused, 0,
                                               10123999, "CW", "599", "579", "MA01", "5", "", "", "",
                                               "", "", "", "", "", "", "K", 0, 0, 0, 0, 0, "", "NA",
                                               "", "30m", "");
  EXPECT_EQ(readFile(badFile),
            "RDA Contest UBN file \r\n"
            "QSO:  10123  CW  2017-09-05 1424  RA3AA  599  MA01  K1B  579  5    WRONG BAND !!!\r\n");
  EXPECT_NE(result().find("Bad QSO\t 1\r\n"), std::string::npos);

  {
    ModalDriver header(GetCurrentThreadId(), IDOK);
    ASSERT_EQ(reset("UA", "RA3AA", 1), 1);
  }
  add("UA9ABC", "20m", "CW", "MA01", "UA9", "AS", 42983.5, 14025300);
  ModalDriver output(GetCurrentThreadId(), IDOK);
  result();
  const std::vector<std::string>& said = output.seen().texts;
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  const std::string produced = "File produced: " + std::string(folder) + "\\RA3AA.cbr";  // its full path
  EXPECT_NE(std::find(said.begin(), said.end(), produced), said.end());
  const std::string log = readFile("RA3AA.cbr");
  EXPECT_EQ(log.find("START-OF-LOG: 3.0\r\n"), 0u);
  EXPECT_NE(log.find("UA9ABC"), std::string::npos);
}

}  // namespace
}  // namespace stats::testing
