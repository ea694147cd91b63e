#include "ui/info_panel.h"

#include <algorithm>

namespace stats {
namespace {

PanelStep fillStep(const PanelRect& rect, PanelColour colour) {
  PanelStep step;
  step.kind = PanelStep::fill;
  step.rect = rect;
  step.colour = colour;
  return step;
}

PanelStep textStep(int x, int y, const std::string& text) {
  PanelStep step;
  step.kind = PanelStep::drawText;
  step.x = x;
  step.y = y;
  step.text = text;
  return step;
}

PanelStep transparentStep() {
  PanelStep step;
  step.kind = PanelStep::transparentText;
  return step;
}

void drawTable(const PanelInput& in, const PanelRect& r, std::vector<PanelStep>& steps) {
  steps.push_back(fillStep(r, kPanelTableColour));
  const int h = r.bottom / 7;
  if (in.currentBand >= 0)
    steps.push_back(fillStep({0, (in.currentBand + 1) * h + 10, r.right, (in.currentBand + 2) * h},
                             kPanelHighlightColour));
  steps.push_back(transparentStep());
  steps.push_back(textStep(180, 0, in.enteredCall));
  steps.push_back(textStep(100, 18, "CW"));
  steps.push_back(textStep(180, 18, "SSB"));
  steps.push_back(textStep(252, 18, "RDA/NR"));
  static const int kCellX[] = {20, 100, 180, 260};
  for (int i = 1; i <= kBandCount; ++i) {
    const BandInfoRow& row = in.rows[i - 1];
    for (int cell = 0; cell < 4; ++cell) steps.push_back(textStep(kCellX[cell], i * h + 10, row[cell]));
  }
}

void drawGrid(const PanelInput& in, const PanelRect& r, std::vector<PanelStep>& steps) {
  steps.push_back(fillStep(r, kWindowColour));
  if (in.currentBand == -1) return;
  steps.push_back(transparentStep());
  if (!in.russianTexts) return;
  std::vector<std::string> sorted = in.bandPrefixes;
  std::sort(sorted.begin(), sorted.end());  // byte order
  int x = 5, y = 15;
  for (const std::string& prefix : sorted) {
    steps.push_back(textStep(x, y, prefix));
    x += 40;
    if (x > r.right - 40) {
      x = 5;
      y += 15;
    }
  }
}

}  // namespace

PanelInput panelInputOf(const WindowState& windows, const LogSession& log,
                        const ResultState& result) {
  PanelInput in;
  in.enteredCall = windows.enteredCall;
  in.currentBand = windows.currentBand;
  in.rows = windows.BandInfoRows;
  if (windows.currentBand >= 0 && windows.currentBand < kBandCount)
    in.bandPrefixes = result.bandPrefixes[windows.currentBand];
  in.russianTexts = log.russianTexts;
  return in;
}

std::vector<PanelStep> drawInfoPanel(const PanelInput& input, const PanelRect& r) {
  std::vector<PanelStep> steps;
  if (!input.enteredCall.empty())
    drawTable(input, r, steps);
  else
    drawGrid(input, r, steps);
  return steps;
}

}  // namespace stats
