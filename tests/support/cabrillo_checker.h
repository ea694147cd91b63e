#pragma once
// A strict Cabrillo 3.0 reader for the tests: what a contest's log checker would refuse.
#include <string>
#include <vector>

namespace stats::testing {

// One text per problem found; none for a log that a strict reader accepts. Every line must end
// in CR LF and be a known tag (category tags with a known value) or a QSO line of ten
// blank-separated fields: frequency, mode, date, time, then call, report and exchange sent
// and received.
std::vector<std::string> cabrilloProblems(const std::string& file);

}  // namespace stats::testing
