#pragma once
// The RDA district table the plug-in reads (Plugins/rda_rus.dat), made from the list as the
// award's publisher hands it out or from a table of codes, as people save them.
#include <string>
#include <string_view>

namespace rdac {

struct DistrictTableText {
  std::string text;          // one current code a line ("MA-03"), CR LF; empty: no code found
  size_t written = 0;        // codes in `text`
  size_t deleted = 0;        // codes marked deleted, left out of `text`
  bool publisherList = false;  // the bytes were in the publisher's layout
};

// The plug-in's table from `saved`, in Windows-1251, UTF-8 with or without a byte-order mark or
// UTF-16 with one, with any line ends. The publisher's layout has region heading lines (the
// region's name, its two-letter code in brackets and its callsign prefixes) and district lines
// "XX-NN<TAB>name"; a district that no longer exists stays listed as
// "XX-NN<TAB>deleted ...<TAB>successor code or ***". Its columns may be parted by blanks of any
// kind, as a copy from a web page has them. Otherwise each line that starts with a code
// ("MA-03", blanks before it allowed) gives one. A code whose line says it is deleted is never
// written.
DistrictTableText districtTableOf(std::string_view saved);

// "3 current district codes written, 2 deleted ones left out", or why nothing was written,
// for the table made from the file named `name`.
std::string districtTableNote(const DistrictTableText& table, const std::string& name);

}  // namespace rdac
