#pragma once
// The plug-in's windows as the portable window logic sees them. The Windows build implements it
// with the real dialogs (setup_window_win.cpp); the native stand-in records what would be shown.
// Called only on the window thread, never with the state lock held (painting a window takes
// the lock).
#include <string>
#include <vector>

namespace stats {

enum class InfoWindow { rda, dxcc };

class WindowSet {
 public:
  virtual ~WindowSet() = default;

  // The RDA window (template 111) and the DXCC window (template 108).
  virtual bool isOpen(InfoWindow window) const = 0;
  virtual void open(InfoWindow window) = 0;   // modeless, no owner, shown
  virtual void close(InfoWindow window) = 0;  // afterwards not open
  virtual void setTitle(InfoWindow window, const std::string& title) = 0;
  virtual void fillRdaList(const std::vector<std::string>& entries) = 0;  // empties, then adds
  virtual void invalidate(InfoWindow window) = 0;  // list box 1123 or panel 1003, not erased

  // The setup window (template 107) itself.
  virtual void setSetupTitle(const std::string& title) = 0;
  virtual void setControlText(int id, const std::string& text) = 0;
  virtual void setChecked(int id, bool checked) = 0;
  virtual void setEnabled(int id, bool enabled) = 0;
  virtual void postRefreshToSelf() = 0;  // the refresh request, posted to the setup window
};

}  // namespace stats
