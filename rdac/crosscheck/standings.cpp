#include "rdac/crosscheck/standings.h"

#include <algorithm>

#include "platform/edited_text.h"
#include "platform/text.h"
#include "rdac/crosscheck/call_edits.h"
#include "rdac/io/file_bytes.h"

namespace rdac {
namespace {

// The words of a category, upper-cased and one blank apart, at most this long.
constexpr size_t kLongestCategory = 100;

std::string categoryWords(std::string_view text) {
  std::string words;
  for (size_t at = 0; at < text.size();) {
    while (at < text.size() && stats::isAsciiSpace(text[at])) ++at;
    const size_t start = at;
    while (at < text.size() && !stats::isAsciiSpace(text[at])) ++at;
    if (at > start) words += (words.empty() ? "" : " ") + stats::toUpperAscii(text.substr(start, at - start));
  }
  if (words.size() > kLongestCategory) words.resize(kLongestCategory);
  return words;
}

// The file's text as UTF-8: a committee's editor may save the ANSI code page, Windows-1251 here.
std::string utf8OfCommitteeFile(const std::string& bytes) {
  const stats::TextEncoding encoding = stats::byteOrderMarkOf(bytes);
  if (encoding != stats::TextEncoding::ansi) return stats::utf8OfFile(bytes, encoding);
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii || stats::looksLikeUtf8(bytes) ? bytes : stats::utf8OfWindows1251(bytes);
}

// The countries whose stations send their RDA district (the plug-in's own rule, by country prefix).
bool sendsDistrict(const std::string& countryPrefix) {
  return countryPrefix == "UA" || countryPrefix == "UA2" || countryPrefix == "UA9";
}

// The region letters of a sent district code ("MA-03", "ma03"), or empty.
std::string regionOfDistrict(std::string_view exchange) {
  const std::string key = exchangeKey(exchange);
  const auto letter = [](char c) { return c >= 'A' && c <= 'Z'; };
  if (key.size() != 4 || !letter(key[0]) || !letter(key[1]) || !stats::isAsciiDigit(key[2]) ||
      !stats::isAsciiDigit(key[3]))
    return {};
  return key.substr(0, 2);
}

bool ranked(const SubmittedLogs& logs, const std::vector<EntrantScore>& scores, uint32_t e) {
  return !logs.entrants[e].checklog && scores[e].scored;
}

}  // namespace

std::string categoryOfHeader(const std::map<std::string, std::string>& lines) {
  std::string category;
  for (const char* kind : {"-OPERATOR", "-TRANSMITTER", "-BAND", "-MODE", "-POWER", "-OVERLAY"}) {
    const auto found = lines.find(kind);
    if (found != lines.end()) category += (category.empty() ? "" : " ") + found->second;
  }
  if (category.empty()) {
    const auto cabrillo2 = lines.find("");
    if (cabrillo2 != lines.end()) category = cabrillo2->second;
  }
  return categoryWords(category);
}

bool isChecklogCategory(const std::string& category) { return category.rfind("CHECKLOG", 0) == 0; }

bool readCategoryFile(const std::string& path, std::unordered_map<std::string, std::string>& byStation,
                      std::ostream& err) {
  std::string error;
  const auto bytes = readFileBytes(path, error);
  if (!bytes) {
    err << "rdac: cannot read the category file " << path << ": " << error << '\n';
    return false;
  }
  size_t number = 0;
  for (const std::string& line : stats::editedTextLines(utf8OfCommitteeFile(*bytes))) {
    ++number;
    const std::string_view text = std::string_view(line).substr(0, line.find('#'));
    const std::string words = categoryWords(text);
    if (words.empty()) continue;
    const size_t blank = words.find(' ');
    if (blank == std::string::npos) {
      err << "rdac: " << path << ':' << number << ": a call without a category: skipped\n";
      continue;
    }
    byStation[std::string(stationOf(words.substr(0, blank)))] = words.substr(blank + 1);
  }
  return true;
}

std::string areaOf(const Entrant& entrant, const SubmittedLogs& logs, const CountryFile& countries) {
  const std::optional<Country> country = countries.resolve(logs.calls.text(entrant.call));
  if (!country) return {};
  if (sendsDistrict(country->prefix)) {
    // Its own district is what it sent most: a mobile station may have moved during the contest.
    std::unordered_map<uint32_t, size_t> sent;
    for (size_t i = entrant.first; i < entrant.first + entrant.count; ++i) ++sent[logs.qsos[i].exchSent];
    std::string region;
    size_t most = 0;
    for (const auto& [exchange, times] : sent) {
      const std::string candidate = regionOfDistrict(logs.texts.text(exchange));
      if (!candidate.empty() && (times > most || (times == most && candidate < region)))
        region = candidate, most = times;
    }
    if (!region.empty()) return region;
  }
  return country->name.empty() ? country->prefix : country->name;
}

std::vector<uint32_t> rankingOrder(const SubmittedLogs& logs, const std::vector<EntrantScore>& scores) {
  std::vector<uint32_t> order(logs.entrants.size());
  for (uint32_t e = 0; e < order.size(); ++e) order[e] = e;
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    const Entrant &x = logs.entrants[a], &y = logs.entrants[b];
    if (x.category.empty() != y.category.empty()) return y.category.empty();
    if (x.category != y.category) return x.category < y.category;
    if (scores[a].checkedScore != scores[b].checkedScore) return scores[a].checkedScore > scores[b].checkedScore;
    return logs.calls.text(x.call) < logs.calls.text(y.call);
  });
  return order;
}

std::vector<Standing> rankEntrants(const SubmittedLogs& logs, const std::vector<EntrantScore>& scores) {
  std::vector<Standing> standings(logs.entrants.size());
  struct Group {
    uint32_t counted = 0;
    int64_t lastScore = 0;
    uint32_t lastPlace = 0;
    uint32_t next(int64_t score) {
      ++counted;
      if (counted == 1 || score != lastScore) lastPlace = counted;
      lastScore = score;
      return lastPlace;
    }
  };
  std::map<std::string, Group> categories;
  std::map<std::pair<std::string, std::string>, Group> areas;
  for (uint32_t e : rankingOrder(logs, scores)) {
    if (!ranked(logs, scores, e)) continue;
    const Entrant& entrant = logs.entrants[e];
    const int64_t score = scores[e].checkedScore;
    standings[e].categoryPlace = categories[entrant.category].next(score);
    standings[e].areaPlace = areas[{entrant.category, entrant.area}].next(score);
  }
  return standings;
}

}  // namespace rdac
