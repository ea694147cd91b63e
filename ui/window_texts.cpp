#include "ui/window_texts.h"

namespace stats {
namespace {

// The pattern with each "%s" replaced by the next argument, in order.
std::string fill(const char* pattern, std::initializer_list<const std::string*> args) {
  std::string out;
  auto next = args.begin();
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 's' && next != args.end()) {
      out += **next++;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

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
  return fill(ownRussian ? kWorkedWithRu : "RDAC %s worked with %s", {&year, &call});
}

std::string panelTitle(int russianTexts, int ownRussian, const std::string& band,
                       const std::string& count) {
  if (russianTexts) return fill(kPanelTitleRu, {&band, &count});
  return ownRussian ? kPreviousQsoRu : kPreviousQso;
}

std::string rdaWindowTitle(int ownRussian) { return ownRussian ? kRdaWorkedRu : "RDA worked"; }

std::string setupTitle(int russianTexts, const std::string& year) {
  return fill(russianTexts ? kSetupTitleRu : "Setup RDAC-%s", {&year});
}

std::string previousQsoCheckLabel(int ownRussian) {
  return ownRussian ? kPreviousQsoRu : "View previous QSO";
}

}  // namespace stats
