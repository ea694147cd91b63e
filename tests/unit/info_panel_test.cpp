// The DXCC window's panel as drawing steps: the worked-with table and the prefix grid.
#include "ui/info_panel.h"

#include <gtest/gtest.h>

namespace stats {
namespace {

struct Text {
  int x, y;
  std::string text;
  bool operator==(const Text& o) const { return x == o.x && y == o.y && text == o.text; }
};

std::vector<Text> texts(const std::vector<PanelStep>& steps) {
  std::vector<Text> out;
  for (const PanelStep& s : steps)
    if (s.kind == PanelStep::drawText) out.push_back({s.x, s.y, s.text});
  return out;
}

std::vector<PanelStep> fills(const std::vector<PanelStep>& steps) {
  std::vector<PanelStep> out;
  for (const PanelStep& s : steps)
    if (s.kind == PanelStep::fill) out.push_back(s);
  return out;
}

PanelInput grid(int band, std::vector<std::string> prefixes, int russianTexts = 1) {
  PanelInput in;
  in.currentBand = band;
  in.bandPrefixes = std::move(prefixes);
  in.russianTexts = russianTexts;
  return in;
}

PanelInput table(const std::string& call, int band) {
  PanelInput in;
  in.enteredCall = call;
  in.currentBand = band;
  const char* names[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
  for (int i = 0; i < kBandCount; ++i) in.rows[i] = {names[i], "   -", "   -", "   -", "-"};
  return in;
}

TEST(InfoPanel, EmptyEntryAndNoBandIsAPlainBackground) {
  const auto steps = drawInfoPanel(grid(-1, {"UA"}), {0, 0, 369, 226});
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].kind, PanelStep::fill);
  EXPECT_TRUE((steps[0].colour == PanelColour{255, 250, 198}));
  EXPECT_EQ(steps[0].rect.right, 369);
  EXPECT_EQ(steps[0].rect.bottom, 226);
}

TEST(InfoPanel, GridShowsThePrefixesInByteOrder) {
  const auto steps = drawInfoPanel(grid(3, {"UA", "DL", "OK"}), {0, 0, 369, 226});
  EXPECT_EQ(texts(steps), (std::vector<Text>{{5, 15, "DL"}, {45, 15, "OK"}, {85, 15, "UA"}}));
  EXPECT_EQ(fills(steps).size(), 1u);
}

TEST(InfoPanel, GridWrapsWhenTheNextColumnWouldPassTheRightEdge) {
  const auto steps = drawInfoPanel(grid(0, {"A", "B", "C", "D", "E"}), {0, 0, 200, 100});
  EXPECT_EQ(texts(steps), (std::vector<Text>{{5, 15, "A"}, {45, 15, "B"}, {85, 15, "C"},
                                             {125, 15, "D"}, {5, 30, "E"}}));
}

TEST(InfoPanel, StationWithoutRussianTextsSeesAnEmptyPanel) {
  const auto steps = drawInfoPanel(grid(3, {"UA", "DL"}, 0), {0, 0, 369, 226});
  EXPECT_TRUE(texts(steps).empty());
  ASSERT_EQ(fills(steps).size(), 1u);
  EXPECT_TRUE((fills(steps)[0].colour == PanelColour{255, 250, 198}));
}

TEST(InfoPanel, TableHighlightsTheCurrentBandsRow) {
  PanelInput in = table("UA9AA", 3);
  in.rows[3] = {"20m", "10:05", "10:20", "054", "-"};
  const auto steps = drawInfoPanel(in, {0, 0, 300, 210});  // h = 30
  const auto filled = fills(steps);
  ASSERT_EQ(filled.size(), 2u);
  EXPECT_TRUE((filled[0].colour == PanelColour{255, 255, 198}));
  EXPECT_TRUE((filled[1].colour == PanelColour{198, 255, 255}));
  EXPECT_EQ(filled[1].rect.left, 0);
  EXPECT_EQ(filled[1].rect.right, 300);
  EXPECT_EQ(filled[1].rect.top, 130);
  EXPECT_EQ(filled[1].rect.bottom, 150);
  const auto shown = texts(steps);
  ASSERT_EQ(shown.size(), 4u + 24u);
  EXPECT_EQ(shown[0], (Text{180, 0, "UA9AA"}));
  EXPECT_EQ(shown[1], (Text{100, 18, "CW"}));
  EXPECT_EQ(shown[2], (Text{180, 18, "SSB"}));
  EXPECT_EQ(shown[3], (Text{252, 18, "RDA/NR"}));
  // Row i (1-based) at y = i * h + 10; the 20m row is the fourth.
  EXPECT_EQ(shown[4 + 3 * 4 + 0], (Text{20, 130, "20m"}));
  EXPECT_EQ(shown[4 + 3 * 4 + 1], (Text{100, 130, "10:05"}));
  EXPECT_EQ(shown[4 + 3 * 4 + 2], (Text{180, 130, "10:20"}));
  EXPECT_EQ(shown[4 + 3 * 4 + 3], (Text{260, 130, "054"}));
  EXPECT_EQ(shown[4], (Text{20, 40, "160m"}));
}

TEST(InfoPanel, TableWithoutABandHasNoHighlight) {
  const auto steps = drawInfoPanel(table("UA9AA", -1), {0, 0, 300, 210});
  EXPECT_EQ(fills(steps).size(), 1u);
}

}  // namespace
}  // namespace stats
