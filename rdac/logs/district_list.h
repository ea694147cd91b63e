#pragma once
// The RDA district list as the award's publisher hands it out, and the plug-in's table made
// from it.
#include <optional>
#include <string>
#include <string_view>

namespace rdac {

struct DistrictTableText {
  std::string text;    // one current code a line ("MA-03"), CR LF
  size_t codes = 0;    // district lines read, deleted ones included
  size_t deleted = 0;  // left out of `text`
};

// The plug-in's table when `list` is in the publisher's layout, nothing otherwise. That layout
// has region heading lines (a tab, the region's name, its two-letter code in brackets and its
// callsign prefixes) and district lines "XX-NN<TAB>name"; a district that no longer exists
// stays listed as "XX-NN<TAB>deleted ...<TAB>successor code or ***".
std::optional<DistrictTableText> fromPublisherLayout(std::string_view list);

}  // namespace rdac
