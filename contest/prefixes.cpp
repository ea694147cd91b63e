#include "contest/prefixes.h"

#include <array>
#include <cstring>

#include "contest/region_pairs.h"

namespace stats {
namespace {

const char* const kRdaPrefixes[] = {"UA", "UA2", "UA9", "CE9/KC4"};
const char* const kRussianLanguagePrefixes[] = {"UA", "UA2", "UA2/f", "UA9", "UN", "UR", "EU"};

template <size_t N>
int isOneOf(std::string_view text, const char* const (&set)[N]) {
  for (const char* member : set)
    if (text == member) return 1;
  return 0;
}

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Each test stops at its first failing character, so short callsigns are never read past
// their end (the terminating NUL is neither a letter nor a digit).
bool hasSpecialEventShape(const std::string& call) {
  const char* c = call.c_str();
  if (isLetter(c[0]) && isDigit(c[1]) && isDigit(c[2])) return true;
  if (isLetter(c[0]) && isLetter(c[1]) && isDigit(c[2]) && isDigit(c[3])) return true;
  return call.compare(0, 2, "UE") == 0;
}

// A pair counts when its first occurrence exists and is not at the very start.
bool rowMatches(const RegionRow& row, const std::string& call) {
  for (const char* p = row.pairs; *p; p += 2) {
    const size_t at = call.find(std::string(p, 2));
    if (at != std::string::npos && at != 0) return true;
  }
  return false;
}

}  // namespace

int IsRdaPrefix(std::string_view prefix) { return isOneOf(prefix, kRdaPrefixes); }

int IsRussianLanguagePrefix(std::string_view prefix) {
  return isOneOf(prefix, kRussianLanguagePrefixes);
}

std::string FoldCountryPrefix(std::string_view prefix) {
  return (prefix == "IT9" || prefix == "IG9") ? std::string("I") : std::string(prefix);
}

std::string GuessRdaRegion(const std::string& call, const StationHints& hints) {
  for (const std::string& line : hints.lines()) {
    const size_t n = line.size();
    const std::string callPart = n < 5 ? std::string() : line.substr(0, n - 5);
    if (callPart == call) return n < 4 ? line : line.substr(n - 4);
  }
  if (hasSpecialEventShape(call)) return "SPEC";
  const size_t slash = call.find('/');
  if (slash != std::string::npos && slash != 0) return "STO";
  for (const RegionRow& row : kRegionPairTable)
    if (rowMatches(row, call)) return row.code;
  return "STO";
}

}  // namespace stats
