#pragma once
// The RDA window (class rda, template 111) and the DXCC window (class DXCC, template 108) with
// its drawn panel (CCqWwInfoButton) and off-screen context (CMemDC). Both belong to the window
// thread and are modeless dialogs without owner. Enter and Escape are both ignored, so a window
// closes only through the setup window, which therefore always knows whether it is open.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/window_look_win.h"
#include "ui/window_position.h"

namespace stats {

// Draws into a memory bitmap and copies it to the target when destroyed (straight onto a
// printer context).
class CMemDC {
 public:
  explicit CMemDC(HDC target);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;
  HDC dc() const { return memory_ ? memory_ : target_; }

 private:
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  HDC target_;
  RECT rect_{};
  bool offScreen_;
  HDC memory_ = nullptr;
};

// The DXCC window's panel: button 1003, owner-drawn; its only behaviour is drawing.
class CCqWwInfoButton {
 public:
  static void DrawItem(const DRAWITEMSTRUCT& item);
};

// Both are made hidden when the window thread starts and then only shown and hidden: making a
// window loads its template, which needs the loader lock (see ui/window_thread_win.cpp).
class rda {
 public:
  bool create();
  ~rda();
  HWND hwnd() const { return hwnd_; }
  void show(bool onTop);
  void hide();  // empty, with the template's caption, as a new window
  bool shown() const { return shown_; }
  void setTitle(const std::string& title);
  void fill(const std::vector<std::string>& entries);
  void invalidateList();

 private:
  template <class Window>
  friend INT_PTR CALLBACK win::dialogProc(HWND, UINT, WPARAM, LPARAM);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

  HFONT font_ = nullptr;
  win::BackgroundBrush brush_;
  SavedPosition position_{kRdaPositionKeys};
  HWND hwnd_ = nullptr;
  std::string caption_;
  bool onTop_ = false;
  bool shown_ = false;
};

class DXCC {
 public:
  bool create();
  ~DXCC();
  HWND hwnd() const { return hwnd_; }
  void show(bool onTop);
  void hide();  // with the template's caption, as a new window
  bool shown() const { return shown_; }
  void setTitle(const std::string& title);
  void invalidatePanel();

 private:
  template <class Window>
  friend INT_PTR CALLBACK win::dialogProc(HWND, UINT, WPARAM, LPARAM);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

  SavedPosition position_{kDxccPositionKeys};
  HWND hwnd_ = nullptr;
  std::string caption_;
  bool onTop_ = false;
  bool shown_ = false;
};

}  // namespace stats
