#pragma once
// A host link for the native window thread: the entry line and frequency a test sets, the
// commands it received, and failures on request. Shared with the test through a pointer.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/host_link.h"
#include "ui/host_link_native.h"

namespace stats::testing {

struct FakeHostState {
  std::mutex mutex;
  double frequency = 14025000.0;
  std::string entry;
  std::vector<std::string> commands;
  bool failing = false;
  bool gone = false;  // the host went away: calls fail and the link says so
  int entryQueries = 0;
};

class FakeHostLink final : public HostLink {
 public:
  explicit FakeHostLink(std::shared_ptr<FakeHostState> state) : state_(std::move(state)) {}
  std::optional<double> frequencyHz() override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->failing || state_->gone) return std::nullopt;
    return state_->frequency;
  }
  std::optional<std::string> entryLine() override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    ++state_->entryQueries;
    if (state_->failing || state_->gone) return std::nullopt;
    return state_->entry;
  }
  bool sendCommand(const std::string& text) override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->failing || state_->gone) return false;
    state_->commands.push_back(text);
    return true;
  }
  bool alive() const override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return !state_->gone;
  }

 private:
  std::shared_ptr<FakeHostState> state_;
};

// Installs a fake host for every window thread started while it lives.
class FakeHost {
 public:
  FakeHost() : state(std::make_shared<FakeHostState>()) {
    auto shared = state;
    setHostLinkFactory([shared] { return std::make_unique<FakeHostLink>(shared); });
  }
  ~FakeHost() { setHostLinkFactory(nullptr); }
  void setEntry(const std::string& text) {
    std::lock_guard<std::mutex> lock(state->mutex);
    state->entry = text;
  }
  void setFrequency(double hz) {
    std::lock_guard<std::mutex> lock(state->mutex);
    state->frequency = hz;
  }
  void setFailing(bool failing) {
    std::lock_guard<std::mutex> lock(state->mutex);
    state->failing = failing;
  }
  void setGone() {
    std::lock_guard<std::mutex> lock(state->mutex);
    state->gone = true;
  }
  std::vector<std::string> commands() {
    std::lock_guard<std::mutex> lock(state->mutex);
    return state->commands;
  }
  int entryQueries() {
    std::lock_guard<std::mutex> lock(state->mutex);
    return state->entryQueries;
  }
  std::shared_ptr<FakeHostState> state;
};

}  // namespace stats::testing
