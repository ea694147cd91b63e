// The window thread: its start, its stop, and the hand-over from the host thread.
//
// Design of the stop (waiting for the thread inside DllMain, or at process exit, would hang or crash the host):
// - The host thread never sends to the window thread and never waits without a bound. A stop
//   posts kStopMessage to the setup window (or leaves a flag that the window reads as soon as it
//   exists) and waits for the thread's "done" event for at most kStopWaitMs. HIDEINFO and a new
//   start pump COM while they wait, so that a host call the window thread is making into the
//   host's apartment can finish. The unload's wait, under the loader lock, dispatches nothing
//   for its first second (kUnloadStillWaitMs): no call into the host and no sent message runs
//   host code in the middle of its FreeLibrary.
// - A host call in flight when a stop comes is cancelled: the window thread's message filter
//   answers the stop's message with PENDINGMSG_CANCELCALL, the call returns
//   RPC_E_CALL_CANCELED, and no new host call starts once a stop is asked for. Wine calls the
//   filter but keeps waiting for the answer: there, and only when the thread is still inside a
//   host call after that second, the unload serves COM for the rest of the bound, so that a
//   call into the unloading thread's own apartment can finish (stopStuckThreadServingCom).
// - The window thread does all its work, closes its windows, and then signals
//   "done" as its very last act by jumping into SetEvent with the return address of its caller
//   (windowThreadEntry below): once the event is set no instruction of this DLL runs on that
//   thread any more, so FreeLibrary may unmap it at once. The thread is never joined: under the
//   loader lock (DllMain) a thread cannot end, but it can set an event.
// - The window thread holds no proxy of the host's object while it waits for messages: the
//   host link connects for a refresh or a mode command and gives the connection back when it is
//   done (host_link.h). A proxy still alive when the thread ends would be released by COM's
//   clean-up of the ending thread, which runs under the loader lock and calls into the host's
//   apartment: if the host's thread then needs the loader lock before it pumps messages again
//   (it loads or unloads a library, starts a thread), both wait for ever. A host call in flight
//   when a stop comes is cancelled or finished, and its connection given back, within the bound.
// - FreeLibrary with the windows open (DLL_PROCESS_DETACH, lpReserved null): the same stop, but
//   the window thread leaves CoUninitialize to the system's clean-up of the ending thread: the
//   apartment's last release frees the proxy-stub libraries it loaded, which needs the loader
//   lock that the thread waiting for us holds. With no proxy left, that clean-up is local.
// - Process exit (lpReserved non-null): the other threads were ended wherever they were, maybe
//   holding the lock below; the entry point returns before any of our code runs.
// - A start returns once the windows are open (bounded the same way), and no window is opened
//   once a stop is asked for: opening one loads resources, which needs the loader lock. What is
//   left is an operator's click that opens a window at the very moment the host unloads us.
// - The bound, kStopWaitMs = 3 s: a stop takes a few milliseconds (the thread only has to leave
//   its message loop); 3 s covers a host call in flight and stays under the 5 s after which
//   Windows calls the host "not responding". When it runs out, the thread stays recorded as
//   running, so no second window thread can start; the next start or stop waits for it again.
//   At unload there is no next time: a thread still waiting in a host call (which the cancel
//   should have ended long before) is ended there as a last resort (endThreadStuckInHostCall),
//   since its return into the unmapped library would crash the host.
#include <objbase.h>
#include <windows.h>

#include <memory>

#include "platform/float_control.h"
#include "ui/host_link.h"
#include "ui/setup_window_win.h"
#include "ui/window_port.h"
#include "ui/window_texts.h"
#include "ui/window_thread_win.h"

namespace stats {
namespace {

constexpr DWORD kStopWaitMs = 3000;
// The part of the unload's bound spent dispatching nothing: the cancelled call returns within
// milliseconds, and a thread without a host call only has to leave its message loop.
constexpr DWORD kUnloadStillWaitMs = 1000;

struct Control {
  Control() { InitializeCriticalSection(&lifecycle); }
  CRITICAL_SECTION lifecycle;  // one start or stop at a time
  DWORD lifecycleOwner = 0;    // to refuse a start or stop nested in a pumped wait
  SRWLOCK lock = SRWLOCK_INIT;  // guards the fields below; held only for a few instructions
  HWND setupWindow = nullptr;   // `setupWindow`: present while the setup window exists
  bool settled = false;         // the first refresh has opened the windows the settings show
  HANDLE done = nullptr;        // the current window thread's "done" event; null when none
  HANDLE thread = nullptr;      // and the thread itself
  DWORD threadId = 0;
  int hostCalls = 0;            // the window thread is inside a call into the host's object
  bool stopRequested = false;
  bool unloading = false;
};

Control& control() {
  static Control* c = new Control;  // never destroyed: DllMain may use it after static teardown
  return *c;
}

class Locked {
 public:
  explicit Locked(Control& c) : c_(c) { AcquireSRWLockExclusive(&c_.lock); }
  ~Locked() { ReleaseSRWLockExclusive(&c_.lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  Control& c_;
};

class Lifecycle {
 public:
  explicit Lifecycle(Control& c) : c_(c) {
    if (c_.lifecycleOwner == GetCurrentThreadId()) return;  // nested: refuse
    EnterCriticalSection(&c_.lifecycle);
    c_.lifecycleOwner = GetCurrentThreadId();
    entered_ = true;
  }
  ~Lifecycle() {
    if (!entered_) return;
    c_.lifecycleOwner = 0;
    LeaveCriticalSection(&c_.lifecycle);
  }
  bool entered() const { return entered_; }

 private:
  Control& c_;
  bool entered_ = false;
};

// How the host thread waits for the window thread.
enum class Wait {
  // Serving COM calls into this thread's apartment meanwhile: a host call the window thread
  // makes into it can finish (where the system does not cancel it, as Wine does not).
  servingCom,
  // Dispatching nothing, under the loader lock: an incoming call or sent message would run code
  // of the host's that may need that lock itself. The window thread's host call is cancelled.
  still,
};

bool waitForDone(HANDLE done, DWORD bound, Wait how = Wait::servingCom) {
  if (how == Wait::servingCom) {
    DWORD index = 0;
    const HRESULT hr = CoWaitForMultipleHandles(0, bound, 1, &done, &index);
    if (hr != CO_E_NOTINITIALIZED) return hr == S_OK;
  }
  return WaitForSingleObject(done, bound) == WAIT_OBJECT_0;
}

// Stops the current window thread, if any; true when none is left. The post reaches the setup
// window, or, before it exists, the thread's queue: either way a host call the thread is making
// sees a message arrive and its message filter cancels the call.
bool stopThread(Control& c, DWORD bound, Wait how = Wait::servingCom) {
  HANDLE done;
  HWND window;
  DWORD threadId;
  {
    Locked locked(c);
    done = c.done;
    if (!done) return true;
    c.stopRequested = true;
    window = c.setupWindow;
    threadId = c.threadId;
  }
  if (window)
    PostMessageA(window, kStopMessage, 0, 0);
  else if (threadId)
    PostThreadMessageA(threadId, WM_NULL, 0, 0);
  if (!waitForDone(done, bound, how)) return false;
  HANDLE thread;
  {
    Locked locked(c);
    c.done = nullptr;
    thread = c.thread;
    c.thread = nullptr;
    c.threadId = 0;
  }
  CloseHandle(done);
  if (thread) CloseHandle(thread);
  return true;
}

// The unload's wait has run out and the library is about to be unmapped. A window thread still
// inside a host call waits in COM for a host that does not answer; once the answer came it
// would return into unmapped code and take the host down. Its windows are destroyed by the
// thread itself (the wait handles sent messages), and it is then ended where it waits,
// suspended first so that it cannot leave the call meanwhile.
void endThreadStuckInHostCall(Control& c) {
  HANDLE thread, done;
  HWND window;
  {
    Locked locked(c);
    if (!c.hostCalls) return;
    thread = c.thread;
    done = c.done;
    window = c.setupWindow;
  }
  DWORD_PTR ignored;
  if (window) SendMessageTimeoutA(window, kDestroyForUnloadMessage, 0, 0, SMTO_BLOCK, 500, &ignored);
  if (!thread || SuspendThread(thread) == static_cast<DWORD>(-1)) return;
  // The suspension takes effect asynchronously; reading the thread's context waits for it, so
  // the check below sees the thread where it stays.
  CONTEXT context{};
  context.ContextFlags = CONTEXT_CONTROL;
  GetThreadContext(thread, &context);
  bool inHostCall;
  {
    Locked locked(c);
    inHostCall = c.hostCalls > 0;
  }
  if (inHostCall && TerminateThread(thread, 1)) {
    WaitForSingleObject(thread, 500);  // a terminated thread runs no detach code: no loader lock
    return;
  }
  ResumeThread(thread);
  if (done) waitForDone(done, 500, Wait::still);  // the answer came meanwhile; it ends now
}

// The unload's still wait ran out with the thread inside a host call: the system did not cancel
// it (Wine does not). Rather than end a thread inside COM, which leaves COM's locks held for
// whoever uses COM next, the rest of the bound serves calls into this thread's apartment, so that
// a call into the host's own thread can finish. True when the thread has ended.
bool stopStuckThreadServingCom(Control& c) {
  {
    Locked locked(c);
    if (!c.hostCalls) return false;
  }
  return stopThread(c, kStopWaitMs - kUnloadStillWaitMs);
}

// Returns when the windows are open (the setup window has run its first refresh) or the thread
// has ended, at most after kStopWaitMs. Returning at once would be simpler; waiting means that an
// unload right after a start never finds a thread still opening windows: a thread being
// attached to the DLLs, or loading a dialog template or a system menu, needs the loader lock,
// which the unloading thread holds while it waits.
void waitUntilRunning(Control& c, HANDLE done) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kStopWaitMs) {
    {
      Locked locked(c);
      if (c.settled) return;
    }
    if (waitForDone(done, 5)) return;
  }
}

// The window thread's message filter: once a stop is asked for, a host call that is still
// waiting for its answer is cancelled as soon as a message arrives (the stop posts one), and
// returns RPC_E_CALL_CANCELED. Otherwise COM's default handling.
class StopCancelsHostCalls final : public IMessageFilter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
      *object = static_cast<IMessageFilter*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the thread's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override { return static_cast<DWORD>(-1); }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return windowStopRequested() ? PENDINGMSG_CANCELCALL : PENDINGMSG_WAITDEFPROCESS;
  }
};

// Registered for the thread's whole life in COM, revoked before the thread leaves it.
class MessageFilterScope {
 public:
  explicit MessageFilterScope(IMessageFilter* filter) {
    registered_ = SUCCEEDED(CoRegisterMessageFilter(filter, &previous_));
  }
  ~MessageFilterScope() {
    if (!registered_) return;
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previous_, &ours);
    if (previous_) previous_->Release();
  }
  MessageFilterScope(const MessageFilterScope&) = delete;
  MessageFilterScope& operator=(const MessageFilterScope&) = delete;

 private:
  IMessageFilter* previous_ = nullptr;
  bool registered_ = false;
};

void runWindows() {
  const HRESULT com = CoInitialize(nullptr);
  {
    StopCancelsHostCalls filter;
    MessageFilterScope filtered(&filter);
    Setup setup;
    setup.run();
  }
  if (SUCCEEDED(com) && !windowsUnloading()) CoUninitialize();
}

}  // namespace

// WindowThreadProc. Returns the event to set; the caller sets it and leaves this DLL's code.
extern "C" HANDLE windowThreadBody(void* doneEvent) {
  Control& c = control();
  bool refused;
  {
    Locked locked(c);
    refused = c.setupWindow != nullptr;  // another window thread owns the windows
  }
  if (!refused) {
    useDefaultFloatControl();  // the thread that started us may be the host's, with its own
    try {
      runWindows();
    } catch (...) {
    }
    withdrawSetupWindow();
  }
  return static_cast<HANDLE>(doneEvent);
}

extern "C" DWORD WINAPI windowThreadEntry(void* doneEvent);
#if defined(__i386__)
// The thread's entry: runs the body, then replaces its own argument with the event and jumps to
// SetEvent, which therefore returns straight into the system's thread start.
asm(".text\n"
    ".globl _windowThreadEntry@4\n"
    ".def _windowThreadEntry@4; .scl 2; .type 32; .endef\n"
    "_windowThreadEntry@4:\n"
    "  pushl 4(%esp)\n"
    "  call _windowThreadBody\n"
    "  addl $4, %esp\n"
    "  movl %eax, 4(%esp)\n"
    "  jmp *__imp__SetEvent@4\n");
#else
extern "C" DWORD WINAPI windowThreadEntry(void* doneEvent) {
  return SetEvent(windowThreadBody(doneEvent)) ? 0 : 1;  // a few instructions after the mark
}
#endif

bool publishSetupWindow(HWND window) {
  Control& c = control();
  Locked locked(c);
  c.setupWindow = window;
  return c.stopRequested;
}

void withdrawSetupWindow() {
  Control& c = control();
  Locked locked(c);
  c.setupWindow = nullptr;
}

void announceWindowsSettled() {
  Control& c = control();
  Locked locked(c);
  c.settled = true;
}

HostCallScope::HostCallScope() {
  Control& c = control();
  Locked locked(c);
  ++c.hostCalls;
}

HostCallScope::~HostCallScope() {
  Control& c = control();
  Locked locked(c);
  --c.hostCalls;
}

bool windowStopRequested() {
  Control& c = control();
  Locked locked(c);
  return c.stopRequested;
}

bool windowsUnloading() {
  Control& c = control();
  Locked locked(c);
  return c.unloading;
}

bool setupWindowExists() {
  Control& c = control();
  Locked locked(c);
  return c.setupWindow != nullptr;
}

void postRefresh() {
  Control& c = control();
  Locked locked(c);
  if (c.setupWindow) PostMessageA(c.setupWindow, kRefreshMessage, 0, 0);
}

void StartWindowThread() {
  Control& c = control();
  Lifecycle lifecycle(c);
  if (!lifecycle.entered()) return;
  {
    Locked locked(c);
    if (c.unloading) return;
  }
  if (!stopThread(c, kStopWaitMs)) return;  // still running: keep to one window thread
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!done) return;
  {
    Locked locked(c);
    c.done = done;
    c.stopRequested = false;
    c.settled = false;
  }
  HANDLE thread = CreateThread(nullptr, 0, windowThreadEntry, done, 0, nullptr);
  if (thread) {
    {
      Locked locked(c);
      c.thread = thread;
      c.threadId = GetThreadId(thread);
    }
    waitUntilRunning(c, done);
    return;
  }
  {
    Locked locked(c);
    c.done = nullptr;
  }
  CloseHandle(done);
}

void StopWindowThread() {
  Control& c = control();
  Lifecycle lifecycle(c);
  if (!lifecycle.entered()) return;
  stopThread(c, kStopWaitMs);
}

bool stopWindowsForUnload() {
  Control& c = control();
  {
    Locked locked(c);
    c.unloading = true;
    if (!c.done) return true;
  }
  // A start or stop of another thread may be waiting already; do not queue behind it.
  const bool entered = TryEnterCriticalSection(&c.lifecycle);
  if (!stopThread(c, kUnloadStillWaitMs, Wait::still) && !stopStuckThreadServingCom(c))
    endThreadStuckInHostCall(c);
  if (entered) LeaveCriticalSection(&c.lifecycle);
  Locked locked(c);
  // Stopped, finished meanwhile, or ended where it waited.
  return !c.done || WaitForSingleObject(c.done, 0) == WAIT_OBJECT_0 ||
         (c.thread && WaitForSingleObject(c.thread, 0) == WAIT_OBJECT_0);
}

}  // namespace stats
