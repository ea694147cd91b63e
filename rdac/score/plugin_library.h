#pragma once
// The plug-in as a host sees it: a shared library reached through its exports only, called
// with the host's argument lists.
#include <cstdint>
#include <forward_list>
#include <memory>
#include <string>

#include "plugin/exports.h"
#include "rdac/logs/logged_qso.h"

namespace rdac {

// A QSO as the host passes it: the logged values and where the country file places the call.
struct HostQso {
  const LoggedQso* logged = nullptr;
  std::string prefix, continent;
};

// The same QSO with its texts already as the plug-in reads them (pluginText), for a host that
// passes each of a contest's repeated texts converted once.
struct PluginQso {
  const char *call, *mode, *band, *rstSent, *rstRcvd, *exchSent, *exchRcvd, *prefix, *continent;
  stats::COleDateTime time;
  uint32_t freqHz = 0;
};

// A UTF-8 text as the plug-in reads it: itself when ASCII, else converted into a string added
// to `store`, which keeps it where it is while it grows.
const char* pluginText(const std::string& utf8, std::forward_list<std::string>& store);

// The values ResetStats0 reads.
struct HostReset {
  std::string ownFolder;  // ends in a path separator
  bool exportRun = false;
  std::string ownCall, ownPrefix, ownContinent;
  stats::COleDateTime contestStart, contestEnd;
};

struct CheckAnswer {
  int code = 0;      // CheckCall0's result
  std::string hint;  // what it wrote into the hint buffer, empty when nothing
};

// What CheckCall0's answer means, in words.
std::string checkAnswerWords(int code);

// What each system's file (plugin_library_posix.cpp, plugin_library_win.cpp) provides.
namespace library_calls {
// The names the host looks the exports up by: undecorated natively, decorated on Windows.
struct ExportNames {
  const char *resetStats, *addData, *checkCall, *getResult, *setVersion, *runCommand;
};
extern const ExportNames kExportNames;
// The loaded library, or null with `error` set.
void* load(const std::string& path, std::string& error);
void* find(void* library, const char* name);  // null when it has no such export
void unload(void* library);
}  // namespace library_calls

// Texts cross here: rdac's are UTF-8, the plug-in's Windows-1251 (a letter that code page
// cannot spell reaches it as "?"), in both directions.
class PluginLibrary {
 public:
  // Loads the library and finds every export; nothing, with `error` set, when it cannot.
  static std::unique_ptr<PluginLibrary> open(const std::string& path, std::string& error);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  int reset(const HostReset& values);
  int addQso(const std::string& ownCall, const HostQso& qso);
  int addQso(const char* ownCall, const PluginQso& qso);
  CheckAnswer checkCall(const std::string& call, const std::string& mode,
                        const std::string& prefix, const std::string& band);
  std::string result();  // GetResult0's text in UTF-8, copied before the next call replaces it
  void switchToHtml();   // setVersion
  void runCommand(const char* command);

 private:
  explicit PluginLibrary(void* handle) : handle_(handle) {}
  bool bind(std::string& error);

  void* handle_;
  decltype(&::ResetStats0) resetStats_ = nullptr;
  decltype(&::AddData0) addData_ = nullptr;
  decltype(&::CheckCall0) checkCall_ = nullptr;
  decltype(&::GetResult0) getResult_ = nullptr;
  decltype(&::setVersion) setVersion_ = nullptr;
  decltype(&::RunCommand0) runCommand_ = nullptr;
};

}  // namespace rdac
