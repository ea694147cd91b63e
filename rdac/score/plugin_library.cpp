#include "rdac/score/plugin_library.h"

#include <cstring>
#include <forward_list>

#include "platform/edited_text.h"
#include "rdac/logs/log_text.h"

#include "rdac/io/messages.h"

namespace rdac {
namespace {

// What the host passes in argument positions the plug-in does not read.
const char kUnread[] = "";

template <class Fn>
bool lookUp(void* handle, const char* name, Fn& target, std::string& error) {
  target = reinterpret_cast<Fn>(library_calls::find(handle, name));
  if (!target) error = std::string("the library has no export ") + name;
  return target != nullptr;
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string& error) {
  void* handle = library_calls::load(path, error);
  if (!handle) return nullptr;
  std::unique_ptr<PluginLibrary> library(new PluginLibrary(handle));
  if (!library->bind(error)) return nullptr;
  return library;
}

PluginLibrary::~PluginLibrary() {
  // The plug-in's window thread must be gone before its code is unmapped.
  if (runCommand_) runCommand_(0, "HIDEINFO");
  library_calls::unload(handle_);
}

bool PluginLibrary::bind(std::string& error) {
  const library_calls::ExportNames& names = library_calls::kExportNames;
  return lookUp(handle_, names.resetStats, resetStats_, error) && lookUp(handle_, names.addData, addData_, error) &&
         lookUp(handle_, names.checkCall, checkCall_, error) && lookUp(handle_, names.getResult, getResult_, error) &&
         lookUp(handle_, names.setVersion, setVersion_, error) && lookUp(handle_, names.runCommand, runCommand_, error);
}

// rdac's texts are UTF-8; the plug-in, as the logger that hosts it, speaks Windows-1251. A
// committee's run passes millions of texts, nearly all ASCII: those go as they are.
const char* pluginText(const std::string& utf8, std::forward_list<std::string>& store) {
  return isAscii(utf8) ? utf8.c_str() : store.emplace_front(stats::windows1251OfUtf8(utf8)).c_str();
}

class ForPlugin {
 public:
  const char* operator()(const std::string& utf8) { return pluginText(utf8, converted_); }

 private:
  // It takes no memory while empty, as it nearly always is: it is made for each QSO.
  std::forward_list<std::string> converted_;
};

int PluginLibrary::reset(const HostReset& v) {
  stats::COleDateTime start = v.contestStart, end = v.contestEnd;
  const char* u = kUnread;
  ForPlugin forPlugin;
  return resetStats_(v.ownFolder.c_str(), v.exportRun ? 1 : 0, forPlugin(v.ownCall), &start, &end,
                     u, u, u, u, u, u, u, u, u,  // 5 to 13
                     v.ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, u, v.ownContinent.c_str(), u);
}

int PluginLibrary::addQso(const std::string& ownCall, const HostQso& host) {
  const LoggedQso& q = *host.logged;
  ForPlugin forPlugin;
  PluginQso passed{forPlugin(q.call), forPlugin(q.mode), q.band.c_str(), forPlugin(q.rstSent),
                   forPlugin(q.rstRcvd), forPlugin(q.exchSent), forPlugin(q.exchRcvd), host.prefix.c_str(),
                   host.continent.c_str(), q.time, q.freqHz};
  return addQso(forPlugin(ownCall), passed);
}

int PluginLibrary::addQso(const char* ownCall, const PluginQso& q) {
  stats::COleDateTime time = q.time, unreadTime = q.time;
  const char* u = kUnread;
  return addData_(ownCall, q.call, &time, &unreadTime, &unreadTime, &unreadTime, 0u, q.freqHz, q.mode, q.rstSent,
                  q.rstRcvd, q.exchSent, q.exchRcvd,
                  u, u, u, u, u, u, u, u, u,  // 13 to 21
                  q.prefix, 0, 0, 0, 0.0, 0.0, u, q.continent, u, q.band, u);
}

CheckAnswer PluginLibrary::checkCall(const std::string& call, const std::string& mode,
                                     const std::string& prefix, const std::string& band) {
  char hint[kHintBufferSize] = {};
  char unusedBuffer[kHintBufferSize] = {};
  const char* u = kUnread;
  CheckAnswer answer;
  ForPlugin forPlugin;
  answer.code = checkCall_(forPlugin(call), 0u, 0u, forPlugin(mode),
                           u, u, u, u, u, u, u, u, u,  // 4 to 12
                           prefix.c_str(), 0, 0, 0, 0.0, 0.0, u, u, u, u, u, band.c_str(),
                           band.c_str(), hint, unusedBuffer);
  answer.hint = stats::utf8OfWindows1251(std::string_view(hint, strnlen(hint, sizeof hint)));
  return answer;
}

std::string checkAnswerWords(int code) {
  switch (code) {
    case kCheckDupe: return tr("dupe");
    case kCheckOrdinary: return tr("ordinary");
    case kCheckNewMultiplier: return tr("new multiplier");
    case kCheckCannotCount: return tr("cannot count");
    default: return tr("an answer the host does not know");
  }
}

std::string PluginLibrary::result() {
  int status = 0;
  const char* text = getResult_(&status);
  if (!text) return std::string();
  return isAscii(text) ? std::string(text) : stats::utf8OfWindows1251(text);
}

void PluginLibrary::switchToHtml() { setVersion_(""); }

void PluginLibrary::runCommand(const char* command) { runCommand_(0, command); }

}  // namespace rdac
