#include "rdac/score/cabrillo_header.h"

#include <algorithm>

#include "platform/text.h"
#include "rdac/io/messages.h"

namespace rdac {
namespace {

struct LabelKey {
  const char* label;
  const char* key;
  std::vector<std::string> choices;  // the dialog's list for a category; empty for free text
};

// The categories are those of the header dialog's lists: the plug-in restores a saved
// category only when it is one of them.
const LabelKey kLabels[] = {
    {"NAME", "Name", {}},
    {"ADDRESS", "Address", {}},
    {"ADDRESS-CITY", "Address-City", {}},
    {"ADDRESS-POSTALCODE", "Address-PostalCode", {}},
    {"ADDRESS-COUNTRY", "Address-Country", {}},
    {"LOCATION", "Loc", {}},
    {"E-MAIL", "Email", {}},
    {"EMAIL", "Email", {}},
    {"CLUB", "Club", {}},
    {"SOAPBOX", "SoapBox", {}},
    {"OPERATORS", "Operators", {}},
    {"CATEGORY-OPERATOR", "Category", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}},
    {"CATEGORY-BAND", "Band", {"ALL", "160M", "80M", "40M", "20M", "15M", "10M"}},
    {"CATEGORY-MODE", "Mode", {"CW", "SSB", "MIXED"}},
    {"CATEGORY-POWER", "Power", {"HIGH", "LOW", "QRP"}},
    {"CATEGORY-STATION", "Station", {"FIXED", "PORTABLE"}},
    {"CATEGORY-TRANSMITTER", "Transmitter", {"ONE", "TWO", "UNLIMITED"}},
};

// How the plug-in stores the line breaks of a soapbox in its settings.
const char kStoredLineBreak[] = "<CR><LF>";

std::string listed(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i)
    text += (i == 0 ? "" : i + 1 == words.size() ? tr(" or ") : ", ") + words[i];
  return text;
}

}  // namespace

bool CabrilloHeader::add(std::string_view label, std::string_view value, std::string& error) {
  const std::string upper = stats::toUpperAscii(stats::trimmed(label));
  const LabelKey* found = nullptr;
  for (const LabelKey& entry : kLabels)
    if (upper == entry.label) found = &entry;
  if (!found) {
    error = tr("the export cannot take the Cabrillo header value {1}; it takes NAME, ADDRESS, ADDRESS-CITY, "
               "ADDRESS-POSTALCODE, ADDRESS-COUNTRY, LOCATION, E-MAIL, CLUB, SOAPBOX, OPERATORS, CATEGORY-OPERATOR, "
               "CATEGORY-BAND, CATEGORY-MODE, CATEGORY-POWER, CATEGORY-STATION and CATEGORY-TRANSMITTER",
               {upper});
    return false;
  }
  std::string text = stats::trimmed(value);
  if (!found->choices.empty()) {
    text = stats::toUpperAscii(text);
    if (std::find(found->choices.begin(), found->choices.end(), text) == found->choices.end()) {
      error = tr("{1} takes {2}, not '{3}'", {upper, listed(found->choices), stats::trimmed(value)});
      return false;
    }
  }
  for (SettingValue& setting : settings_)
    if (setting.key == found->key) {
      if (setting.key == "SoapBox")
        setting.value += kStoredLineBreak + text;
      else
        setting.value = text;
      return true;
    }
  settings_.push_back({found->key, text});
  return true;
}

bool CabrilloHeader::addAssignment(std::string_view assignment, std::string& error) {
  const size_t equals = assignment.find('=');
  if (equals == std::string_view::npos) {
    error = tr("--header wants KEY=VALUE, not '{1}'", {std::string(assignment)});
    return false;
  }
  return add(assignment.substr(0, equals), assignment.substr(equals + 1), error);
}

bool CabrilloHeader::addFile(std::string_view text, const std::string& name, std::string& error) {
  size_t lineNumber = 0, pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = stats::trimmed(text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const size_t colon = line.find(':');
    std::string why;
    if (colon == std::string::npos)
      why = tr("not a 'LABEL: value' line");
    else
      add(line.substr(0, colon), line.substr(colon + 1), why);
    if (!why.empty()) {
      error = name + ":" + std::to_string(lineNumber) + ": " + why;
      return false;
    }
  }
  return true;
}

void CabrilloHeader::defaultModeFor(const std::vector<LoggedQso>& qsos) {
  for (const SettingValue& setting : settings_)
    if (setting.key == "Mode") return;
  bool cw = false, ssb = false;
  for (const LoggedQso& qso : qsos) {
    cw |= qso.mode == "CW";
    ssb |= qso.mode == "SSB";
  }
  settings_.push_back({"Mode", cw && ssb ? "MIXED" : ssb ? "SSB" : "CW"});
}

}  // namespace rdac
