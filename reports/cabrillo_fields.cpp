#include "reports/cabrillo_fields.h"

#include <algorithm>

#include "contest/contest_rules.h"
#include "platform/settings.h"
#include "resources/resource_ids.h"

namespace stats {
namespace {

using H = CabrilloHeader;

const char kContest[] = "RDAC";

// A saved category comes back only when it is one of its list's entries, so that a value
// edited into the settings file by hand cannot pass for a category.
std::string loaded(const CabrilloField& field, const std::string& fallback) {
  const std::string saved = readSetting(field.settingsKey, field.choices ? "" : fallback);
  if (!field.choices) return saved;
  const std::vector<std::string>& entries = *field.choices;
  return std::find(entries.begin(), entries.end(), saved) != entries.end() ? saved : fallback;
}

}  // namespace

const CabrilloField kCabrilloFields[19] = {
    {&H::categoryBand, "Band", true, IDC_CABRILLO_CATEGORY_BAND, &kCategoryBand, "ALL"},
    {&H::categoryPower, "Power", true, IDC_CABRILLO_CATEGORY_POWER, &kCategoryPower, "HIGH"},
    {&H::operators, "Operators", true, IDC_CABRILLO_OPERATORS, nullptr, ""},
    {&H::name, "Name", true, IDC_CABRILLO_NAME, nullptr, ""},
    {&H::address, "Address", true, IDC_CABRILLO_ADDRESS, nullptr, ""},
    {&H::addressCity, "Address-City", true, IDC_CABRILLO_ADDRESS_CITY, nullptr, ""},
    {&H::addressPostalCode, "Address-PostalCode", true, IDC_CABRILLO_ADDRESS_POSTALCODE, nullptr, ""},
    {&H::addressCountry, "Address-Country", true, IDC_CABRILLO_ADDRESS_COUNTRY, nullptr, ""},
    {&H::categoryOperator, "Category", true, IDC_CABRILLO_CATEGORY_OPERATOR, &kCategoryOperator,
     "SINGLE-OP"},
    {&H::contest, "Contest", true, IDC_CABRILLO_CONTEST, nullptr, ""},
    {&H::email, "Email", true, IDC_CABRILLO_EMAIL, nullptr, ""},
    {&H::club, "Club", true, IDC_CABRILLO_CLUB, nullptr, ""},
    {&H::soapbox, "SoapBox", true, IDC_CABRILLO_SOAPBOX, nullptr, ""},
    {&H::location, "Loc", true, IDC_CABRILLO_LOCATION, nullptr, ""},
    {&H::categoryMode, "Mode", true, IDC_CABRILLO_CATEGORY_MODE, &kCategoryMode, "CW"},
    {&H::categoryStation, "Station", true, IDC_CABRILLO_CATEGORY_STATION, &kCategoryStation, "FIXED"},
    {&H::categoryTransmitter, "Transmitter", true, IDC_CABRILLO_CATEGORY_TRANSMITTER,
     &kCategoryTransmitter, "ONE"},
    {&H::claimed, "Claimed", false, IDC_CABRILLO_CLAIMED, nullptr, ""},
    {&H::callsign, nullptr, false, IDC_CABRILLO_CALLSIGN, nullptr, ""},
};

CabrilloHeader loadCabrilloHeader(const std::string& ownCall) {
  CabrilloHeader header;
  header.contest = kContest;  // always this contest, whatever the file says
  header.callsign = ownCall;
  for (const CabrilloField& field : kCabrilloFields) {
    if (!field.settingsKey || field.member == &H::contest) continue;
    // Operators not saved yet are the own call.
    header.*field.member = loaded(field, field.member == &H::operators ? ownCall : field.fallback);
  }
  header.soapbox = soapboxFromStored(header.soapbox);
  return header;
}

void saveCabrilloHeader(const CabrilloHeader& header, const std::string& storedSoapbox) {
  for (const CabrilloField& field : kCabrilloFields) {
    if (!field.saved) continue;
    writeSetting(field.settingsKey, field.member == &H::soapbox ? storedSoapbox : header.*field.member);
  }
}

}  // namespace stats
