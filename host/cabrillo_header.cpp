#include "host/cabrillo_header.h"

#include "platform/text.h"

namespace rdac {
namespace {

struct LabelKey {
  const char* label;
  const char* key;
};

const LabelKey kLabels[] = {
    {"NAME", "Name"},
    {"ADDRESS", "Address"},
    {"ADDRESS-CITY", "Address-City"},
    {"ADDRESS-POSTALCODE", "Address-PostalCode"},
    {"ADDRESS-COUNTRY", "Address-Country"},
    {"LOCATION", "Loc"},
    {"E-MAIL", "Email"},
    {"EMAIL", "Email"},
    {"CLUB", "Club"},
    {"SOAPBOX", "SoapBox"},
    {"OPERATORS", "Operators"},
};

// How the plug-in stores the line breaks of a soapbox in its settings.
const char kStoredLineBreak[] = "<CR><LF>";

}  // namespace

bool CabrilloHeader::add(std::string_view label, std::string_view value, std::string& error) {
  const std::string upper = stats::toUpperAscii(stats::trimmed(label));
  const LabelKey* found = nullptr;
  for (const LabelKey& entry : kLabels)
    if (upper == entry.label) found = &entry;
  if (!found) {
    error = "the export cannot take the Cabrillo header value " + upper +
            "; it takes NAME, ADDRESS, ADDRESS-CITY, ADDRESS-POSTALCODE, ADDRESS-COUNTRY, "
            "LOCATION, E-MAIL, CLUB, SOAPBOX and OPERATORS";
    return false;
  }
  const std::string text = stats::trimmed(value);
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
    error = "--header wants KEY=VALUE, not '" + std::string(assignment) + "'";
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
      why = "not a 'LABEL: value' line";
    else
      add(line.substr(0, colon), line.substr(colon + 1), why);
    if (!why.empty()) {
      error = name + ":" + std::to_string(lineNumber) + ": " + why;
      return false;
    }
  }
  return true;
}

}  // namespace rdac
