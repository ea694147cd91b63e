#include "reports/cabrillo_log.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/cabrillo_checker.h"
#include "tests/support/scratch_dir.h"

namespace stats {
namespace {

using ::testing::IsEmpty;
using testing::cabrilloProblems;
using testing::ScratchDir;

const COleDateTime kNoon = COleDateTime::fromParts(2017, 12, 16, 12, 0);

CabrilloLog singleOpLog() {
  CabrilloLog log;
  log.contest = "RDAC";
  log.callsign = "R1ABC";
  log.claimed = "999";
  log.categoryOperator = "SINGLE-OP";
  log.location = "LO";
  log.categoryBand = "ALL";
  log.categoryMode = "CW";
  log.categoryPower = "HIGH";
  log.categoryStation = "FIXED";
  log.categoryTransmitter = "ONE";
  log.name = "Ivan Petrov";
  log.address = "Nevsky 1";
  log.addressCity = "Saint Petersburg";
  log.addressPostalCode = "190000";
  log.addressCountry = "Russia";
  log.operators = "R1ABC R1XYZ";
  log.club = "RCC";
  log.soapbox = "";
  log.email = "r1abc@example.org";
  log.fileBase = "R1ABC";
  return log;
}

// The header up to and including the category lines that depend on the operator category.
const char kHeadSingle[] =
    "START-OF-LOG: 3.0\r\n"
    "CONTEST: RDAC\r\n"
    "CALLSIGN: R1ABC\r\n"
    "CATEGORY-OPERATOR: SINGLE-OP\r\n"
    "CATEGORY-BAND: ALL\r\n";

const char kTail[] =
    "CATEGORY-POWER: HIGH\r\n"
    "CATEGORY-MODE: CW\r\n"
    "CATEGORY-STATION: FIXED\r\n"
    "CLAIMED-SCORE: 1234\r\n"
    "CLUB: RCC\r\n"
    "CREATED-BY: Tarn 2.20\r\n"
    "LOCATION: LO\r\n"
    "NAME: Ivan Petrov\r\n"
    "ADDRESS: Nevsky 1\r\n"
    "ADDRESS-CITY: Saint Petersburg\r\n"
    "ADDRESS-POSTALCODE: 190000\r\n"
    "ADDRESS-COUNTRY: Russia\r\n"
    "EMAIL: r1abc@example.org\r\n"
    "SOAPBOX: \r\n";

TEST(CabrilloQsoLine, ColumnsFollowTheFixedLayout) {
  struct Case {
    const char* what;
    int freqKHz;
    const char* mode;
    COleDateTime time;
    const char* exchSent;
    const char* call;
    const char* exchRcvd;
    const char* line;
  };
  COleDateTime null;
  null.m_status = COleDateTime::null;
  COleDateTime invalid;
  invalid.m_status = COleDateTime::invalid;
  const Case cases[] = {
      {"ordinary", 3512, "CW", kNoon, "MO-12", "UA3AAA", "001",
       "QSO:  3512 CW 2017-12-16 1200 R1ABC         599 MO-12  UA3AAA        599 001\r\n"},
      {"five digits fill the column", 14012, "PH", kNoon, "MO-12", "UA3AAA", "001",
       "QSO: 14012 PH 2017-12-16 1200 R1ABC         599 MO-12  UA3AAA        599 001\r\n"},
      {"six digits shift the line", 144012, "CW", kNoon, "MO-12", "UA3AAA", "001",
       "QSO: 144012 CW 2017-12-16 1200 R1ABC         599 MO-12  UA3AAA        599 001\r\n"},
      {"long sent exchange shifts the rest", 7012, "CW", kNoon, "MOSCOW-12", "UA3AAA", "001",
       "QSO:  7012 CW 2017-12-16 1200 R1ABC         599 MOSCOW-12 UA3AAA        599 001\r\n"},
      {"long call and received exchange are whole", 7012, "??", kNoon, "MO-12",
       "UA3AAA/MM/QRP/X", "LONG-EXCHANGE",
       "QSO:  7012 ?? 2017-12-16 1200 R1ABC         599 MO-12  UA3AAA/MM/QRP/X 599 LONG-EXCHANGE\r\n"},
      {"null time is empty", 7012, "CW", null, "MO-12", "UA3AAA", "001",
       "QSO:  7012 CW  R1ABC         599 MO-12  UA3AAA        599 001\r\n"},
      {"invalid time", 7012, "CW", invalid, "MO-12", "UA3AAA", "001",
       "QSO:  7012 CW Invalid DateTime R1ABC         599 MO-12  UA3AAA        599 001\r\n"},
  };
  for (const Case& c : cases) {
    CabrilloLog log;
    log.callsign = "R1ABC";
    log.addQsoLine(c.call, c.freqKHz, c.mode, c.time, "599", c.exchSent, "599", c.exchRcvd);
    ASSERT_EQ(log.qsoLines.size(), 1u) << c.what;
    EXPECT_EQ(log.qsoLines[0], c.line) << c.what;
  }
}

TEST(CabrilloQsoLine, ControlBytesInAFieldCannotStartALineOfTheirOwn) {
  CabrilloLog log;
  log.callsign = "R1ABC";
  log.addQsoLine("UA3\r\nAAA", 3512, "CW", kNoon, "5\t9", "MO-12\n", "599\x7f",
                 "001\r\nEND-OF-LOG:");
  ASSERT_EQ(log.qsoLines.size(), 1u);
  const std::string& line = log.qsoLines[0];
  EXPECT_EQ(line.find("\r\n"), line.size() - 2);
  for (char c : line.substr(0, line.size() - 2)) EXPECT_GE(static_cast<unsigned char>(c), 0x20);
  EXPECT_NE(line.find(" UA3  AAA "), std::string::npos);
  EXPECT_NE(line.find(" 001  END-OF-LOG:\r\n"), std::string::npos);
}

TEST(CabrilloQsoLine, ModeByLogMode) {
  EXPECT_EQ(cabrilloMode("CW"), "CW");
  EXPECT_EQ(cabrilloMode("SSB"), "PH");
  EXPECT_EQ(cabrilloMode("cw"), "??");
  EXPECT_EQ(cabrilloMode("RTTY"), "??");
  EXPECT_EQ(cabrilloMode(""), "??");
}

TEST(CabrilloFile, SingleOperatorLogByteForByte) {
  CabrilloLog log = singleOpLog();
  log.addQsoLine("UA3AAA", 3512, "CW", kNoon, "599", "MO-12", "599", "001");
  log.addQsoLine("DL1AA", 14020, "PH", kNoon, "59", "MO-12", "59", "002");
  const std::string file = log.fileText(1234, "2.20");
  EXPECT_EQ(file, std::string(kHeadSingle) + kTail +
                      "QSO:  3512 CW 2017-12-16 1200 R1ABC         599 MO-12  UA3AAA        599 001\r\n"
                      "QSO: 14020 PH 2017-12-16 1200 R1ABC         59  MO-12  DL1AA         59  002\r\n"
                      "END-OF-LOG:\r\n");
  EXPECT_THAT(cabrilloProblems(file), IsEmpty());
}

TEST(CabrilloFile, MultiOperatorLogHasTransmitterAndOperatorsInsteadOfBand) {
  CabrilloLog log = singleOpLog();
  log.categoryOperator = "MULTI-OP";
  log.categoryTransmitter = "UNLIMITED";
  log.addQsoLine("UA3AAA", 3512, "CW", kNoon, "599", "MO-12", "599", "001");
  const std::string file = log.fileText(1234, "2.20");
  EXPECT_EQ(file, std::string("START-OF-LOG: 3.0\r\n"
                              "CONTEST: RDAC\r\n"
                              "CALLSIGN: R1ABC\r\n"
                              "CATEGORY-OPERATOR: MULTI-OP\r\n"
                              "CATEGORY-TRANSMITTER: UNLIMITED\r\n"
                              "OPERATORS: R1ABC R1XYZ\r\n") +
                      kTail +
                      "QSO:  3512 CW 2017-12-16 1200 R1ABC         599 MO-12  UA3AAA        599 001\r\n"
                      "END-OF-LOG:\r\n");
  EXPECT_THAT(cabrilloProblems(file), IsEmpty());
}

TEST(CabrilloFile, ChecklogAndEmptyLogHaveABandLineAndNoQsoLines) {
  CabrilloLog log = singleOpLog();
  log.categoryOperator = "CHECKLOG";
  const std::string file = log.fileText(0, "Tarn");
  EXPECT_EQ(file, std::string("START-OF-LOG: 3.0\r\n"
                              "CONTEST: RDAC\r\n"
                              "CALLSIGN: R1ABC\r\n"
                              "CATEGORY-OPERATOR: CHECKLOG\r\n"
                              "CATEGORY-BAND: ALL\r\n"
                              "CATEGORY-POWER: HIGH\r\n"
                              "CATEGORY-MODE: CW\r\n"
                              "CATEGORY-STATION: FIXED\r\n"
                              "CLAIMED-SCORE: 0\r\n"
                              "CLUB: RCC\r\n"
                              "CREATED-BY: Tarn Tarn\r\n"
                              "LOCATION: LO\r\n"
                              "NAME: Ivan Petrov\r\n"
                              "ADDRESS: Nevsky 1\r\n"
                              "ADDRESS-CITY: Saint Petersburg\r\n"
                              "ADDRESS-POSTALCODE: 190000\r\n"
                              "ADDRESS-COUNTRY: Russia\r\n"
                              "EMAIL: r1abc@example.org\r\n"
                              "SOAPBOX: \r\n"
                              "END-OF-LOG:\r\n"));
  EXPECT_THAT(cabrilloProblems(file), IsEmpty());
}

TEST(CabrilloFile, EmptyFieldsKeepTheirLinesAndScoresArePlainDecimals) {
  CabrilloLog log;
  const std::string file = log.fileText(-2147483647 - 1, "");
  EXPECT_NE(file.find("\r\nCALLSIGN: \r\nCATEGORY-OPERATOR: \r\nCATEGORY-BAND: \r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCLAIMED-SCORE: -2147483648\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCREATED-BY: Tarn \r\n"), std::string::npos);
  EXPECT_NE(log.fileText(1000000, "").find("\r\nCLAIMED-SCORE: 1000000\r\n"), std::string::npos);
}

TEST(CabrilloFile, EveryHeaderValueStaysOnItsLine) {
  // Whatever a settings file, the dialog or the host's files hand over, a line break cannot
  // start a line of its own (a forged QSO line, say) and a NUL cannot end a value early.
  const std::string breaks[] = {"\r", "\n", "\r\n", std::string(1, '\0'), "\t", "\x7f"};
  for (const std::string& inside : breaks) {
    const std::string value = "a" + inside + "QSO: 14000 CW";
    const std::string shown = "a" + std::string(inside.size(), ' ') + "QSO: 14000 CW";
    CabrilloLog log;
    for (std::string* field : {&log.callsign, &log.categoryOperator, &log.categoryBand,
                               &log.categoryPower, &log.categoryMode, &log.categoryStation,
                               &log.club, &log.location, &log.name, &log.address,
                               &log.addressCity, &log.addressPostalCode, &log.addressCountry,
                               &log.email})
      *field = value;
    log.soapbox = value + "\r\nSOAPBOX: " + value;
    const std::string file = log.fileText(1, "2.20" + inside + "x");
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(file.substr(start, end - start));
    ASSERT_EQ(lines.size(), 21u) << ::testing::PrintToString(inside);
    for (const std::string& line : lines)
      for (char c : line) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << ::testing::PrintToString(line);
    EXPECT_EQ(lines[2], "CALLSIGN: " + shown);
    EXPECT_EQ(lines[10], "CREATED-BY: Tarn 2.20" + std::string(inside.size(), ' ') + "x");
    EXPECT_EQ(lines[12], "NAME: " + shown);
    EXPECT_EQ(lines[18], "SOAPBOX: " + shown);
    EXPECT_EQ(lines[19], "SOAPBOX: " + shown);
  }
}

TEST(CabrilloFile, TheCallsignLosesTheBlanksAtItsEnds) {
  CabrilloLog log = singleOpLog();
  log.callsign = " R1A/P ";
  log.addQsoLine("UA3AAA", 3512, "CW", kNoon, "599", "MO-12", "599", "001");
  const std::string file = log.fileText(1, "2.20");
  EXPECT_NE(file.find("\r\nCALLSIGN: R1A/P\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nQSO:  3512 CW 2017-12-16 1200 R1A/P         599 MO-12  UA3AAA"),
            std::string::npos);
}

TEST(CabrilloSoapbox, TwoLinesAreStoredAsTokensShownAgainAndWrittenAsTwoLabels) {
  const std::string typed = "Good contest\r\n73 to all";
  const std::string stored = soapboxToStored(typed);
  EXPECT_EQ(stored, "Good contest<CR><LF>73 to all");
  EXPECT_EQ(soapboxFromStored(stored), typed);

  CabrilloLog log = singleOpLog();
  log.soapbox = soapboxForFile(stored);
  const std::string file = log.fileText(1, "2.20");
  EXPECT_NE(file.find("\r\nSOAPBOX: Good contest\r\nSOAPBOX: 73 to all\r\nEND-OF-LOG:\r\n"),
            std::string::npos);
  EXPECT_THAT(cabrilloProblems(file), IsEmpty());
}

TEST(CabrilloSoapbox, ReplacementsAreSinglePassAndTypedTokensBecomeBreaks) {
  EXPECT_EQ(soapboxFromStored("a<CR>b"), "a\rb");
  EXPECT_EQ(soapboxFromStored("<<CR>LF>"), "<\rLF>");  // the inserted text is not searched again
  EXPECT_EQ(soapboxToStored("x\n\ny"), "x<LF><LF>y");
  EXPECT_EQ(soapboxForFile("one<CR><LF>two<LF>three"), "one\r\nSOAPBOX: twothree");
  EXPECT_EQ(soapboxForFile(""), "");
}

TEST(CabrilloFileBase, ComesFromTheOwnCallAndCannotLeaveTheFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"R1ABC", "R1ABC"},
      {"R1ABC/P", "R1ABC_P"},
      {"UA9/R1ABC/P ", "UA9_R1ABC_P"},
      {" R1A\\B\t", "R1A_B"},
      {"   ", "RDRC"},
      {"", "RDRC"},
      {"C:X", "C_X"},
      {"..\\..\\evil", ".._.._evil"},
      {"A*B?C\"D<E>F|G", "A_B_C_D_E_F_G"},
      {"R1\x01" "A\x7f", "R1_A_"},
      {"R1\tA", "R1_A"},
  };
  for (const auto& [ownCall, base] : cases) EXPECT_EQ(cabrilloFileBase(ownCall), base) << ownCall;
}

std::string said(const FileMessage& message) { return message.text + message.file.string(); }

TEST(CabrilloWrite, WritesTheFileWholeAndNamesIt) {
  ScratchDir dir;
  dir.write("R1ABC_P.cbr", std::string(10000, 'x'));  // an older, longer file
  CabrilloLog log = singleOpLog();
  log.fileBase = "R1ABC_P";
  log.addQsoLine("UA3AAA", 3512, "CW", kNoon, "599", "MO-12", "599", "001");
  const std::string produced = "File produced: " + dir.file("R1ABC_P.cbr");
  EXPECT_EQ(said(log.writeFile(dir.path(), 7, "2.20")), produced);
  EXPECT_EQ(dir.read("R1ABC_P.cbr"), log.fileText(7, "2.20"));
  // Writing again gives the same file: the record is not used up.
  EXPECT_EQ(said(log.writeFile(dir.path(), 7, "2.20")), produced);
  EXPECT_EQ(dir.read("R1ABC_P.cbr"), log.fileText(7, "2.20"));
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename(), "R1ABC_P.cbr");
}

TEST(CabrilloWrite, AFileThatCannotBeWrittenIsReportedAsSuch) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.file("R1ABC.cbr"));  // the name is taken by a folder
  CabrilloLog log = singleOpLog();
  EXPECT_EQ(said(log.writeFile(dir.path(), 7, "2.20")), "File could not be written: " + dir.file("R1ABC.cbr"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("R1ABC.cbr")));
  EXPECT_FALSE(dir.exists("R1ABC.cbr.tmp"));
}

}  // namespace
}  // namespace stats
