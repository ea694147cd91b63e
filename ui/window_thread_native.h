#pragma once
// Native stand-in only: no windows, but a real window thread with a message queue that runs the
// same SetupController (setup logic and refresh) as the Windows build and records in a
// NativeWindowModel what the windows would show. The product reaches it through window_port.h;
// the test support reads the model and plays the operator through nativeWindowThread().
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ui/window_position.h"

namespace stats {

// What the windows show, kept by the native window thread exactly where the Windows build
// would set window texts, check boxes and list boxes.
struct NativeWindowModel {
  bool setupOpen = false;  // `setupWindow` present
  std::string setupTitle;
  std::map<int, std::string> controlTexts;  // the setup window's controls by id
  std::map<int, bool> checked;
  std::map<int, bool> enabled;
  WindowPoint setupPosition;

  bool rdaOpen = false;
  std::string rdaTitle;
  std::vector<std::string> rdaList;  // in the list box's order (sorted, letter case ignored)
  WindowPoint rdaPosition;
  int rdaListFills = 0;
  int rdaInvalidations = 0;

  bool dxccOpen = false;
  std::string dxccTitle;
  WindowPoint dxccPosition;
  int dxccInvalidations = 0;

  int refreshesHandled = 0;  // refresh requests the window thread has run
};

// A message to the window thread: a refresh, the end, or the operator's click on a button or
// check box (id) or Escape in the setup window.
struct WindowMessage {
  enum Kind { refresh, stop, click, escape } kind;
  int id = 0;
};

class SetupController;

// The window thread and its queue. Constructed after the plug-in state, so destroyed before it:
// its destructor ends a thread still running at exit while the state is still there.
class NativeWindowThread {
 public:
  NativeWindowThread();
  ~NativeWindowThread();

  void start();
  void stop();
  bool exists();
  bool post(WindowMessage message);  // false when no setup window takes it
  bool postRefresh();                // a refresh, counted when taken
  int postedRefreshes() const { return postedRefreshes_; }
  NativeWindowModel model();  // a copy, taken between two messages of the thread
  // Until the thread has handled every message posted so far; false on time-out or when no
  // window thread runs.
  bool waitIdle(int timeoutMs);
  // Holds the thread between two messages, so that posted messages wait; a stop releases it.
  void hold(bool held);

 private:
  void stopLocked();
  void run();
  void handle(SetupController& controller, const WindowMessage& message);

  std::mutex lifecycle_;
  std::mutex mutex_;  // the queue and the model
  std::condition_variable wake_, idle_;
  std::deque<WindowMessage> queue_;
  bool busy_ = false;
  bool running_ = false;  // from start() until the thread's loop has ended
  bool held_ = false;     // a test holds the thread: posted messages wait
  NativeWindowModel model_;
  std::thread thread_;
  std::atomic<int> postedRefreshes_{0};  // refresh requests taken while the windows were open
};

NativeWindowThread& nativeWindowThread();

}  // namespace stats
