#include "ui/window_look_win.h"

#include "resources/resource_ids.h"
#include "ui/info_panel.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace stats::win {

HINSTANCE moduleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void setLargeIcon(HWND window) {
  HICON icon = LoadIconA(moduleInstance(), MAKEINTRESOURCEA(IDI_STATS));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void disableCloseItem(HWND window) {
  if (HMENU menu = GetSystemMenu(window, FALSE))
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void makeTopmost(HWND window) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void moveWindowTo(HWND window, WindowPoint point) {
  SetWindowPos(window, nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowPoint windowCorner(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top};
}

BackgroundBrush::BackgroundBrush()
    : brush_(CreateSolidBrush(RGB(kWindowColour.r, kWindowColour.g, kWindowColour.b))) {}

BackgroundBrush::~BackgroundBrush() {
  if (brush_) DeleteObject(brush_);
}

INT_PTR colourControl(WPARAM dc, const BackgroundBrush& brush) {
  HDC hdc = reinterpret_cast<HDC>(dc);
  SetTextColor(hdc, RGB(0, 0, 0));
  SetBkColor(hdc, RGB(kWindowColour.r, kWindowColour.g, kWindowColour.b));
  return reinterpret_cast<INT_PTR>(brush.get());
}

HWND createModeless(int templateId, DLGPROC proc, void* self) {
  return CreateDialogParamA(moduleInstance(), MAKEINTRESOURCEA(templateId), nullptr, proc,
                            reinterpret_cast<LPARAM>(self));
}

void showModeless(HWND window, SavedPosition& position, bool topmost) {
  moveWindowTo(window, position.load());
  SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

void hideModeless(HWND window, const std::string& templateCaption) {
  ShowWindow(window, SW_HIDE);
  SetWindowTextA(window, templateCaption.c_str());
}

std::string captionOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

namespace {

void fitToClient(HWND dialog, const InfoFrame& frame) {
  RECT client;
  GetClientRect(dialog, &client);
  MoveWindow(GetDlgItem(dialog, frame.controlId), client.left + frame.leading,
             client.top + frame.leading, client.right - frame.leading - frame.trailing,
             client.bottom - frame.leading - frame.trailing, TRUE);
}

}  // namespace

bool isControlColourMessage(UINT message) {
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSCROLLBAR:
      return true;
  }
  return false;
}

void applyWindowLook(HWND window, SavedPosition& position, bool topmost) {
  moveWindowTo(window, position.load());
  if (topmost) makeTopmost(window);
  setLargeIcon(window);
  disableCloseItem(window);
}

void savePosition(HWND window, SavedPosition& position) {
  const WindowPoint corner = windowCorner(window);
  position.update(corner.x, corner.y);
}

INT_PTR handleInfoFrame(HWND window, UINT message, WPARAM wParam, const InfoFrame& frame) {
  switch (message) {
    case WM_INITDIALOG:
      applyWindowLook(window, frame.position, frame.onTop);
      fitToClient(window, frame);  // the WM_SIZE of creation came before the object was attached
      return TRUE;
    case WM_SETCURSOR:
      savePosition(window, frame.position);
      return FALSE;
    case WM_SIZE:
      fitToClient(window, frame);
      return FALSE;
    case WM_COMMAND:  // Enter and Escape: ignored (see info_windows_win.h)
      return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
  }
  return FALSE;
}

}  // namespace stats::win
