#pragma once
// The standard country file (cty.dat): callsign to country prefix and continent, the way a
// logger resolves the callsigns it passes to the plug-in.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rdac {

struct Country {
  std::string prefix;     // the entity's primary prefix ("UA9", "IT9"), without the WAE mark
  std::string continent;  // "EU", "AS", ...
  std::string name;       // "Asiatic Russia"
};

class CountryFile {
 public:
  // Parses the text of a cty.dat file; entities it cannot read are left out. Empty when the
  // text holds no entity at all.
  static CountryFile parse(std::string_view text);

  size_t entityCount() const { return entities_.size(); }

  // Gives each entity that cty.dat marks as WAE-only ('*': Sicily, European Turkey, ...) the
  // prefix of its DXCC entity, the one cty.csv numbers alike without the mark, so it counts as
  // that country; its own continent stays. Returns the prefixes of the WAE-only entities the
  // csv text leaves without a DXCC entity, which keep their own.
  std::vector<std::string> mergeWaeIntoDxcc(std::string_view ctyCsv);

  // The country of a callsign: an exact-callsign entry first, then the longest listed prefix.
  // A callsign with "/" is resolved by its portable prefix ("DL/UA3ABC"), by its call area
  // ("UA3ABC/9" counts as UA9ABC), or by its base call when the suffix only says how it
  // operates (/P, /M, /QRP, ...). Maritime and aeronautical mobiles (/MM, /AM) have none.
  std::optional<Country> resolve(std::string_view call) const;

 private:
  struct Alias {
    size_t entity;
    std::string continent;  // the entry's own continent when it overrides the entity's
  };
  std::vector<Country> entities_;
  std::vector<size_t> waeOnly_;  // indexes into entities_
  std::unordered_map<std::string, Alias> prefixes_;
  std::unordered_map<std::string, Alias> exactCalls_;
  size_t longestPrefix_ = 0;

  void addAlias(size_t entity, std::string_view text);
  std::optional<Country> country(const Alias& alias) const;
  std::optional<Country> byPrefix(std::string_view call) const;
  std::optional<Country> byExactCall(std::string_view call) const;
  std::optional<Country> resolvePortable(const std::vector<std::string>& parts) const;
};

}  // namespace rdac
