#include "contest/contest_rules.h"

#include <cmath>

#include "platform/text.h"

namespace stats {

CContestRules::CContestRules(std::initializer_list<const char*> texts) {
  for (const char* text : texts) texts_.emplace_back(text);
}

int CContestRules::contains(std::string_view text) const {
  for (const std::string& element : texts_)
    if (equalsNoCase(element, text)) return 1;
  return 0;
}

const CContestRules bandRules{"160m", "80m", "40m", "20m", "15m", "10m"};
const CContestRules modeRules{"CW", "SSB"};

int exactBandIndex(std::string_view band) {
  for (size_t i = 0; i < bandRules.size(); ++i)
    if (bandRules.at(i) == band) return static_cast<int>(i);
  return -1;
}

int bandIndexOfFrequency(uint32_t freqHz) {
  static const int kWholeMHz[] = {1, 3, 7, 14, 21, 28};
  const double mhz = std::trunc(static_cast<double>(freqHz) / 1000000.0);
  for (int i = 0; i < 6; ++i)
    if (mhz == kWholeMHz[i]) return i;
  return -1;
}

const std::vector<std::string> kCategoryOperator{"SINGLE-OP", "MULTI-OP", "CHECKLOG"};
const std::vector<std::string> kCategoryBand{"ALL", "160M", "80M", "40M", "20M", "15M", "10M"};
const std::vector<std::string> kCategoryMode{"CW", "SSB", "MIXED"};
const std::vector<std::string> kCategoryPower{"HIGH", "LOW", "QRP"};
const std::vector<std::string> kCategoryStation{"FIXED", "PORTABLE"};
const std::vector<std::string> kCategoryTransmitter{"ONE", "TWO", "UNLIMITED"};

}  // namespace stats
