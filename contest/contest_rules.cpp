#include "contest/contest_rules.h"

namespace stats {

const std::vector<std::string> kCategoryOperator{"SINGLE-OP", "MULTI-OP", "CHECKLOG"};
const std::vector<std::string> kCategoryBand{"ALL", "160M", "80M", "40M", "20M", "15M", "10M"};
const std::vector<std::string> kCategoryMode{"CW", "SSB", "MIXED"};
const std::vector<std::string> kCategoryPower{"HIGH", "LOW", "QRP"};
const std::vector<std::string> kCategoryStation{"FIXED", "PORTABLE"};
const std::vector<std::string> kCategoryTransmitter{"ONE", "TWO", "UNLIMITED"};

}  // namespace stats
