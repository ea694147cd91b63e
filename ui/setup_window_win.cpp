#include "ui/setup_window_win.h"

#include "resources/resource_ids.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"
#include "ui/window_thread_win.h"

namespace stats {

void Setup::run() {
  DialogBoxParamA(win::moduleInstance(), MAKEINTRESOURCEA(IDD_SETUP), nullptr,
                  win::dialogProc<Setup>, reinterpret_cast<LPARAM>(this));
  withdrawSetupWindow();
  dxcc_.reset();
  rda_.reset();
}

INT_PTR Setup::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (win::isControlColourMessage(message)) return win::colourControl(wParam, brush_);
  switch (message) {
    case WM_INITDIALOG:
      initialise();
      return TRUE;
    case WM_COMMAND:
      command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_SETCURSOR:
      win::savePosition(hwnd_, position_);
      return FALSE;
    case kRefreshMessage:
      controller_.refresh();
      if (!settled_) {
        // A modal dialog is shown only when its loop first finds the queue empty, which is
        // after this first refresh: show it now, so that "settled" means the windows are up.
        if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNORMAL);
        settled_ = true;
        announceWindowsSettled();
      }
      if (stopPending_) stop();
      SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, 0);
      return TRUE;
    case kStopMessage:
      stop();
      return TRUE;
    case kDestroyForUnloadMessage:
      controller_.closeInfoWindows();
      dxcc_.reset();
      rda_.reset();
      DestroyWindow(hwnd_);
      return TRUE;
  }
  return FALSE;
}

// The window's own look here; the rest (connection made by the caller's COM apartment,
// settings, texts, CW mode, first refresh) in SetupController::initialise.
void Setup::initialise() {
  win::applyWindowLook(hwnd_, position_, true);
  createInfoWindows();
  controller_.initialise(connectHostLink());
  if (publishSetupWindow(hwnd_)) PostMessageA(hwnd_, kStopMessage, 0, 0);
}

void Setup::command(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kIdCwButton:
      controller_.chooseCw();
      break;
    case kIdSsbButton:
      controller_.chooseSsb();
      break;
    case kIdRdaCheck:
      controller_.toggleRda();
      break;
    case kIdDxccCheck:
      controller_.toggleDxcc();
      break;
    case kIdHintCheck:
      controller_.toggleHint();
      break;
    case kIdOnTopCheck:
      controller_.toggleOnTop();
      break;
    case IDCANCEL:  // Escape closes the setup window and ends the window thread
      stop();
      break;
    default:  // IDOK (Enter): ignored
      break;
  }
}

void Setup::stop() {
  if (controller_.refreshing()) {  // a host call inside the refresh let this message through
    stopPending_ = true;
    return;
  }
  if (ended_) return;
  ended_ = true;
  controller_.closeInfoWindows();
  EndDialog(hwnd_, 0);
}

bool Setup::onTop() const {
  WindowLock lock;
  return lock.view().windows.windowOnTop != 0;
}

// Made here, before the thread announces itself, so that nothing it does afterwards needs the
// loader lock (see window_thread_win.cpp); opening and closing them only shows and hides them.
void Setup::createInfoWindows() {
  auto rdaWindow = std::make_unique<rda>();
  if (rdaWindow->create()) rda_ = std::move(rdaWindow);
  auto dxccWindow = std::make_unique<DXCC>();
  if (dxccWindow->create()) dxcc_ = std::move(dxccWindow);
}

bool Setup::isOpen(InfoWindow window) const {
  return window == InfoWindow::rda ? rda_ && rda_->shown() : dxcc_ && dxcc_->shown();
}

void Setup::open(InfoWindow window) {
  if (windowStopRequested()) return;  // closing for good
  const bool top = onTop();
  if (window == InfoWindow::rda && rda_) rda_->show(top);
  if (window == InfoWindow::dxcc && dxcc_) dxcc_->show(top);
}

void Setup::close(InfoWindow window) {
  if (window == InfoWindow::rda && rda_) rda_->hide();
  if (window == InfoWindow::dxcc && dxcc_) dxcc_->hide();
}

void Setup::setTitle(InfoWindow window, const std::string& title) {
  if (window == InfoWindow::rda && rda_) rda_->setTitle(title);
  if (window == InfoWindow::dxcc && dxcc_) dxcc_->setTitle(title);
}

void Setup::fillRdaList(const std::vector<std::string>& entries) {
  if (rda_) rda_->fill(entries);
}

void Setup::invalidate(InfoWindow window) {
  if (window == InfoWindow::rda && rda_) rda_->invalidateList();
  if (window == InfoWindow::dxcc && dxcc_) dxcc_->invalidatePanel();
}

void Setup::setSetupTitle(const std::string& title) { SetWindowTextA(hwnd_, title.c_str()); }

void Setup::setControlText(int id, const std::string& text) { SetDlgItemTextA(hwnd_, id, text.c_str()); }

void Setup::setChecked(int id, bool checked) {
  CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Setup::setEnabled(int id, bool enabled) { EnableWindow(GetDlgItem(hwnd_, id), enabled); }

void Setup::postRefreshToSelf() { PostMessageA(hwnd_, kRefreshMessage, 0, 0); }

}  // namespace stats
