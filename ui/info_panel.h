#pragma once
// What the DXCC window's panel (CCqWwInfoButton) draws, as a list of drawing steps in
// the item rectangle's coordinates: computed here on both builds, replayed with GDI on Windows.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/window_state.h"

namespace stats {

struct PanelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct PanelColour {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const PanelColour& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr PanelColour kPanelTableColour{255, 255, 198};    // worked-with table
constexpr PanelColour kPanelHighlightColour{198, 255, 255};  // the current band's row
constexpr PanelColour kWindowColour{255, 250, 198};        // grid, and the windows' background

struct PanelStep {
  enum Kind { fill, transparentText, drawText } kind = fill;
  PanelRect rect;      // fill
  PanelColour colour;  // fill
  int x = 0, y = 0;    // text
  std::string text;    // text, black in the memory context's default font
};

// The shared state the panel reads, copied under the state lock.
struct PanelInput {
  std::string enteredCall;
  int currentBand = -1;
  std::array<BandInfoRow, kBandCount> rows;
  std::vector<std::string> bandPrefixes;  // of the current band, as GetResult0 left them
  int russianTexts = 0;
};

PanelInput panelInputOf(const WindowState& windows, const LogSession& log,
                        const ResultState& result);  // call with the state lock held

// The drawing steps for item rectangle r.
std::vector<PanelStep> drawInfoPanel(const PanelInput& input, const PanelRect& r);

}  // namespace stats
