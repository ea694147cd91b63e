#pragma once
// The host's automation object as the plug-in finds it: "Tarn2.Application" in the running object
// table, answering dispatch ids 2 (frequency), 8 (entry line, called with 5) and 16 (command),
// served by a single-threaded apartment of its own (or, on request, by the calling thread's).
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace stats::testing {

class FakeHost {
 public:
  // ownApartment: a thread of its own serves the calls; otherwise the calling thread registers
  // the object and must pump messages for the calls to be answered.
  explicit FakeHost(bool ownApartment = true);
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  void setFrequency(double hz);
  void setEntry(const std::string& ansi);  // the entry line's text
  void setFailing(bool failing);           // every call answers E_FAIL
  void setDelayMs(DWORD ms);               // every call takes this long
  std::vector<std::string> commands();     // texts received by member 16, in order
  void clearCommands();
  int calls();                             // member calls answered so far

  struct State {
    std::mutex mutex;
    double frequency = 14025000.0;
    std::wstring entry;
    bool failing = false;
    DWORD delayMs = 0;
    std::vector<std::string> commands;
    int calls = 0;
  };

 private:
  void registerObject();
  void revokeObject();

  State state_;
  IDispatch* object_ = nullptr;
  DWORD cookie_ = 0;
  bool ownApartment_;
  std::thread thread_;
  DWORD threadId_ = 0;
  HANDLE ready_ = nullptr;
};

// Pumps this thread's messages for ms milliseconds (what a host's message loop does).
void pumpMessages(DWORD ms);

}  // namespace stats::testing
