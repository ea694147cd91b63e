#pragma once
// The contest's fixed vocabulary: six bands (their order is the band index everywhere),
// two modes, and the Cabrillo category choices.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace stats {

// A fixed list of allowed texts with a case-insensitive, untrimmed membership test.
class CContestRules {
 public:
  CContestRules(std::initializer_list<const char*> texts);
  virtual ~CContestRules() = default;

  int contains(std::string_view text) const;  // 1 when an element equals text, ASCII case-insensitively
  const std::string& at(size_t index) const { return texts_.at(index); }
  size_t size() const { return texts_.size(); }

 private:
  std::vector<std::string> texts_;
};

extern const CContestRules bandRules;  // "160m" "80m" "40m" "20m" "15m" "10m"
extern const CContestRules modeRules;  // "CW" "SSB"
constexpr int kBandCount = 6;
constexpr int kModeCount = 2;

// Band index 0 to 5 of an exact band name ("160m" to "10m", letter case counts); -1 for any other
// spelling.
int exactBandIndex(std::string_view band);

// Band index 0 to 5 of a frequency in Hz by its whole MHz (1, 3, 7, 14, 21, 28); -1 otherwise.
int bandIndexOfFrequency(uint32_t freqHz);

// Choices of the Cabrillo header dialog's drop-down lists, in list order.
extern const std::vector<std::string> kCategoryOperator;
extern const std::vector<std::string> kCategoryBand;
extern const std::vector<std::string> kCategoryMode;
extern const std::vector<std::string> kCategoryPower;
extern const std::vector<std::string> kCategoryStation;
extern const std::vector<std::string> kCategoryTransmitter;

}  // namespace stats
