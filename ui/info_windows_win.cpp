#include "ui/info_windows_win.h"

#include "resources/resource_ids.h"
#include "ui/info_panel.h"
#include "ui/window_texts.h"

namespace stats {
namespace {

void destroyWindow(HWND& hwnd) {
  if (hwnd) DestroyWindow(hwnd);
  hwnd = nullptr;
}

COLORREF colourRef(PanelColour c) { return RGB(c.r, c.g, c.b); }

void replay(HDC dc, const std::vector<PanelStep>& steps) {
  for (const PanelStep& step : steps) {
    switch (step.kind) {
      case PanelStep::fill: {
        const RECT r{step.rect.left, step.rect.top, step.rect.right, step.rect.bottom};
        HBRUSH brush = CreateSolidBrush(colourRef(step.colour));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        break;
      }
      case PanelStep::transparentText:
        SetBkMode(dc, TRANSPARENT);
        break;
      case PanelStep::drawText:
        TextOutA(dc, step.x, step.y, step.text.data(), static_cast<int>(step.text.size()));
        break;
    }
  }
}

}  // namespace

// ---- CMemDC

CMemDC::CMemDC(HDC target) : target_(target), offScreen_(GetDeviceCaps(target, TECHNOLOGY) != DT_RASPRINTER) {
  if (!offScreen_) return;
  GetClipBox(target_, &rect_);
  memory_ = CreateCompatibleDC(target_);
  bitmap_ = CreateCompatibleBitmap(target_, rect_.right - rect_.left, rect_.bottom - rect_.top);
  if (!memory_ || !bitmap_) {  // no memory for the bitmap: draw on the screen, flicker and all
    if (memory_) DeleteDC(memory_);
    if (bitmap_) DeleteObject(bitmap_);
    memory_ = nullptr;
    bitmap_ = nullptr;
    offScreen_ = false;
    return;
  }
  previous_ = SelectObject(memory_, bitmap_);
  SetWindowOrgEx(memory_, rect_.left, rect_.top, nullptr);
}

CMemDC::~CMemDC() {
  if (offScreen_) {
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
           memory_, rect_.left, rect_.top, SRCCOPY);
    SelectObject(memory_, previous_);
    DeleteDC(memory_);
  }
  if (bitmap_) DeleteObject(bitmap_);
}

// ---- CCqWwInfoButton

void CCqWwInfoButton::DrawItem(const DRAWITEMSTRUCT& item) {
  PanelInput input;
  {
    WindowLock lock;
    const WindowView v = lock.view();
    input = panelInputOf(v.windows, v.log, v.result);
  }
  const PanelRect r{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
  CMemDC memory(item.hDC);
  replay(memory.dc(), drawInfoPanel(input, r));
}

// ---- rda

bool rda::create() {
  hwnd_ = win::createModeless(IDD_RDA, win::dialogProc<rda>, this);
  if (hwnd_) caption_ = win::captionOf(hwnd_);
  return hwnd_ != nullptr;
}

void rda::show(bool onTop) {
  onTop_ = onTop;
  win::showModeless(hwnd_, position_, onTop);
  shown_ = true;
}

void rda::hide() {
  win::hideModeless(hwnd_, caption_);
  SendDlgItemMessageA(hwnd_, kIdRdaList, LB_RESETCONTENT, 0, 0);
  shown_ = false;
}

rda::~rda() {
  destroyWindow(hwnd_);
  if (font_) DeleteObject(font_);
}

void rda::setTitle(const std::string& title) { SetWindowTextA(hwnd_, title.c_str()); }

void rda::fill(const std::vector<std::string>& entries) {
  HWND list = GetDlgItem(hwnd_, kIdRdaList);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void rda::invalidateList() { InvalidateRect(GetDlgItem(hwnd_, kIdRdaList), nullptr, FALSE); }

INT_PTR rda::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (win::isControlColourMessage(message)) return win::colourControl(wParam, brush_);
  if (message == WM_INITDIALOG) {
    LOGFONTA description = {};
    description.lfHeight = 16;
    lstrcpyA(description.lfFaceName, "System");
    font_ = CreateFontIndirectA(&description);
    SendDlgItemMessageA(hwnd_, kIdRdaList, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  // The list keeps 1 pixel from the left and top and 3 from the right and bottom of the client.
  return win::handleInfoFrame(hwnd_, message, wParam, {position_, onTop_, kIdRdaList, 1, 3});
}

// ---- DXCC

bool DXCC::create() {
  hwnd_ = win::createModeless(IDD_DXCC, win::dialogProc<DXCC>, this);
  if (hwnd_) caption_ = win::captionOf(hwnd_);
  return hwnd_ != nullptr;
}

void DXCC::show(bool onTop) {
  onTop_ = onTop;
  win::showModeless(hwnd_, position_, onTop);
  shown_ = true;
}

void DXCC::hide() {
  win::hideModeless(hwnd_, caption_);
  shown_ = false;
}

DXCC::~DXCC() { destroyWindow(hwnd_); }

void DXCC::setTitle(const std::string& title) { SetWindowTextA(hwnd_, title.c_str()); }

void DXCC::invalidatePanel() { InvalidateRect(GetDlgItem(hwnd_, kIdInfoPanel), nullptr, FALSE); }

INT_PTR DXCC::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlID != static_cast<UINT>(kIdInfoPanel)) return FALSE;
    CCqWwInfoButton::DrawItem(*item);
    return TRUE;
  }
  // The panel keeps 5 pixels from every edge of the client area.
  return win::handleInfoFrame(hwnd_, message, wParam, {position_, onTop_, kIdInfoPanel, 5, 5});
}

}  // namespace stats
