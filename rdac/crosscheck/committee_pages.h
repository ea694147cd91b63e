#pragma once
// The committee's results as static web pages that work from a folder or any web server, with
// nothing fetched: index.html (Russian) and index-en.html (English) rank the entrants by
// category and area, chart the error rates and name the logs whose errors cost their partners
// most; log/CALL.html and log/CALL-en.html show one entrant's check. Every text taken from a
// log is escaped and made valid UTF-8, whatever the log's encoding.
#include <string>
#include <string_view>

#include "rdac/crosscheck/cross_check_files.h"

namespace rdac {

enum class PageLanguage { russian, english };

// Writes the pages of one language into `folder`, made when missing; the two languages may be
// written at once. False with `error` set when one cannot be written.
bool writeCommitteePages(const CrossCheckReport& report, const std::string& folder, PageLanguage language,
                         std::string& error);

// The text as valid UTF-8 for a page: well-formed UTF-8 stays, any other byte is read as
// Windows-1251, and control characters become U+FFFD.
std::string pageText(std::string_view bytes);

// The name of an entrant's page without its ending: the call's letters and digits, anything
// else as "_".
std::string pageStem(std::string_view call);

}  // namespace rdac
