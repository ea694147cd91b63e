#pragma once
// What the three windows share: the module's own instance (for templates and icon 110), the
// background colour with black text, the disabled Close item, topmost placement.
#include <windows.h>

#include <string>

#include "ui/window_position.h"

namespace stats::win {

HINSTANCE moduleInstance();
void setLargeIcon(HWND window);
void disableCloseItem(HWND window);
void makeTopmost(HWND window);
void moveWindowTo(HWND window, WindowPoint point);
// The window's top-left corner on the screen.
WindowPoint windowCorner(HWND window);

// A solid brush of the windows' background colour, deleted with its owner.
class BackgroundBrush {
 public:
  BackgroundBrush();
  ~BackgroundBrush();
  BackgroundBrush(const BackgroundBrush&) = delete;
  BackgroundBrush& operator=(const BackgroundBrush&) = delete;
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

// WM_CTLCOLOR*: black text on the background colour; the dialog procedure's answer.
INT_PTR colourControl(WPARAM dc, const BackgroundBrush& brush);
bool isControlColourMessage(UINT message);

// A modeless dialog from a template of this module, not shown; null when it cannot be made.
HWND createModeless(int templateId, DLGPROC proc, void* self);
// Shows a window made by createModeless at its saved position, topmost or not, without taking
// the focus; and hides it again with its caption as the template has it.
void showModeless(HWND window, SavedPosition& position, bool topmost);
void hideModeless(HWND window, const std::string& templateCaption);
// The window's caption.
std::string captionOf(HWND window);

// At creation: the saved position, topmost when asked, icon 110, the Close item disabled.
void applyWindowLook(HWND window, SavedPosition& position, bool topmost);
// On WM_SETCURSOR: the mouse is over the window; its corner is saved when it changed.
void savePosition(HWND window, SavedPosition& position);

// The RDA and DXCC windows alike: their look and saved position, and their one control kept
// `leading` pixels from the client area's left and top edges and `trailing` from its right and
// bottom ones.
struct InfoFrame {
  SavedPosition& position;
  bool onTop;
  int controlId;
  int leading;
  int trailing;
};
// The dialog procedure's answer to what these windows handle alike: WM_INITDIALOG (after the
// window's own part), WM_SETCURSOR, WM_SIZE, and WM_COMMAND, where Enter and Escape are ignored.
// FALSE for any other message.
INT_PTR handleInfoFrame(HWND window, UINT message, WPARAM wParam, const InfoFrame& frame);

// The dialog procedure of a window object of class Window, which comes with WM_INITDIALOG
// and is kept in DWLP_USER; its handle(message, wParam, lParam) answers. Nothing thrown
// inside gets past it into the system's frames. Window makes it a friend.
template <class Window>
INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_INITDIALOG) self->hwnd_ = hwnd;
    return self->handle(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}

}  // namespace stats::win
