// The native stand-in of the windows (window_thread_native.h): ModelWindows turns the
// SetupController's WindowSet calls into changes of the model.
#include "ui/window_thread_native.h"

#include <algorithm>
#include <chrono>
#include <functional>

#include "platform/float_control.h"
#include "platform/text.h"
#include "ui/setup_controller.h"
#include "ui/window_port.h"
#include "ui/window_state.h"
#include "ui/window_texts.h"

namespace stats {
namespace {

// Nothing thrown by the window logic ends the thread (as the Windows dialog procedures catch).
template <class Work>
void guarded(Work&& work) noexcept {
  try {
    work();
  } catch (...) {
  }
}

bool lessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(asciiLower(x)) < static_cast<unsigned char>(asciiLower(y));
  });
}

// The setup window of the stand-in: WindowSet calls become changes of the model.
class ModelWindows final : public WindowSet {
 public:
  ModelWindows(std::mutex& mutex, NativeWindowModel& model) : mutex_(mutex), model_(model) {}

  bool isOpen(InfoWindow w) const override {
    std::lock_guard<std::mutex> lock(mutex_);
    return w == InfoWindow::rda ? model_.rdaOpen : model_.dxccOpen;
  }
  void open(InfoWindow w) override {
    // The window's initialisation reads its position (the settings lock, never under mutex_).
    const WindowPoint at = w == InfoWindow::rda ? rdaPosition_.load() : dxccPosition_.load();
    std::lock_guard<std::mutex> lock(mutex_);
    if (w == InfoWindow::rda) {
      model_.rdaOpen = true;
      model_.rdaTitle = "RDAC";
      model_.rdaList.clear();
      model_.rdaPosition = at;
    } else {
      model_.dxccOpen = true;
      model_.dxccTitle = "DXCC";
      model_.dxccPosition = at;
    }
  }
  void close(InfoWindow w) override {
    std::lock_guard<std::mutex> lock(mutex_);
    (w == InfoWindow::rda ? model_.rdaOpen : model_.dxccOpen) = false;
  }
  void setTitle(InfoWindow w, const std::string& title) override {
    std::lock_guard<std::mutex> lock(mutex_);
    (w == InfoWindow::rda ? model_.rdaTitle : model_.dxccTitle) = title;
  }
  void fillRdaList(const std::vector<std::string>& entries) override {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.rdaList = entries;
    std::stable_sort(model_.rdaList.begin(), model_.rdaList.end(), lessNoCase);
    ++model_.rdaListFills;
  }
  void invalidate(InfoWindow w) override {
    std::lock_guard<std::mutex> lock(mutex_);
    ++(w == InfoWindow::rda ? model_.rdaInvalidations : model_.dxccInvalidations);
  }
  void setSetupTitle(const std::string& title) override {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setupTitle = title;
  }
  void setControlText(int id, const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.controlTexts[id] = text;
  }
  void setChecked(int id, bool checked) override {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.checked[id] = checked;
  }
  void setEnabled(int id, bool enabled) override {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.enabled[id] = enabled;
  }
  void postRefreshToSelf() override;

  std::function<void()> postSelf;

 private:
  std::mutex& mutex_;
  NativeWindowModel& model_;
  SavedPosition rdaPosition_{kRdaPositionKeys};
  SavedPosition dxccPosition_{kDxccPositionKeys};
};

void ModelWindows::postRefreshToSelf() { postSelf(); }

}  // namespace

NativeWindowThread::NativeWindowThread() { createWindowState(); }

NativeWindowThread::~NativeWindowThread() { stop(); }

void NativeWindowThread::start() {
  std::lock_guard<std::mutex> lifecycle(lifecycle_);
  stopLocked();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.clear();
    busy_ = false;
    running_ = true;
    model_ = NativeWindowModel();
  }
  thread_ = std::thread([this] { run(); });
  // Unlike Windows, the stand-in returns once `setupWindow` exists (or the thread ended), so
  // that a test sees the windows open right after the call.
  std::unique_lock<std::mutex> lock(mutex_);
  idle_.wait(lock, [this] { return model_.setupOpen || !running_; });
}

void NativeWindowThread::hold(bool held) {
  std::lock_guard<std::mutex> lock(mutex_);
  held_ = held;
  wake_.notify_all();
}

void NativeWindowThread::stop() {
  std::lock_guard<std::mutex> lifecycle(lifecycle_);
  stopLocked();
}

bool NativeWindowThread::post(WindowMessage message) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!model_.setupOpen) return false;
  queue_.push_back(message);
  wake_.notify_all();
  return true;
}

bool NativeWindowThread::exists() {
  std::lock_guard<std::mutex> lock(mutex_);
  return model_.setupOpen;
}

NativeWindowModel NativeWindowThread::model() {
  std::lock_guard<std::mutex> lock(mutex_);
  return model_;
}

bool NativeWindowThread::waitIdle(int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  return idle_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] {
    return !running_ || (model_.setupOpen && (queue_.empty() || held_) && !busy_);
  }) && model_.setupOpen;
}

void NativeWindowThread::stopLocked() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = false;
    queue_.push_back({WindowMessage::stop});
    wake_.notify_all();
  }
  thread_.join();
}

void NativeWindowThread::run() {
  useDefaultFloatControl();
  ModelWindows windows(mutex_, model_);
  windows.postSelf = [this] {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back({WindowMessage::refresh});
    wake_.notify_all();
  };
  {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setupTitle = "Setup RDAC";
    model_.controlTexts = {{kIdCwButton, "CW"},         {kIdSsbButton, "SSB"},
                           {kIdToDisplay, "To display"}, {kIdRdaCheck, "RDA"},
                           {kIdDxccCheck, "DXCC"},       {kIdHintCheck, "Use hint"},
                           {kIdOnTopCheck, "Window on top"}};
    busy_ = true;
  }
  SetupController controller(windows);
  const WindowPoint at = SavedPosition(kSetupPositionKeys).load();
  guarded([&] { controller.initialise(connectHostLink()); });
  {
    std::lock_guard<std::mutex> lock(mutex_);
    model_.setupPosition = at;
    model_.setupOpen = true;
    idle_.notify_all();
  }
  for (;;) {
    WindowMessage message;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      busy_ = false;
      idle_.notify_all();
      wake_.wait(lock, [this] { return !queue_.empty() && !held_; });
      message = queue_.front();
      queue_.pop_front();
      busy_ = true;
    }
    if (message.kind == WindowMessage::stop || message.kind == WindowMessage::escape) break;
    guarded([&] { handle(controller, message); });
  }
  guarded([&] { controller.closeInfoWindows(); });
  controller.releaseHost().reset();
  std::lock_guard<std::mutex> lock(mutex_);
  model_.setupOpen = false;
  running_ = false;
  busy_ = false;
  queue_.clear();
  idle_.notify_all();
}

void NativeWindowThread::handle(SetupController& controller, const WindowMessage& message) {
  if (message.kind == WindowMessage::refresh) {
    controller.refresh();
    std::lock_guard<std::mutex> lock(mutex_);
    ++model_.refreshesHandled;
    return;
  }
  switch (message.id) {
    case kIdCwButton: controller.chooseCw(); break;
    case kIdSsbButton: controller.chooseSsb(); break;
    case kIdRdaCheck: controller.toggleRda(); break;
    case kIdDxccCheck: controller.toggleDxcc(); break;
    case kIdHintCheck: controller.toggleHint(); break;
    case kIdOnTopCheck: controller.toggleOnTop(); break;
    default: break;
  }
}

bool NativeWindowThread::postRefresh() {
  if (!post({WindowMessage::refresh})) return false;
  ++postedRefreshes_;
  return true;
}

NativeWindowThread& nativeWindowThread() {
  static NativeWindowThread thread;
  return thread;
}

bool setupWindowExists() { return nativeWindowThread().exists(); }

void postRefresh() { nativeWindowThread().postRefresh(); }

void StartWindowThread() { nativeWindowThread().start(); }

void StopWindowThread() { nativeWindowThread().stop(); }

}  // namespace stats
