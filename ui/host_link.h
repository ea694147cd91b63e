#pragma once
// The link to the host's automation object ("Tarn2.Application"): the rig frequency, the text of
// the entry line and the command text. Windows: COM on the window thread (host_link_win.cpp);
// natively: whatever a test injects (host_link_native.h), else none.
//
// Every call is made on the window thread without the state lock, so a slow host delays only
// the windows; a failed call answers nullopt / false and never throws.
//
// A link connects when it is called and holds that connection until releaseConnection(), which
// the refresh and the mode buttons call when they are done: between them the window thread
// holds nothing of the host's (see window_thread_win.cpp for why that matters at unload).
#include <memory>
#include <optional>
#include <string>

namespace stats {

class HostLink {
 public:
  virtual ~HostLink() = default;
  virtual std::optional<double> frequencyHz() = 0;      // member 2, property get, 8-byte real
  virtual std::optional<std::string> entryLine() = 0;   // member 8 called with 5, ANSI text
  virtual bool sendCommand(const std::string& text) = 0;  // member 16 with the ANSI text
  // False once the host has gone away (the object disconnected); the link is then dropped.
  virtual bool alive() const { return true; }
  // Gives back whatever the calls since the last release connected; the next call connects anew.
  virtual void releaseConnection() {}
};

// Connects to the running host object; null when there is none. Windows: the calling thread
// must have initialised COM.
std::unique_ptr<HostLink> connectHostLink();

}  // namespace stats
