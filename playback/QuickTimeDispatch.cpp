#include "playback/QuickTimeDispatch.h"

#include <cstdio>

#include "framework/CodePage.h"
#include "framework/Handles.h"
#include "framework/MutexLock.h"
#include "playback/LibraryPath.h"

namespace {

// What every entry point becomes when QuickTime could not be started.
qtabi::Slot FailedDispatch(std::uint32_t, qtabi::Slot, qtabi::Slot, qtabi::Slot, qtabi::Slot, qtabi::Slot,
                           qtabi::Slot) {
  return qtabi::kLibraryUnavailable;
}
qtabi::ComponentResult FailedCallComponent(void*, qtabi::ComponentParameters*) { return qtabi::kLibraryUnavailable; }
qtabi::ComponentResult FailedCallComponentWithStorage(void*, qtabi::ComponentParameters*, qtabi::ComponentFunction) {
  return qtabi::kLibraryUnavailable;
}

// LoadLibrary without the system's error boxes for a file that is not a library.
HMODULE LoadQuietly(const std::string& path) {
  if (path.empty()) return nullptr;
  DWORD old = 0;
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old);
  HMODULE module = ::LoadLibraryA(path.c_str());
  ::SetThreadErrorMode(old, nullptr);
  return module;
}

std::string ModuleFolder(HMODULE module) {
  const std::string s = fw::ModulePath(module);
  std::size_t slash = s.find_last_of('\\');
  return slash == std::string::npos ? std::string() : s.substr(0, slash + 1);
}

// The folder the registry names under root, or "".
std::string RegistryFolder(HKEY root) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, CQuickTimeLibrary::kRegistryKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  char folder[261] = {};
  DWORD type = 0, size = 260;
  LONG r = ::RegQueryValueExA(key, CQuickTimeLibrary::kRegistryValue, nullptr, &type,
                              reinterpret_cast<BYTE*>(folder), &size);
  ::RegCloseKey(key);
  if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return folder;  // zero-terminated: one byte more than the value may hold
}

template <class T>
T Export(HMODULE module, const char* name) {
  return reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

CQuickTimeLibrary& CQuickTimeLibrary::Process() {
  static CQuickTimeLibrary instance{ProcessTag{}};
  return instance;
}

CQuickTimeLibrary::CQuickTimeLibrary(std::string fileName)
    : m_fileName(std::move(fileName)),
      m_dispatcher(&FailedDispatch),
      m_callComponent(&FailedCallComponent),
      m_callComponentWithStorage(&FailedCallComponentWithStorage) {}

// The process's library stays loaded until the process ends: movies may still be disposed of late.
CQuickTimeLibrary::CQuickTimeLibrary(ProcessTag) : CQuickTimeLibrary(kFileName) { m_keepLoaded = true; }

CQuickTimeLibrary::~CQuickTimeLibrary() {
  if (m_library && !m_keepLoaded) ::FreeLibrary(m_library);
}

std::string CQuickTimeLibrary::LoadedPath() const {
  return m_library ? fw::ModulePath(m_library) : std::string();
}

HMODULE CQuickTimeLibrary::Locate() const {
  if (HMODULE loaded = ::GetModuleHandleA(m_fileName.c_str())) {
    const std::string path = fw::ModulePath(loaded);
    if (!path.empty()) {
      if (HMODULE again = LoadQuietly(path)) return again;
    }
  }
  if (HMODULE own = LoadQuietly(ModuleFolder(nullptr) + m_fileName)) return own;
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    if (HMODULE named = LoadQuietly(JoinLibraryPath(RegistryFolder(root), m_fileName))) return named;
  }
  char system[MAX_PATH] = {};
  UINT n = ::GetSystemDirectoryA(system, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return LoadQuietly(std::string(system) + "\\" + m_fileName);
}

qtabi::OSErr CQuickTimeLibrary::Start() {
  char name[64];
  std::snprintf(name, sizeof name, "QTMLInitTermMutex%lx", static_cast<unsigned long>(::GetCurrentProcessId()));
  // Without the mutex start-up goes on unguarded.
  fw::MutexLock lock(name, INFINITE);

  qtabi::OSErr result = qtabi::noErr;
  if (m_startCount > 0) {
    ++m_startCount;
  } else {
    result = LoadAndInitialise();
    if (result == qtabi::noErr)
      ++m_startCount;
    else
      EnterFailureMode();
  }
  return result;
}

qtabi::OSErr CQuickTimeLibrary::LoadAndInitialise() {
  m_library = Locate();
  if (!m_library) return qtabi::kLibraryNotFound;
  auto withStorage = Export<qtabi::CallComponentWithStorageFn>(m_library, qtabi::kCallComponentWithStorageName);
  auto callComponent = Export<qtabi::CallComponentFn>(m_library, qtabi::kCallComponentName);
  auto dispatcher = Export<qtabi::Dispatcher>(m_library, qtabi::kDispatcherName);
  if (!withStorage || !callComponent || !dispatcher) return qtabi::kEntryPointMissing;
  m_callComponentWithStorage = withStorage;
  m_callComponent = callComponent;
  m_dispatcher = dispatcher;
  m_hook = nullptr;
  return static_cast<qtabi::OSErr>(Call(qtabi::kInitializeQTML, 0));
}

void CQuickTimeLibrary::EnterFailureMode() {
  if (m_library) ::FreeLibrary(m_library);
  m_library = nullptr;
  m_dispatcher = &FailedDispatch;
  m_callComponent = &FailedCallComponent;
  m_callComponentWithStorage = &FailedCallComponentWithStorage;
}
