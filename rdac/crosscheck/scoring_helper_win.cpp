#include "rdac/crosscheck/scoring_helper.h"

#include <windows.h>

#include <vector>

#include "rdac/io/file_bytes.h"
#include "rdac/io/windows_text_win.h"

// Windows 10's; the headers declare it only to programs that require Windows 10, and rdac.exe
// runs on Windows 7 too, where UpdateProcThreadAttribute refuses it.
#ifndef PROC_THREAD_ATTRIBUTE_JOB_LIST
#define PROC_THREAD_ATTRIBUTE_JOB_LIST ProcThreadAttributeValue(13, FALSE, TRUE, FALSE)
#endif

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

// A job object that ends the helper when this process ends, however it ends: the handle closes
// with the process, and the helper is not left scoring for nobody.
HANDLE helperJob() {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job && !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

// rdac.exe scoring-job FILE, its scores on a pipe, its messages on this process's standard error.
// It inherits those two handles and no other (CreateProcess with inheritance on would hand it
// every inheritable handle of this process), and lives in `job`.
bool startHelper(const std::string& jobPath, HANDLE job, PROCESS_INFORMATION& process, Handle& output,
                 std::string& error) {
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
  std::vector<HANDLE> inherited{childOutput.get()};
  if (childError.get()) inherited.push_back(childError.get());
  const std::wstring program = ownProgram();
  std::wstring commandLine = L"\"" + program + L"\" scoring-job \"" + widened(jobPath) + L"\"";
  // Windows 10 and later put it in the job as they create it, so that no moment exists in which
  // this process could end and leave it outside; older ones refuse the job list, and then it
  // is put there before it runs: suspended until then, so no part of it runs outside.
  bool inJob = false;
  DWORD failure = 0;
  for (const bool withJobList : {job != nullptr, false}) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 2, 0, &size);
    std::vector<char> attributes(size);
    const auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    if (!InitializeProcThreadAttributeList(list, 2, 0, &size)) {
      error = "cannot start the helper: " + systemErrorText(GetLastError());
      return false;
    }
    const bool listed = UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited.data(),
                                                  inherited.size() * sizeof(HANDLE), nullptr, nullptr);
    inJob = withJobList &&
            UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_JOB_LIST, &job, sizeof job, nullptr, nullptr);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = nullptr;
    startup.StartupInfo.hStdOutput = childOutput.get();
    startup.StartupInfo.hStdError = childError.get();
    startup.lpAttributeList = list;
    const bool started = listed && CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                                  EXTENDED_STARTUPINFO_PRESENT | CREATE_SUSPENDED, nullptr, nullptr,
                                                  &startup.StartupInfo, &process);
    failure = GetLastError();
    DeleteProcThreadAttributeList(list);
    if (started) break;
    if (!inJob) {
      error = "cannot start " + narrowed(program) + ": " + systemErrorText(failure);
      return false;
    }
  }
  // Outside the job (a parent's job that allows no other) the helper still scores; it only
  // outlives this process if that is killed.
  if (job && !inJob) AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
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
  Handle output, job(helperJob());
  if (!replaceFileBytes(jobPath, scoringJobText(helped, scores), error) ||
      !startHelper(jobPath, job.get(), process, output, error)) {
    err << "rdac: " << error << '\n';
    return false;
  }
  Handle helper(process.hProcess), helperThread(process.hThread);
  if (own.started) own.started();
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
