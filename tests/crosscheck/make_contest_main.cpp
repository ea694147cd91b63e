// Writes a synthetic contest as one Cabrillo file per log, for the README's example and the
// cross-check benchmark: make_contest FOLDER [LOGS [QSOS_PER_LOG [SEED]]].
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "rdac/crosscheck/call_edits.h"
#include "tests/crosscheck/synthetic_contest.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: make_contest FOLDER [LOGS [QSOS_PER_LOG [SEED]]]\n";
    return 2;
  }
  rdac::testing::SyntheticOptions options;
  if (argc > 2) options.logs = std::strtoul(argv[2], nullptr, 10);
  if (argc > 3) options.qsosPerLog = std::strtoul(argv[3], nullptr, 10);
  if (argc > 4) options.seed = unsigned(std::strtoul(argv[4], nullptr, 10));
  // Busy stations without a log and rare ones in the same share as the test contest's.
  options.activeWithoutLog = options.logs * 3 / 25;
  options.rareWithoutLog = options.logs * 2 / 25;
  options.withTruth = false;
  const rdac::testing::SyntheticContest contest = rdac::testing::makeContest(options);
  std::filesystem::create_directories(argv[1]);
  size_t qsos = 0;
  for (const rdac::testing::SyntheticLog& log : contest.logs) {
    std::string name = log.ownCall;
    for (char& c : name) c = c == '/' ? '_' : c;
    std::ofstream out(std::string(argv[1]) + "/" + name + ".log", std::ios::binary);
    out << rdac::testing::cabrilloText(log);
    if (!out) {
      std::cerr << "make_contest: cannot write " << name << ".log\n";
      return 1;
    }
    qsos += log.qsos.size();
  }
  std::cout << contest.logs.size() << " logs, " << qsos << " QSOs in " << argv[1] << '\n';
  return 0;
}
