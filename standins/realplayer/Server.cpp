// The in-process server of the stand-in RealPlayer control (see RealControl.h): class factory and per-user
// registration, which the project's Wine scripts perform; the program itself never registers it.
#include <string>

#include "standins/realplayer/RealControl.h"

namespace {

using realctl::g_objects;

class Factory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is static: it lives as long as the module.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* control = new realctl::RealControl();  // one reference, released below
    HRESULT hr = control->QueryInterface(iid, out);
    control->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      ::InterlockedIncrement(&g_objects);
    else
      ::InterlockedDecrement(&g_objects);
    return S_OK;
  }
};

Factory g_factory;

std::wstring ClassKey() {
  wchar_t guid[64] = {};
  ::StringFromGUID2(realctl::kClassId, guid, 64);
  return std::wstring(L"Software\\Classes\\CLSID\\") + guid;
}

HRESULT SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY h = nullptr;
  LONG r = ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr);
  if (r != ERROR_SUCCESS) return HRESULT_FROM_WIN32(r);
  r = ::RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(h);
  return HRESULT_FROM_WIN32(r);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    realctl::g_module = instance;
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != realctl::kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

const wchar_t* WINAPI StandInCalls() { return realctl::g_calls.c_str(); }

STDAPI DllCanUnloadNow() { return g_objects == 0 && GraphPlayer::ClosingInBackground() == 0 ? S_OK : S_FALSE; }

// Registers the class for the current user only.
STDAPI DllRegisterServer() {
  wchar_t path[MAX_PATH] = {};
  DWORD n = ::GetModuleFileNameW(realctl::g_module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return E_FAIL;
  const std::wstring key = ClassKey();
  HRESULT hr = SetValue(key, nullptr, L"Tarnvale RealPlayer stand-in control");
  if (SUCCEEDED(hr)) hr = SetValue(key + L"\\InprocServer32", nullptr, path);
  if (SUCCEEDED(hr)) hr = SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  if (SUCCEEDED(hr)) hr = SetValue(key + L"\\Control", nullptr, L"");
  return hr;
}

STDAPI DllUnregisterServer() {
  LONG r = ::RegDeleteTreeW(HKEY_CURRENT_USER, ClassKey().c_str());
  return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(r);
}

}  // extern "C"
