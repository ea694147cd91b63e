#include "rdac/logs/country_file.h"

#include <algorithm>

#include "platform/text.h"

namespace rdac {
namespace {

// Suffixes that say how a station operates, not where it is.
const char* const kOperatingSuffixes[] = {"P", "M", "QRP", "QRPP", "A", "B", "J", "LH"};
// Suffixes of stations that are in no country.
const char* const kNoCountrySuffixes[] = {"MM", "AM"};

template <size_t N>
bool oneOf(const std::string& text, const char* const (&list)[N]) {
  return std::find(std::begin(list), std::end(list), text) != std::end(list);
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(separator, start);
    parts.emplace_back(text.substr(start, at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

bool isSingleDigit(const std::string& text) { return text.size() == 1 && stats::isAsciiDigit(text[0]); }

// "UA3ABC" with call area 9 is "UA9ABC": the last digit of the call names its area.
std::string withCallArea(std::string call, char area) {
  for (size_t i = call.size(); i-- > 0;)
    if (stats::isAsciiDigit(call[i])) {
      call[i] = area;
      break;
    }
  return call;
}

}  // namespace

CountryFile CountryFile::parse(std::string_view text) {
  CountryFile file;
  size_t pos = 0;
  while (pos < text.size()) {
    // An entity: eight ':'-terminated header fields, then its aliases up to ';'.
    const size_t end = text.find(';', pos);
    if (end == std::string_view::npos) break;
    const std::string_view record = text.substr(pos, end - pos);
    pos = end + 1;
    std::vector<std::string> header = split(record, ':');
    if (header.size() != 9) continue;
    Country entity;
    entity.name = stats::trimmed(header[0]);
    entity.continent = stats::trimmed(header[3]);
    entity.prefix = stats::trimmed(header[7]);
    const bool waeOnly = !entity.prefix.empty() && entity.prefix[0] == '*';
    if (waeOnly) entity.prefix.erase(0, 1);
    if (entity.prefix.empty()) continue;
    if (waeOnly) file.waeOnly_.push_back(file.entities_.size());
    file.entities_.push_back(entity);
    for (const std::string& alias : split(header[8], ','))
      file.addAlias(file.entities_.size() - 1, stats::trimmed(alias));
  }
  return file;
}

std::vector<std::string> CountryFile::mergeWaeIntoDxcc(std::string_view ctyCsv) {
  // A line: prefix (with its '*'), name, DXCC number, continent, zones, place, aliases;
  std::unordered_map<std::string, std::string> numberOfWae, dxccPrefixOfNumber;
  for (const std::string& line : split(ctyCsv, '\n')) {
    const std::vector<std::string> field = split(line, ',');
    if (field.size() < 3) continue;
    const std::string prefix = stats::trimmed(field[0]), number = stats::trimmed(field[2]);
    if (prefix.size() > 1 && prefix[0] == '*')
      numberOfWae.emplace(prefix.substr(1), number);
    else if (!prefix.empty())
      dxccPrefixOfNumber.emplace(number, prefix);
  }
  std::vector<std::string> unplaced;
  for (size_t index : waeOnly_) {
    Country& entity = entities_[index];
    const auto number = numberOfWae.find(entity.prefix);
    const auto dxcc = number == numberOfWae.end() ? dxccPrefixOfNumber.end() : dxccPrefixOfNumber.find(number->second);
    if (dxcc == dxccPrefixOfNumber.end())
      unplaced.push_back(entity.prefix);
    else
      entity.prefix = dxcc->second;
  }
  waeOnly_.clear();
  return unplaced;
}

void CountryFile::addAlias(size_t entity, std::string_view text) {
  const bool exact = !text.empty() && text[0] == '=';
  if (exact) text.remove_prefix(1);
  // Overrides follow the callsign: (CQ zone) [ITU zone] <lat/long> {continent} ~UTC offset~.
  const size_t overrides = text.find_first_of("([<{~");
  const std::string key = stats::toUpperAscii(text.substr(0, overrides));
  if (key.empty()) return;
  Alias alias{entity, std::string()};
  if (overrides != std::string_view::npos) {
    const size_t open = text.find('{', overrides), close = text.find('}', overrides);
    if (open != std::string_view::npos && close != std::string_view::npos && close > open)
      alias.continent = std::string(text.substr(open + 1, close - open - 1));
  }
  if (exact) {
    exactCalls_.emplace(key, alias);
  } else {
    prefixes_.emplace(key, alias);
    longestPrefix_ = std::max(longestPrefix_, key.size());
  }
}

std::optional<Country> CountryFile::country(const Alias& alias) const {
  Country c = entities_[alias.entity];
  if (!alias.continent.empty()) c.continent = alias.continent;
  return c;
}

std::optional<Country> CountryFile::byExactCall(std::string_view call) const {
  const auto it = exactCalls_.find(std::string(call));
  if (it == exactCalls_.end()) return std::nullopt;
  return country(it->second);
}

std::optional<Country> CountryFile::byPrefix(std::string_view call) const {
  std::string probe(call.substr(0, std::min(call.size(), longestPrefix_)));
  for (; !probe.empty(); probe.pop_back()) {
    const auto it = prefixes_.find(probe);
    if (it != prefixes_.end()) return country(it->second);
  }
  return std::nullopt;
}

std::optional<Country> CountryFile::resolve(std::string_view rawCall) const {
  const std::string call = stats::toUpperAscii(stats::trimmed(rawCall));
  if (call.empty()) return std::nullopt;
  if (auto found = byExactCall(call)) return found;
  if (call.find('/') == std::string::npos) return byPrefix(call);

  std::vector<std::string> parts;
  for (std::string& part : split(call, '/')) {
    if (part.empty()) continue;
    if (!parts.empty() && oneOf(part, kNoCountrySuffixes)) return std::nullopt;
    if (parts.empty() || !oneOf(part, kOperatingSuffixes)) parts.push_back(std::move(part));
  }
  if (parts.empty()) return std::nullopt;
  if (parts.size() == 1) {
    if (auto found = byExactCall(parts[0])) return found;
    return byPrefix(parts[0]);
  }
  return resolvePortable(parts);
}

std::optional<Country> CountryFile::resolvePortable(const std::vector<std::string>& parts) const {
  // A single digit after the call moves it to that call area of its own country.
  // When no prefix has that area (JD1BNN/3), the base call still names the country.
  if (parts.size() == 2 && isSingleDigit(parts[1])) {
    if (auto found = byPrefix(withCallArea(parts[0], parts[1][0]))) return found;
    return byPrefix(parts[0]);
  }
  // Otherwise the shortest part is the prefix of the country the station operates from;
  // the earlier one wins a tie, as prefixes are usually written first.
  std::vector<const std::string*> byLength;
  for (const std::string& part : parts)
    if (!isSingleDigit(part)) byLength.push_back(&part);
  std::stable_sort(byLength.begin(), byLength.end(),
                   [](const std::string* a, const std::string* b) { return a->size() < b->size(); });
  for (const std::string* part : byLength)
    if (auto found = byPrefix(*part)) return found;
  return std::nullopt;
}

}  // namespace rdac
