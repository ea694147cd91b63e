// The host link over COM: the running "Tarn2.Application" object, called by dispatch id.
// Used only on the window thread (its apartment). The object is looked up in the running object
// table by the first call after a release and held only until the caller releases it again, so
// that the window thread never ends holding a proxy (window_thread_win.cpp).
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include "ui/host_link.h"
#include "ui/window_thread_win.h"

namespace stats {
namespace {

constexpr DISPID kFrequencyMember = 2;
constexpr DISPID kEntryFieldMember = 8;
constexpr DISPID kCommandMember = 16;
constexpr int kEntryFieldArgument = 5;

// Errors after which the object is gone for good (host exited, object revoked).
bool hostGone(HRESULT hr) {
  return hr == RPC_E_DISCONNECTED || hr == RPC_E_SERVER_DIED || hr == RPC_E_SERVER_DIED_DNE ||
         hr == CO_E_OBJNOTCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
         hr == MK_E_UNAVAILABLE;  // no longer in the running object table
}

// The running object's IDispatch; MK_E_UNAVAILABLE when none is registered.
HRESULT activeDispatch(const CLSID& clsid, IDispatch** dispatch) {
  *dispatch = nullptr;
  IUnknown* object = nullptr;
  HRESULT hr = GetActiveObject(clsid, nullptr, &object);
  if (FAILED(hr)) return hr;
  if (!object) return MK_E_UNAVAILABLE;
  hr = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch));
  object->Release();
  if (SUCCEEDED(hr) && !*dispatch) hr = E_NOINTERFACE;
  return hr;
}

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &v_; }

 private:
  VARIANT v_;
};

std::string ansiOf(const wchar_t* wide, UINT length) {
  if (!wide || !length) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), nullptr, 0,
                                       nullptr, nullptr);
  std::string text(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), text.data(), size,
                        nullptr, nullptr);
  return text;
}

BSTR bstrOf(const std::string& ansi) {
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  BSTR text = SysAllocStringLen(nullptr, size > 0 ? size : 0);
  if (text && size > 0)
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text, size);
  return text;
}

class ComHostLink final : public HostLink {
 public:
  ComHostLink(const CLSID& clsid, IDispatch* dispatch) : clsid_(clsid), dispatch_(dispatch) {}
  ~ComHostLink() override { releaseConnection(); }
  ComHostLink(const ComHostLink&) = delete;
  ComHostLink& operator=(const ComHostLink&) = delete;

  std::optional<double> frequencyHz() override {
    Variant result;
    if (!invoke(kFrequencyMember, DISPATCH_PROPERTYGET, nullptr, 0, result.get())) return std::nullopt;
    if (FAILED(VariantChangeType(result.get(), result.get(), 0, VT_R8))) return std::nullopt;
    return V_R8(result.get());
  }

  std::optional<std::string> entryLine() override {
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_I4;
    V_I4(&argument) = kEntryFieldArgument;
    Variant result;
    if (!invoke(kEntryFieldMember, DISPATCH_METHOD, &argument, 1, result.get())) return std::nullopt;
    if (V_VT(result.get()) == VT_EMPTY || V_VT(result.get()) == VT_NULL) return std::string();
    if (FAILED(VariantChangeType(result.get(), result.get(), 0, VT_BSTR))) return std::nullopt;
    BSTR text = V_BSTR(result.get());
    return ansiOf(text, text ? SysStringLen(text) : 0);
  }

  bool sendCommand(const std::string& text) override {
    Variant argument;
    V_VT(argument.get()) = VT_BSTR;
    V_BSTR(argument.get()) = bstrOf(text);
    if (!V_BSTR(argument.get())) return false;
    Variant result;
    return invoke(kCommandMember, DISPATCH_METHOD, argument.get(), 1, result.get());
  }

  bool alive() const override { return alive_; }

  void releaseConnection() override {
    if (!dispatch_) return;
    HostCallScope call;
    dispatch_->Release();
    dispatch_ = nullptr;
  }

 private:
  bool invoke(DISPID member, WORD flags, VARIANT* args, UINT count, VARIANT* result) {
    if (!alive_ || windowStopRequested()) return false;  // stopping: no call that could hang
    HostCallScope call;
    if (!dispatch_) {
      const HRESULT hr = activeDispatch(clsid_, &dispatch_);
      if (FAILED(hr)) {
        if (hostGone(hr)) alive_ = false;
        return false;
      }
    }
    DISPPARAMS params = {args, nullptr, count, 0};
    EXCEPINFO error = {};
    UINT badArgument = 0;
    const HRESULT hr = dispatch_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                         result, &error, &badArgument);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    if (hostGone(hr)) alive_ = false;
    return SUCCEEDED(hr);
  }

  CLSID clsid_;
  IDispatch* dispatch_;  // null between a release and the next call
  bool alive_ = true;
};

}  // namespace

std::unique_ptr<HostLink> connectHostLink() {
  if (windowStopRequested()) return nullptr;
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(L"Tarn2.Application", &clsid))) return nullptr;
  IDispatch* dispatch = nullptr;
  HostCallScope call;
  if (FAILED(activeDispatch(clsid, &dispatch))) return nullptr;
  return std::make_unique<ComHostLink>(clsid, dispatch);  // connected until the first release
}

}  // namespace stats
