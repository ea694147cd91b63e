#include "rdac/crosscheck/scoring_helper.h"

#include <windows.h>

#include "rdac/io/file_bytes.h"
#include "rdac/io/windows_text_win.h"

namespace rdac {
namespace {

// Owns a handle; closes it once.
class Handle {
 public:
  explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
  ~Handle() { close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  HANDLE* out() { return &handle_; }
  void close() {
    if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_;
};

std::wstring ownProgram() {
  std::wstring name(MAX_PATH, L'\0');
  DWORD length;
  while ((length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()))) == name.size())
    name.resize(name.size() * 2);
  name.resize(length);
  return name;
}

// rdac.exe scoring-job FILE, its scores on a pipe, its messages on this process's standard error.
bool startHelper(const std::string& jobPath, PROCESS_INFORMATION& process, Handle& output, std::string& error) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  Handle childOutput, childError;
  if (!CreatePipe(output.out(), childOutput.out(), &inheritable, 0) ||
      !SetHandleInformation(output.get(), HANDLE_FLAG_INHERIT, 0)) {
    error = "cannot make a pipe: " + systemErrorText(GetLastError());
    return false;
  }
  const HANDLE ownError = GetStdHandle(STD_ERROR_HANDLE);
  if (ownError && ownError != INVALID_HANDLE_VALUE)
    DuplicateHandle(GetCurrentProcess(), ownError, GetCurrentProcess(), childError.out(), 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = childOutput.get();
  startup.hStdError = childError.get();
  const std::wstring program = ownProgram();
  std::wstring commandLine = L"\"" + program + L"\" scoring-job \"" + widened(jobPath) + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    error = "cannot start " + narrowed(program) + ": " + systemErrorText(GetLastError());
    return false;
  }
  return true;
}

std::string readToEnd(HANDLE pipe) {
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

}  // namespace

bool scoreWithHelper(const ScoringJob& own, const ScoringJob& helped, std::vector<EntrantScore>& scores,
                     std::ostream& err) {
  const std::string jobPath = helped.folder + "\\scoring-job.txt";
  std::string error;
  PROCESS_INFORMATION process{};
  Handle output;
  if (!replaceFileBytes(jobPath, scoringJobText(helped), error) || !startHelper(jobPath, process, output, error)) {
    err << "rdac: " << error << '\n';
    return false;
  }
  Handle helper(process.hProcess), helperThread(process.hThread);
  const bool fine = scoreHere(own, scores, err);
  if (own.done) own.done();
  const std::string reply = readToEnd(output.get());
  WaitForSingleObject(helper.get(), INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(helper.get(), &status);
  DeleteFileW(widened(jobPath).c_str());
  const bool taken = fine && status == 0 && takeJobScores(reply, helped, scores);
  if (fine && !taken) err << "rdac: the process that scores the second half of the logs failed\n";
  return taken;
}

}  // namespace rdac
