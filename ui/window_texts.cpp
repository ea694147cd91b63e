#include "ui/window_texts.h"

#include "platform/text.h"

namespace stats {
namespace {

// Windows-1251 bytes.
const char kWorkedWithRu[] = "RDAC %s \xf0\xe0\xe1\xee\xf2\xe0\xeb \xf1 %s";
const char kPanelTitleRu[] = "DXCC \xf1\xf0\xe0\xe1\xee\xf2\xe0\xed\xee \xed\xe0 %s %s of 338";
const char kPreviousQsoRu[] = "\xcf\xf0\xe5\xe4\xfb\xe4\xf3\xf9\xe8\xe5 QSO";
const char kRdaWorkedRu[] = "RDA \xf1\xf0\xe0\xe1\xee\xf2\xe0\xed\xee";
const char kSetupTitleRu[] = "\xd3\xf1\xf2\xe0\xed\xee\xe2\xea\xe8 RDAC-%s";

}  // namespace

const char* const kModeCwCommand = "<MODE:CW>";
const char* const kModeSsbCommand = "<MODE:SSB>";
const char* const kToDisplayRussian = "\xcf\xee\xea\xe0\xe7\xfb\xe2\xe0\xf2\xfc";
const char* const kUseHintRussian =
    "\xc8\xf1\xef\xee\xeb\xfc\xe7\xee\xe2\xe0\xf2\xfc \xef\xee\xe4\xf1\xea\xe0\xe7\xea\xf3";
const char* const kQsoLabel = "QSO";
const char* const kPreviousQso = "Previous QSO";

std::string workedWithTitle(int ownRussian, const std::string& year, const std::string& call) {
  return formatted(ownRussian ? kWorkedWithRu : "RDAC %s worked with %s", year.c_str(), call.c_str());
}

std::string panelTitle(int russianTexts, int ownRussian, const std::string& band,
                       const std::string& count) {
  if (russianTexts) return formatted(kPanelTitleRu, band.c_str(), count.c_str());
  return ownRussian ? kPreviousQsoRu : kPreviousQso;
}

std::string rdaWindowTitle(int ownRussian) { return ownRussian ? kRdaWorkedRu : "RDA worked"; }

std::string setupTitle(int russianTexts, const std::string& year) {
  return formatted(russianTexts ? kSetupTitleRu : "Setup RDAC-%s", year.c_str());
}

std::string previousQsoCheckLabel(int ownRussian) {
  return ownRussian ? kPreviousQsoRu : "View previous QSO";
}

}  // namespace stats
