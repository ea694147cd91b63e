// rdac crosscheck on the folder as a committee gets it: stray files, logs it cannot use, checklogs,
// QSOs outside the contest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <regex>

#include "tests/e2e/rdac_runner.h"
#include "tests/e2e/small_logs.h"
#include "tests/support/scratch_dir.h"

namespace rdac::testing {
namespace {

std::string qso(const std::string& time, const std::string& own, const std::string& sent, const std::string& call,
                const std::string& received, const std::string& date = "2017-08-19") {
  return "QSO: 14025 CW " + date + " " + time + " " + own + " 599 " + sent + " " + call + " 599 " + received + "\r\n";
}

std::string cabrillo(const std::string& call, const std::string& qsos, const std::string& header = "") {
  return "START-OF-LOG: 3.0\r\nCALLSIGN: " + call + "\r\n" + header + qsos + "END-OF-LOG:\r\n";
}

// RA3AAA (MA-03), RA4BBB (TA-04) and RA9CCC (SV-12) work each other once, all logged right.
class CrossCheckInput : public ::testing::Test {
 protected:
  stats::testing::ScratchDir dir;
  std::string a = qso("1200", "RA3AAA", "MA-03", "RA4BBB", "TA-04") + qso("1201", "RA3AAA", "MA-03", "RA9CCC", "SV-12");
  std::string b = qso("1200", "RA4BBB", "TA-04", "RA3AAA", "MA-03") + qso("1202", "RA4BBB", "TA-04", "RA9CCC", "SV-12");
  std::string c = qso("1201", "RA9CCC", "SV-12", "RA3AAA", "MA-03") + qso("1202", "RA9CCC", "SV-12", "RA4BBB", "TA-04");

  std::string bHeader;

  void SetUp() override { dir.write("districts.dat", kDistricts); }

  RdacRun check(std::vector<std::string> options = {}) {
    dir.write("logs/RA3AAA.log", cabrillo("RA3AAA", a));
    dir.write("logs/RA4BBB.log", cabrillo("RA4BBB", b, bHeader));
    if (!c.empty()) dir.write("logs/RA9CCC.log", cabrillo("RA9CCC", c));
    std::vector<std::string> args{"crosscheck", "logs", "--districts", "districts.dat", "--out", "out"};
    args.insert(args.end(), options.begin(), options.end());
    return runRdac(args);
  }
  std::string checked() { return fileText(dir.file("out/checked.csv")); }
};

TEST_F(CrossCheckInput, StrayFilesAndLogsNamingNoStationAreSkippedAndTheRunGoesOn) {
  dir.write("logs/RN6AA.cbr", std::string("PK\x03\x04\x14\0\0\0", 8) + "\xff\xfe QSO: garbage\r\n");
  dir.write("logs/blank.log", cabrillo("", qso("1203", "", "MA-01", "RA3AAA", "MA-03")));
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("RN6AA.cbr does not name its station (CALLSIGN:, STATION_CALLSIGN or OPERATOR): skipped\n"),
            std::string::npos) << run.err;
  EXPECT_NE(run.err.find("blank.log does not name its station"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("3 logs, 6 QSOs checked: ok 6\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Files skipped, no log of a station: RN6AA.cbr blank.log\n"), std::string::npos) << run.out;
}

// Named on the command line, a file that is no log, or whose call is longer than any, is skipped
// as a stray one in the folder is.
TEST_F(CrossCheckInput, AStrayFileNamedOnTheCommandLineIsSkippedLikeOneInTheFolder) {
  dir.write("notes.txt", "Thanks for the contest!\r\n");
  dir.write("long.log", cabrillo(std::string(40000, 'W') + "1", qso("1203", "W1", "MA-01", "RA3AAA", "MA-03")));
  const RdacRun run = check({"notes.txt", "long.log"});
  ASSERT_EQ(run.exitCode, 0) << run.err.substr(0, 2000);
  EXPECT_NE(run.err.find("rdac: notes.txt is neither ADIF nor Cabrillo: skipped\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("rdac: long.log names a call of 40001 characters, longer than any: skipped\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("3 logs, 6 QSOs checked: ok 6\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Files skipped, no log of a station: notes.txt long.log\n"), std::string::npos) << run.out;
}

// Its partners cannot be confirmed by a log that holds nothing readable: no NIL for them.
TEST_F(CrossCheckInput, EmptyAndMostlyUnreadableLogsAreSetAsideWithoutNilsForTheirPartners) {
  c = qso("1201", "RA9CCC", "SV-12", "RA3AAA", "MA-03", "19-08-2017") +
      qso("1202", "RA9CCC", "SV-12", "RA4BBB", "TA-04", "19-08-2017") + qso("1203", "RA9CCC", "SV-12", "UA1ZZZ", "SP-01");
  dir.write("logs/RN3EMP.log", cabrillo("RN3EMP", ""));
  b += qso("1204", "RA4BBB", "TA-04", "RN3EMP", "MA-03");
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string rows = checked();
  EXPECT_EQ(rows.find(",nil,"), std::string::npos) << rows;
  EXPECT_EQ(rows.find("\nRA9CCC,"), std::string::npos) << rows;
  EXPECT_NE(rows.find("RA9CCC,unique,,the log of RA9CCC (read 1 of 3 QSO lines) was not checked; in 2 log(s)\n"),
            std::string::npos) << rows;
  EXPECT_NE(rows.find("RN3EMP,unique,,the log of RN3EMP (holds no QSO) was not checked; in 1 log(s)\n"),
            std::string::npos) << rows;
  EXPECT_NE(run.out.find("Not checked, their partners judged as if they had sent none: RA9CCC (read 1 of 3 QSO lines) "
                         "RN3EMP (holds no QSO)\n"),
            std::string::npos) << run.out;
  EXPECT_NE(fileText(dir.file("out/RN3EMP.ubn")).find("Not checked (holds no QSO)"), std::string::npos);
}

TEST_F(CrossCheckInput, ALogWithQsoLinesSkippedIsNamedWithHowManyWereRead) {
  a += "QSO: 14025 CW 2017-08-19 1205 RA3AAA 599 MA-03 RA4BBB 599\r\n";
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("QSO lines skipped in: RA3AAA (read 2 of 3)\n"), std::string::npos) << run.out;
  EXPECT_NE(fileText(dir.file("out/RA3AAA.ubn")).find("\nRead 2 of 3 QSO lines: the others could not be read\n"),
            std::string::npos);
}

TEST_F(CrossCheckInput, AChecklogConfirmsItsPartnersButIsNotRanked) {
  bHeader = "CATEGORY-OPERATOR: CHECKLOG\r\n";
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("ok 6\n"), std::string::npos) << run.out;
  const std::string results = fileText(dir.file("out/results.csv"));
  EXPECT_EQ(results.find("RA4BBB"), std::string::npos) << results;
  EXPECT_NE(results.find("RA3AAA"), std::string::npos) << results;
}

TEST_F(CrossCheckInput, ALogWhoseCallIsOnlyAPrefixWarns) {
  c.clear();
  dir.write("logs/RA9CCC.log", cabrillo("R9", qso("1201", "R9", "SV-12", "RA3AAA", "MA-03")));
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("RA9CCC.log: its call R9 is only a prefix; checked under it\n"), std::string::npos) << run.err;
  EXPECT_NE(fileText(dir.file("out/R9.ubn")).find("Warning: the log's call R9 is only a prefix\n"), std::string::npos);
}

// A logger that writes no-break spaces between the fields: its QSOs are read, its partners keep theirs.
TEST_F(CrossCheckInput, ALogWithNoBreakSpacesBetweenItsFieldsIsReadAndItsPartnersKeepTheirQsos) {
  c.clear();
  std::string nbsp = cabrillo("RA9CCC", qso("1201", "RA9CCC", "SV-12", "RA3AAA", "MA-03") +
                                            qso("1202", "RA9CCC", "SV-12", "RA4BBB", "TA-04"));
  for (char& ch : nbsp) ch = ch == ' ' ? '\xA0' : ch;
  dir.write("logs/RA9CCC.log", nbsp);
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("3 logs, 6 QSOs checked: ok 6\n"), std::string::npos) << run.out;
}

// The header lost the call's letters, the file's name kept them: its partners are not given NILs.
TEST_F(CrossCheckInput, ALogWhoseCallIsOnlyAPrefixOfItsFileNameIsThatStation) {
  c.clear();
  dir.write("logs/ra9ccc.log", cabrillo("RA9", qso("1201", "RA9", "SV-12", "RA3AAA", "MA-03") +
                                                   qso("1202", "RA9", "SV-12", "RA4BBB", "TA-04")));
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("QSOs checked: ok 6\n"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("ra9ccc.log: its call RA9 is only a prefix; checked as RA9CCC, its file's name\n"),
            std::string::npos) << run.err;
  EXPECT_NE(fileText(dir.file("out/RA9CCC.ubn"))
                .find("Warning: the log's call RA9 is only a prefix; checked as RA9CCC, its file's name\n"),
            std::string::npos);
}

// The period runs 24 hours from --start when no --end is given; a QSO outside it is neither
// counted nor anyone's fault.
TEST_F(CrossCheckInput, QsosOutsideTheContestPeriodAreOutOfPeriodOnBothSides) {
  a += qso("1159", "RA3AAA", "MA-03", "RA9CCC", "SV-12") + qso("1200", "RA3AAA", "MA-03", "RA4BBB", "TA-04", "2017-08-20");
  b += qso("1200", "RA4BBB", "TA-04", "RA3AAA", "MA-03", "2017-08-20");
  const RdacRun run = check({"--start", "2017-08-19 12:00"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("QSOs checked: ok 6 out_of_period 3\n"), std::string::npos) << run.out;
  const RdacRun unbounded = check();
  EXPECT_NE(unbounded.out.find("QSOs checked: ok 6 dupe 2 nil 1\n"), std::string::npos) << unbounded.out;
  EXPECT_EQ(check({"--start", "2017-08-19 12:00", "--end", "2017-08-19 11:00"}).exitCode, 2);
}

TEST_F(CrossCheckInput, APartnerErrorNamesWhatEachSideLoggedAndCountsOnlyWhenAsked) {
  b = qso("1200", "RA4BBB", "TA-04", "RA3AAA", "MA-04") + qso("1202", "RA4BBB", "TA-04", "RA9CCC", "SV-12");
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(checked().find(",partner_error,RA4BBB,\"RA4BBB received MA-04, RA3AAA sent MA-03\"\n"), std::string::npos)
      << checked();
  const auto checkedQsos = [&] {
    const std::string results = fileText(dir.file("out/results.csv"));
    const size_t row = results.find("\nRA3AAA,");
    return row == std::string::npos ? std::string() : results.substr(row + 1, results.find('\n', row + 1) - row - 1);
  };
  EXPECT_NE(checkedQsos().find(",2,1,"), std::string::npos) << checkedQsos();
  ASSERT_EQ(check({"--count-partner-errors"}).exitCode, 0);
  EXPECT_NE(checkedQsos().find(",2,2,"), std::string::npos) << checkedQsos();
}

// A header's call names a file: the file stays in --out, is a name on every system, and no two
// stations share one.
TEST_F(CrossCheckInput, UbnFileNamesStayInTheFolderAreNamesEverywhereAndNeverShared) {
  const std::vector<std::string> hostile{"../../PWNED", "..\\..\\PWNED", "RA3ZZ?", "RA3ZZ", "R1AB/M", "R1AB_M",
                                         "CON", "nul", std::string("RA3X\0Y", 6)};
  for (size_t i = 0; i < hostile.size(); ++i)
    dir.write("logs/h" + std::to_string(i) + ".log", cabrillo(hostile[i], qso("1205", "X", "MA-01", "RA3AAA", "MA-03")));
  const RdacRun run = check();
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::map<std::string, std::string> ubns;  // by name
  for (const auto& entry : std::filesystem::directory_iterator(dir.file("out")))
    if (entry.path().extension() == ".ubn") ubns[entry.path().filename().string()] = fileText(entry.path().string());
  EXPECT_EQ(ubns.size(), hostile.size() + 3) << run.out;
  const std::regex safe("[A-Z0-9_]{1,32}(-[0-9]+)?\\.ubn");
  for (const auto& [name, text] : ubns) {
    EXPECT_TRUE(std::regex_match(name, safe)) << name;
    EXPECT_FALSE(std::regex_match(name, std::regex("(CON|PRN|AUX|NUL|COM[0-9]|LPT[0-9])\\..*"))) << name;
  }
  for (std::string call : hostile) {
    for (char& ch : call) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(std::count_if(ubns.begin(), ubns.end(),
                            [&](const auto& ubn) { return ubn.second.rfind("Cross-check of " + call + " (", 0) == 0; }),
              1)
        << call;
  }
  EXPECT_TRUE(ubns.count("RA3ZZ.ubn") && ubns.count("RA3ZZ-2.ubn") && ubns.count("NUL_.ubn")) << run.out;
  EXPECT_FALSE(dir.exists("PWNED.ubn") || dir.exists("../PWNED.ubn"));
}

// A UBN that cannot be written (its name is a folder's) is named; every other file is written, and
// the exit code says one is missing.
TEST_F(CrossCheckInput, AUbnThatCannotBeWrittenCostsOnlyItself) {
  dir.write("out/RA4BBB.ubn/in the way", "");
  const RdacRun run = check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("rdac: cannot write the UBN file of RA4BBB: "), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("Written to out: checked.csv, results.csv, 2 UBN file(s)\n"), std::string::npos) << run.out;
  EXPECT_NE(fileText(dir.file("out/results.csv")).find("\nRA4BBB,"), std::string::npos);
  EXPECT_TRUE(dir.exists("out/checked.csv") && dir.exists("out/RA3AAA.ubn") && dir.exists("out/RA9CCC.ubn"));
}

}  // namespace
}  // namespace rdac::testing
