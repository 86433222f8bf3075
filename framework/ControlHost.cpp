#include "framework/ControlHost.h"

#include <map>
#include <string>

namespace fw {

// The container's side of OLE for one control. Reference counted: the host holds one reference, the
// control others while it is active; the last Release deletes it.
class ControlSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
 public:
  explicit ControlSite(HWND window) : m_window(window) {}

  void Detach() { m_window = nullptr; }
  void SetInPlaceObject(IOleInPlaceObject* object) { m_inPlace = object; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
      *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
      *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
      *out = static_cast<IOleInPlaceFrame*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (of the in-place site and of the frame)
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = m_window;
    return m_window ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return m_window ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !document || !position || !clip) return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;
    ::GetClientRect(m_window, position);
    *clip = *position;
    if (info) {
      info->fMDIApp = FALSE;
      info->hwndFrame = m_window;
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    m_inPlace = nullptr;
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT rect) override {
    if (m_inPlace && rect) (void)m_inPlace->SetObjectRects(rect, rect);
    return S_OK;
  }

  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

  // IOleInPlaceFrame: no menus, status line or accelerators here.
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  ~ControlSite() = default;

  ULONG m_refs = 1;
  HWND m_window;
  IOleInPlaceObject* m_inPlace = nullptr;  // not counted: the host holds the control
};

namespace {

// Libraries loaded for classes that are not registered, by path; kept for the process, since the
// classes and windows they register must not outlive their code.
HMODULE LocalServer(const char* path) {
  static std::map<std::string, HMODULE> loaded;
  auto it = loaded.find(path);
  if (it != loaded.end()) return it->second;
  HMODULE module = ::LoadLibraryA(path);
  if (module) loaded.emplace(path, module);
  return module;
}

}  // namespace

ControlHost::ControlHost() = default;

ControlHost::~ControlHost() { DestroyControl(); }

HRESULT ControlHost::CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& r, HWND parent,
                                   UINT id, const char* localServer) {
  DestroyControl();
  if (!CreateEx(0, nullptr, windowName, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return HRESULT_FROM_WIN32(::GetLastError());
  HRESULT hr = CreateObject(clsid, localServer);
  if (SUCCEEDED(hr)) hr = Activate();
  if (FAILED(hr)) DestroyControl();
  return hr;
}

HRESULT ControlHost::CreateObject(REFCLSID clsid, const char* localServer) {
  HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_object.PutVoid());
  // Only a class that is not there at all is taken from the library: a registered one that fails is
  // another component's failure, not ours to cover.
  if (SUCCEEDED(hr) || !localServer || hr != REGDB_E_CLASSNOTREG) return hr;
  HMODULE module = LocalServer(localServer);
  if (!module) return hr;
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
  if (!get) return hr;
  ComPtr<IClassFactory> factory;
  HRESULT local = get(clsid, IID_IClassFactory, factory.PutVoid());
  if (FAILED(local)) return local;
  return factory->CreateInstance(nullptr, IID_IOleObject, m_object.PutVoid());
}

HRESULT ControlHost::Activate() {
  m_siteObject = new ControlSite(Hwnd());  // one reference, handed to m_site
  *m_site.Put() = static_cast<IOleClientSite*>(m_siteObject);
  HRESULT hr = m_object->SetClientSite(m_site.Get());
  if (FAILED(hr)) return hr;
  ComPtr<IPersistStreamInit> persist;
  if (SUCCEEDED(m_object.As(persist))) (void)persist->InitNew();
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  hr = m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.Get(), 0, Hwnd(), &client);
  if (FAILED(hr)) return hr;
  hr = m_object.As(m_inPlace);
  if (FAILED(hr)) return hr;
  m_siteObject->SetInPlaceObject(m_inPlace.Get());
  return m_object.As(m_dispatch);
}

void ControlHost::DestroyControl() {
  if (m_inPlace) (void)m_inPlace->InPlaceDeactivate();
  if (m_object) {
    (void)m_object->Close(OLECLOSE_NOSAVE);
    (void)m_object->SetClientSite(nullptr);
  }
  m_dispatch.Reset();
  m_inPlace.Reset();
  m_object.Reset();
  if (m_siteObject) {
    m_siteObject->SetInPlaceObject(nullptr);
    m_siteObject->Detach();
  }
  m_siteObject = nullptr;
  m_site.Reset();
  if (Exists()) ::DestroyWindow(Hwnd());
}

HWND ControlHost::ControlWindow() const {
  HWND window = nullptr;
  if (!m_inPlace || FAILED(m_inPlace->GetWindow(&window))) return nullptr;
  return window;
}

bool ControlHost::OnMessage(Msg& m) {
  static constexpr Route<ControlHost> kRoutes[] = {
      {WM_SIZE, 0, &ControlHost::OnSize},
  };
  return Dispatch(*this, kRoutes, m);
}

void ControlHost::OnSize(Msg& m) {
  Default(m);
  if (!m_inPlace) return;
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  (void)m_inPlace->SetObjectRects(&client, &client);
}

HRESULT ControlHost::PutProperty(DISPID id, VARIANT value) {
  if (!m_dispatch) return E_NOINTERFACE;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                            nullptr);
}

HRESULT ControlHost::CallMethod(DISPID id, const VARIANT* argument, VARIANT* result) {
  if (!m_dispatch) return E_NOINTERFACE;
  VARIANT arg{};
  if (argument) arg = *argument;
  DISPPARAMS params{argument ? &arg : nullptr, nullptr, argument ? 1u : 0u, 0};
  if (result) ::VariantInit(result);
  return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

}  // namespace fw
