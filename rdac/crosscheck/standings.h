#pragma once
// Where each entrant competes and how it placed: its category (from its Cabrillo header, or as
// the committee's category file gives it), its area (DXCC entity, for a Russian station the
// region of its own district), and its places within the category and within the area there.
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "rdac/crosscheck/cross_check_scores.h"
#include "rdac/logs/country_file.h"

namespace rdac {

// The category a log's header gives: the CATEGORY-... values in a fixed order, else Cabrillo
// 2's CATEGORY: line; empty when it gives none.
std::string categoryOfHeader(const std::map<std::string, std::string>& categoryLines);

// True for the category that only helps the check: such a log is checked and not ranked.
bool isChecklogCategory(const std::string& category);

// The committee's categories by station (portable suffixes aside): a line each, the call and
// then the category, "#" starting a remark. In any encoding an editor saves; the categories
// come back as UTF-8. False, said on `err`, when the file cannot be read; a line it cannot use
// is said on `err` and skipped.
bool readCategoryFile(const std::string& path, std::unordered_map<std::string, std::string>& byStation,
                      std::ostream& err);

// The entrant's area: the two letters of its region for a station in Russia whose log sends a
// district, else its country's name; empty when the country file places it nowhere.
std::string areaOf(const Entrant& entrant, const SubmittedLogs& logs, const CountryFile& countries);

struct Standing {
  uint32_t categoryPlace = 0, areaPlace = 0;  // 0: not ranked (a checklog, or not scored)
};

// Places by checked score within each category and within each area of it; equal scores share
// a place, the next place counting them all (1, 2, 2, 4).
std::vector<Standing> rankEntrants(const SubmittedLogs& logs, const std::vector<EntrantScore>& scores);

// The entrants in the order a ranking lists them: by category (named ones in name order, then
// the entrants without one), then by checked score, highest first, then by call.
std::vector<uint32_t> rankingOrder(const SubmittedLogs& logs, const std::vector<EntrantScore>& scores);

}  // namespace rdac
