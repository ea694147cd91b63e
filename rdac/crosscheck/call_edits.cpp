#include "rdac/crosscheck/call_edits.h"

#include "rdac/logs/qso_fields.h"

namespace rdac {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The digit of a call's own area, the last digit of its prefix: R3AA's 3, 4X3IB's 3; 0 for a
// call with a slash or without a digit.
char areaOf(std::string_view call) {
  if (call.find('/') != std::string_view::npos) return 0;
  const size_t at = call.find_last_of("0123456789");
  return at == std::string_view::npos ? 0 : call[at];
}

bool endsWithAreaSuffix(std::string_view call) {
  return call.size() > 2 && call[call.size() - 2] == '/' && isDigit(call.back());
}

bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }

// The letters of a prefix (UA of UA9, RA of RA3AAA) when they are Russia's: R, or U with A to I.
bool russianLetters(std::string_view letters) {
  return (!letters.empty() && letters[0] == 'R') || (letters.size() == 2 && letters[0] == 'U' && letters[1] >= 'A' && letters[1] <= 'I');
}

std::string_view prefixLetters(std::string_view call) {
  size_t n = 0;
  while (n < call.size() && isLetter(call[n])) ++n;
  return call.substr(0, n);
}

// UA9/RA3AAA is RA3AAA/9: a prefix of one or two letters and the area's digit, before the call
// itself, in the call's own country. Only countries known to be one are taken for one: a
// foreign call in the prefix form (UA9/W1JR) is another place than W1JR/9.
std::string suffixForm(std::string_view call) {
  const size_t slash = call.find('/');
  if (slash < 2 || slash > 3 || !isDigit(call[slash - 1])) return {};
  const std::string_view prefix = call.substr(0, slash - 1), rest = call.substr(slash + 1);
  if (prefixLetters(prefix) != prefix || bareCall(rest) != rest.substr(0, rest.find('/'))) return {};
  const std::string_view letters = prefixLetters(rest);
  if (letters.empty() || letters.size() == rest.size() || !isDigit(rest[letters.size()])) return {};
  const bool sameCountry = letters == prefix || (russianLetters(letters) && russianLetters(prefix));
  if (!sameCountry) return {};
  std::string suffixed(rest.substr(0, rest.find('/')));
  suffixed += '/';
  suffixed += call[slash - 1];
  if (rest.find('/') != std::string_view::npos) suffixed += rest.substr(rest.find('/'));
  return suffixed;
}

}  // namespace

std::string stationOf(std::string_view call) {
  const std::string suffixed = suffixForm(call);
  if (!suffixed.empty()) call = suffixed;
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (std::string_view suffix : {"/P", "/M", "/QRP"}) {
      if (call.size() > suffix.size() && call.substr(call.size() - suffix.size()) == suffix) {
        call.remove_suffix(suffix.size());
        stripped = true;
      }
    }
    if (endsWithAreaSuffix(call) && areaOf(call.substr(0, call.size() - 2)) == call.back()) {
      call.remove_suffix(2);
      stripped = true;
    }
  }
  return std::string(call);
}

std::string_view homeOf(std::string_view station) {
  if (!endsWithAreaSuffix(station)) return {};
  const std::string_view home = station.substr(0, station.size() - 2);
  const char area = areaOf(home);
  return area && area != station.back() ? home : std::string_view();
}

bool oneSlipApart(std::string_view a, std::string_view b) {
  if (oneEditApart(a, b)) return true;
  const std::string_view bareA = bareCall(a), bareB = bareCall(b);
  if ((bareA.size() != a.size() || bareB.size() != b.size()) && oneEditApart(bareA, bareB)) return true;
  const std::string_view homeA = homeOf(a), homeB = homeOf(b);
  return (!homeA.empty() && homeA == b) || (!homeB.empty() && homeB == a);
}

bool oneEditApart(std::string_view a, std::string_view b) {
  if (a.size() < b.size()) std::swap(a, b);
  size_t head = 0;
  while (head < b.size() && a[head] == b[head]) ++head;
  if (a.size() == b.size()) {
    if (head == a.size()) return false;
    if (a.substr(head + 1) == b.substr(head + 1)) return true;  // substitution
    return head + 1 < a.size() && a[head] == b[head + 1] && a[head + 1] == b[head] &&
           a.substr(head + 2) == b.substr(head + 2);  // neighbours swapped
  }
  return a.size() == b.size() + 1 && a.substr(head + 1) == b.substr(head);
}

// A text's key is its polynomial hash with its length mixed in; a deletion's comes from the hashes
// of what stands before and after it, so no deleted text is ever built.
std::vector<uint64_t> deletionKeys(std::string_view call) {
  constexpr uint64_t kBase = 0x100000001b3;
  const size_t n = call.size();
  const auto digit = [&](size_t i) { return uint64_t(static_cast<unsigned char>(call[i])) + 1; };
  const auto keyOf = [](uint64_t hash, size_t length) {
    uint64_t z = hash + 0x9e3779b97f4a7c15 * (length + 1);  // splitmix64's finish
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
  };
  // place[i]: what a character at i weighs in the whole call, kBase^(n-1-i); after[i]: the hash
  // of call[i..n) weighed so.
  std::vector<uint64_t> place(n + 1, 1), after(n + 1, 0);
  for (size_t i = n; i-- > 0;) {
    place[i] = i + 1 < n ? place[i + 1] * kBase : 1;
    after[i] = after[i + 1] + digit(i) * place[i];
  }
  std::vector<uint64_t> keys;
  keys.reserve(n + 1);
  keys.push_back(keyOf(after[0], n));
  uint64_t before = 0;  // the hash of call[0..i)
  for (size_t i = 0; i < n; ++i) {
    const uint64_t key = keyOf(before * place[i] + after[i + 1], n - 1);
    if (key != keys.back()) keys.push_back(key);  // a doubled letter gives it twice
    before = before * kBase + digit(i);
  }
  return keys;
}

}  // namespace rdac
