#include "ui/window_state.h"

namespace stats {
namespace {

// Constant-initialised, so a connection made by another file's static initialiser stays made.
std::mutex* connectedLock = nullptr;
WindowViewSource connectedSource = nullptr;

}  // namespace

void resetBandInfoRows(WindowState& windows) {
  for (int i = 0; i < kBandCount; ++i) windows.BandInfoRows[i] = {bandRules.at(i), "-", "-", "-", "-"};
}

void connectWindowState(std::mutex& lock, WindowViewSource source) {
  connectedLock = &lock;
  connectedSource = source;
}

void createWindowState() { connectedSource(); }

WindowLock::WindowLock() : lock_(*connectedLock) {}

WindowView WindowLock::view() const { return connectedSource(); }

}  // namespace stats
