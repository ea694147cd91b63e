#include "ui/window_position.h"

#include "platform/settings.h"

namespace stats {

const WindowPositionKeys kSetupPositionKeys{"baud_x", "baud_y", 10, 10};
const WindowPositionKeys kRdaPositionKeys{"rda_x", "rda_y", 0, 0};
const WindowPositionKeys kDxccPositionKeys{"dxcc_x", "dxcc_y", 10, 400};

WindowPoint SavedPosition::load() {
  const int x = readSettingInt(keys_.xKey), y = readSettingInt(keys_.yKey);
  saved_.x = x ? x : keys_.defaultX;
  saved_.y = y ? y : keys_.defaultY;
  return saved_;
}

void SavedPosition::update(int left, int top) {
  if (left == saved_.x && top == saved_.y) return;
  if (left != saved_.x) {
    saved_.x = left;
    writeSettingInt(keys_.xKey, left);
  }
  if (top != saved_.y) {
    saved_.y = top;
    writeSettingInt(keys_.yKey, top);
  }
}

}  // namespace stats
