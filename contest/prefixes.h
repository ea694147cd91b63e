#pragma once
// What the plug-in itself does with country prefixes and callsigns.
#include <string>
#include <string_view>

#include "contest/district_table.h"

namespace stats {

int IsRdaPrefix(std::string_view prefix);             // "UA" "UA2" "UA9" "CE9/KC4"
int IsRussianLanguagePrefix(std::string_view prefix);  // "UA" "UA2" "UA2/f" "UA9" "UN" "UR" "EU"
std::string FoldCountryPrefix(std::string_view prefix);  // "IT9", "IG9" -> "I"

// District (from the hint file), region code, "SPEC" or "STO" for a callsign.
std::string GuessRdaRegion(const std::string& call, const StationHints& hints);

}  // namespace stats
