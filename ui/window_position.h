#pragma once
// Where each window opens and how it remembers where it was moved: two settings keys per window,
// read at creation (0 or missing gives the window's default) and written, one key per changed
// coordinate, when the mouse passes over a window whose corner moved. Any int is stored in full.
namespace stats {

struct WindowPositionKeys {
  const char* xKey;
  const char* yKey;
  int defaultX;  // used when the key reads 0
  int defaultY;
};

extern const WindowPositionKeys kSetupPositionKeys;  // "baud_x" "baud_y", 10 10
extern const WindowPositionKeys kRdaPositionKeys;    // "rda_x" "rda_y", 0 0
extern const WindowPositionKeys kDxccPositionKeys;   // "dxcc_x" "dxcc_y", 10 400

struct WindowPoint {
  int x = 0, y = 0;
};

class SavedPosition {
 public:
  explicit SavedPosition(const WindowPositionKeys& keys) : keys_(keys) {}
  WindowPoint load();                 // reads the keys; the window is moved there
  void update(int left, int top);     // the window's corner now; writes what changed

 private:
  const WindowPositionKeys& keys_;
  WindowPoint saved_;
};

}  // namespace stats
