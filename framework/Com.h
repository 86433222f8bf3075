#pragma once
// COM ownership: an interface pointer with one reference, and initialisation scopes.

#include <utility>

#include "framework/Win32.h"

namespace fw {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      Reset();
      m_p = std::exchange(o.m_p, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }

  T* Get() const { return m_p; }
  T* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  // Releases what is held and gives the address for an out-parameter.
  T** Put() {
    Reset();
    return &m_p;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() {
    if (m_p) std::exchange(m_p, nullptr)->Release();
  }
  template <class U>
  [[nodiscard]] HRESULT As(ComPtr<U>& out) const {
    if (!m_p) return E_POINTER;
    return m_p->QueryInterface(__uuidof(U), out.PutVoid());
  }

 private:
  T* m_p = nullptr;
};

// CoInitialize for the current thread, balanced only when it succeeded.
class ComScope {
 public:
  ComScope() : m_hr(::CoInitialize(nullptr)) {}
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  ~ComScope() { Uninitialize(); }
  bool Ok() const { return SUCCEEDED(m_hr); }
  // Ends the scope early (a window that uninitialises when it is destroyed).
  void Uninitialize() {
    if (SUCCEEDED(m_hr)) ::CoUninitialize();
    m_hr = E_FAIL;
  }

 private:
  HRESULT m_hr;
};

// OleInitialize, needed for hosting ActiveX controls on this thread.
class OleScope {
 public:
  OleScope() : m_hr(::OleInitialize(nullptr)) {}
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  ~OleScope() {
    if (SUCCEEDED(m_hr)) ::OleUninitialize();
  }
  bool Ok() const { return SUCCEEDED(m_hr); }

 private:
  HRESULT m_hr;
};

}  // namespace fw
