#pragma once
// The plug-in's process-wide state: one object, created at load, guarded by one lock that
// the exports and the window thread take while they work on it.
#include <mutex>

#include "log/log_session.h"
#include "reports/cabrillo_log.h"
#include "reports/result.h"
#include "ui/window_state.h"

namespace stats {

// Each part belongs to the folder that works on it; only the exports here see them all.
struct PluginState {
  LogSession log;
  ResultState result;
  // Cabrillo export: the header confirmed at the last reset and the lines of the last pass.
  CabrilloLog cabrilloLog;
  WindowState windows;
};

// The one instance. Touch it only while holding the lock.
PluginState& pluginState();
std::mutex& stateMutex();
// At FreeLibrary, once no thread of ours is left: gives the state's memory back to the heap,
// which outlives the library (the next load builds a new state).
void releasePluginState();

// The parts the window thread reaches (ui/window_state.h).
inline WindowView windowViewOf(PluginState& state) {
  return {state.windows, state.log, state.result};
}

// Holds the state lock for its lifetime (and can step out of it around a modal dialog).
class StateLock {
 public:
  StateLock() : lock_(stateMutex()) {}
  PluginState& state() { return pluginState(); }
  void release() { lock_.unlock(); }
  void reacquire() { lock_.lock(); }

 private:
  std::unique_lock<std::mutex> lock_;
};

// Steps out of a held StateLock for its lifetime, around a modal dialog or message box.
class StateLockReleased {
 public:
  explicit StateLockReleased(StateLock& lock) : lock_(lock) { lock_.release(); }
  ~StateLockReleased() { lock_.reacquire(); }
  StateLockReleased(const StateLockReleased&) = delete;
  StateLockReleased& operator=(const StateLockReleased&) = delete;

 private:
  StateLock& lock_;
};

}  // namespace stats
