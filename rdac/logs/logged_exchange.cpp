#include "rdac/logs/logged_exchange.h"

#include "platform/text.h"

namespace rdac {
namespace {

size_t firstBlank(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (stats::isAsciiSpace(text[i])) return i;
  return std::string_view::npos;
}

// 59, 599, 57, 579, 5NN, ENN: the readability 1 to 5 (E is a cut 5), then strength and tone
// 1 to 9 (N is a cut 9).
bool reportShaped(std::string_view word) {
  if (word.size() < 2 || word.size() > 3) return false;
  const char first = stats::asciiUpper(word[0]);
  if (!((first >= '1' && first <= '5') || first == 'E')) return false;
  for (char c : word.substr(1)) {
    const char u = stats::asciiUpper(c);
    if (!((u >= '1' && u <= '9') || u == 'N')) return false;
  }
  return true;
}

// The Latin capital a Cyrillic letter looks like (either case), 0 when it has none. Russian
// keyboards put these where an operator types a district without switching layouts.
char latinTwin(char32_t c) {
  static const struct { char32_t cyrillic; char latin; } kTwins[] = {
      {U'А', 'A'}, {U'В', 'B'}, {U'Е', 'E'}, {U'К', 'K'}, {U'М', 'M'}, {U'Н', 'H'},
      {U'О', 'O'}, {U'Р', 'P'}, {U'С', 'C'}, {U'Т', 'T'}, {U'У', 'Y'}, {U'Х', 'X'}};
  for (const auto& twin : kTwins)
    if (c == twin.cyrillic || c == twin.cyrillic + 0x20) return twin.latin;
  return 0;
}

// The text in ASCII capitals, Cyrillic look-alikes replaced; empty when a letter beyond ASCII
// has no twin. Only the two-byte sequences of U+0400 to U+047F can be twins.
std::string latinCapitals(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out += stats::asciiUpper(text[i]);
      continue;
    }
    if ((byte != 0xD0 && byte != 0xD1) || i + 1 >= text.size()) return {};
    const auto next = static_cast<unsigned char>(text[++i]);
    const char twin = latinTwin(static_cast<char32_t>(((byte & 0x1F) << 6) | (next & 0x3F)));
    if (twin == 0) return {};
    out += twin;
  }
  return out;
}

bool isLatinCapital(char c) { return c >= 'A' && c <= 'Z'; }

// "MA-03" of a district in any of its spellings; empty for anything else.
std::string districtSpelling(std::string_view text) {
  // A serial number, as most exchanges are, is told at its first byte.
  if (text.size() < 3 || stats::isAsciiDigit(text[0])) return {};
  const std::string latin = latinCapitals(text);
  if (latin.size() < 3 || !isLatinCapital(latin[0]) || !isLatinCapital(latin[1])) return {};
  size_t at = 2;
  while (at < latin.size() && (latin[at] == '-' || stats::isAsciiSpace(latin[at]))) ++at;
  const std::string_view digits = std::string_view(latin).substr(at);
  if (digits.empty() || digits.size() > 2) return {};
  for (char c : digits)
    if (!stats::isAsciiDigit(c)) return {};
  return latin.substr(0, 2) + (digits.size() == 1 ? "-0" : "-") + std::string(digits);
}

}  // namespace

std::string normalisedExchange(std::string_view exchange, std::string_view report) {
  std::string_view text = stats::trimmedView(exchange);
  const size_t blank = firstBlank(text);
  if (blank != std::string_view::npos) {
    const std::string_view first = text.substr(0, blank), ownReport = stats::trimmedView(report);
    if (reportShaped(first) || (!ownReport.empty() && stats::equalsNoCase(first, ownReport)))
      text = stats::trimmedView(text.substr(blank));
  }
  std::string district = districtSpelling(text);
  return district.empty() ? std::string(text) : district;
}

bool isDistrictShaped(std::string_view exchange) { return !districtSpelling(stats::trimmed(exchange)).empty(); }

}  // namespace rdac
