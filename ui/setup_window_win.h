#pragma once
// The setup window (class Setup, template 107): the modal dialog that is the window thread's
// message loop. It is the Win32 face of SetupController and owns the RDA and DXCC windows.
#include <windows.h>

#include <memory>

#include "ui/info_windows_win.h"
#include "ui/setup_controller.h"
#include "ui/window_look_win.h"
#include "ui/window_position.h"

namespace stats {

class Setup final : public WindowSet {
 public:
  Setup() = default;
  ~Setup() override = default;
  Setup(const Setup&) = delete;
  Setup& operator=(const Setup&) = delete;

  // Runs the dialog; returns when it has closed (stop request or Escape).
  void run();

  bool isOpen(InfoWindow window) const override;
  void open(InfoWindow window) override;
  void close(InfoWindow window) override;
  void setTitle(InfoWindow window, const std::string& title) override;
  void fillRdaList(const std::vector<std::string>& entries) override;
  void invalidate(InfoWindow window) override;
  void setSetupTitle(const std::string& title) override;
  void setControlText(int id, const std::string& text) override;
  void setChecked(int id, bool checked) override;
  void setEnabled(int id, bool enabled) override;
  void postRefreshToSelf() override;

 private:
  template <class Window>
  friend INT_PTR CALLBACK win::dialogProc(HWND, UINT, WPARAM, LPARAM);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
  void initialise();
  void createInfoWindows();
  void command(int id, int code);
  void stop();  // closes the DXCC and RDA windows and ends the dialog (after a running refresh)
  bool onTop() const;

  HWND hwnd_ = nullptr;
  win::BackgroundBrush brush_;
  SavedPosition position_{kSetupPositionKeys};
  std::unique_ptr<rda> rda_;
  std::unique_ptr<DXCC> dxcc_;
  SetupController controller_{*this};
  bool stopPending_ = false;
  bool ended_ = false;
  bool settled_ = false;  // the first refresh has run
};

}  // namespace stats
