#pragma once
// The one spelling of an exchange that the readers hand over and the cross-check compares.
#include <string>
#include <string_view>

namespace rdac {

// The exchange as the plug-in should see it, from the text a logger wrote (UTF-8):
// - a signal report before it ("599 MA03", "5NN 012", or `report`, the record's own) is dropped
//   when another word follows;
// - a district is "MA-03" however it was typed: "ma3", "MA 03", "МА-03" with Cyrillic letters
//   that have a Latin twin;
// - anything else stays as it is, trimmed.
std::string normalisedExchange(std::string_view exchange, std::string_view report = {});

// True when `exchange` is a district once normalised (two letters, one or two digits).
bool isDistrictShaped(std::string_view exchange);

}  // namespace rdac
