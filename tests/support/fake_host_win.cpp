#include "tests/support/fake_host_win.h"

#include <objbase.h>
#include <oleauto.h>

namespace stats::testing {
namespace {

// {6B1E5C4A-1D2F-4E8B-9C3A-5F7D2B8E4A10}
const CLSID kFakeClsid = {0x6b1e5c4a, 0x1d2f, 0x4e8b, {0x9c, 0x3a, 0x5f, 0x7d, 0x2b, 0x8e, 0x4a, 0x10}};
const char kFakeClsidText[] = "{6B1E5C4A-1D2F-4E8B-9C3A-5F7D2B8E4A10}";

class Dispatch final : public IDispatch {
 public:
  explicit Dispatch(FakeHost::State& state) : state_(state) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (!left) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    DWORD delay;
    {
      std::lock_guard<std::mutex> lock(state_.mutex);
      delay = state_.delayMs;
    }
    if (delay) Sleep(delay);
    std::lock_guard<std::mutex> lock(state_.mutex);
    ++state_.calls;
    if (state_.failing) return E_FAIL;
    if (member == 2 && (flags & DISPATCH_PROPERTYGET) && params->cArgs == 0) {
      if (result) {
        V_VT(result) = VT_R8;
        V_R8(result) = state_.frequency;
      }
      return S_OK;
    }
    if (member == 8 && (flags & DISPATCH_METHOD) && params->cArgs == 1 &&
        V_VT(&params->rgvarg[0]) == VT_I4 && V_I4(&params->rgvarg[0]) == 5) {
      if (result) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(state_.entry.c_str());
      }
      return S_OK;
    }
    if (member == 16 && (flags & DISPATCH_METHOD) && params->cArgs == 1 &&
        V_VT(&params->rgvarg[0]) == VT_BSTR) {
      BSTR text = V_BSTR(&params->rgvarg[0]);
      char ansi[256] = {};
      WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi - 1, nullptr, nullptr);
      state_.commands.push_back(ansi);
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  LONG refs_ = 1;
  FakeHost::State& state_;
};

}  // namespace

// After revoking its object, a host keeps serving its apartment a moment before it leaves it, as
// an application does while it shuts down: a call already on its way is answered (or refused,
// being disconnected) instead of being left unanswered for ever.
constexpr DWORD kWindDownMs = 200;

void pumpMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

FakeHost::FakeHost(bool ownApartment) : ownApartment_(ownApartment) {
  // Wine looks ProgIDs up under HKCR only (PLATFORM-NOTES.md).
  RegSetValueA(HKEY_CLASSES_ROOT, "Tarn2.Application\\CLSID", REG_SZ, kFakeClsidText,
               sizeof kFakeClsidText - 1);
  if (!ownApartment_) {
    CoInitialize(nullptr);
    registerObject();
    return;
  }
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this] {
    CoInitialize(nullptr);
    threadId_ = GetCurrentThreadId();
    registerObject();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here
    SetEvent(ready_);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    revokeObject();
    pumpMessages(kWindDownMs);
    CoUninitialize();
  });
  WaitForSingleObject(ready_, 10000);
}

FakeHost::~FakeHost() {
  if (ownApartment_) {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
  } else {
    revokeObject();
    pumpMessages(kWindDownMs);
    CoUninitialize();
  }
}

void FakeHost::registerObject() {
  object_ = new Dispatch(state_);
  RegisterActiveObject(object_, kFakeClsid, ACTIVEOBJECT_STRONG, &cookie_);
}

void FakeHost::revokeObject() {
  RevokeActiveObject(cookie_, nullptr);
  CoDisconnectObject(object_, 0);
  object_->Release();
  object_ = nullptr;
}

void FakeHost::setFrequency(double hz) {
  std::lock_guard<std::mutex> lock(state_.mutex);
  state_.frequency = hz;
}

void FakeHost::setEntry(const std::string& ansi) {
  wchar_t wide[256] = {};
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, 255);
  std::lock_guard<std::mutex> lock(state_.mutex);
  state_.entry = wide;
}

void FakeHost::setFailing(bool failing) {
  std::lock_guard<std::mutex> lock(state_.mutex);
  state_.failing = failing;
}

void FakeHost::setDelayMs(DWORD ms) {
  std::lock_guard<std::mutex> lock(state_.mutex);
  state_.delayMs = ms;
}

std::vector<std::string> FakeHost::commands() {
  std::lock_guard<std::mutex> lock(state_.mutex);
  return state_.commands;
}

void FakeHost::clearCommands() {
  std::lock_guard<std::mutex> lock(state_.mutex);
  state_.commands.clear();
}

int FakeHost::calls() {
  std::lock_guard<std::mutex> lock(state_.mutex);
  return state_.calls;
}

}  // namespace stats::testing
