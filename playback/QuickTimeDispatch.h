#pragma once
// The program's side of the QuickTime library: finding and loading "QuickTime.qts", starting it once per
// process under the start mutex, and the dispatcher every QuickTime call goes through. When the start
// fails, the library is put into its failure mode: every call then returns -2095 and does nothing.

#include <cstdint>
#include <string>

#include "framework/Win32.h"
#include "playback/QuickTimeAbi.h"

class CQuickTimeLibrary {
 public:
  static constexpr char kFileName[] = "QuickTime.qts";
  // The registry value that names the folder of the library, under HKEY_LOCAL_MACHINE, then HKEY_CURRENT_USER.
  static constexpr char kRegistryKey[] = "Software\\Apple Computer, Inc.\\QuickTime";
  static constexpr char kRegistryValue[] = "QuickTime.qts folder";

  // The instance the program's QuickTime calls use (library file "QuickTime.qts").
  static CQuickTimeLibrary& Process();

  // An instance of its own for the given library file name (the tests use other names). It frees the
  // library it loaded when it ends.
  explicit CQuickTimeLibrary(std::string fileName);
  CQuickTimeLibrary(const CQuickTimeLibrary&) = delete;
  CQuickTimeLibrary& operator=(const CQuickTimeLibrary&) = delete;
  ~CQuickTimeLibrary();

  // Starts QuickTime: the first successful start loads the library and initialises it, later ones only
  // count. 0 on success, -2093 when the library cannot be loaded, -2094 when an entry point is missing,
  // or the result of InitializeQTML.
  qtabi::OSErr Start();
  int StartCount() const { return m_startCount; }
  // The loaded library's full path ("" when none is loaded).
  std::string LoadedPath() const;

  // Loads the library by the locate order: already loaded in the process, the program folder, the
  // registry folders (HKEY_LOCAL_MACHINE, then HKEY_CURRENT_USER), the system folder.
  HMODULE Locate() const;

  // A function called before every QuickTime call while set; start-up clears it.
  void SetPreCallHook(void (*hook)()) { m_hook = hook; }

  // Calls the dispatcher: the selector and the call's arguments, widened to slots.
  qtabi::Slot Call(std::uint32_t selector, qtabi::Slot a1 = 0, qtabi::Slot a2 = 0, qtabi::Slot a3 = 0,
                   qtabi::Slot a4 = 0, qtabi::Slot a5 = 0, qtabi::Slot a6 = 0) const {
    if (m_hook) m_hook();
    return m_dispatcher(selector, a1, a2, a3, a4, a5, a6);
  }
  qtabi::ComponentResult CallComponent(void* instance, qtabi::ComponentParameters* params) const {
    if (m_hook) m_hook();
    return m_callComponent(instance, params);
  }
  qtabi::ComponentResult CallComponentWithStorage(void* storage, qtabi::ComponentParameters* params,
                                                  qtabi::ComponentFunction function) const {
    if (m_hook) m_hook();
    return m_callComponentWithStorage(storage, params, function);
  }

 private:
  struct ProcessTag {};
  explicit CQuickTimeLibrary(ProcessTag);
  qtabi::OSErr LoadAndInitialise();
  void EnterFailureMode();

  std::string m_fileName;
  bool m_keepLoaded = false;
  HMODULE m_library = nullptr;
  void (*m_hook)() = nullptr;
  qtabi::Dispatcher m_dispatcher;
  qtabi::CallComponentFn m_callComponent;
  qtabi::CallComponentWithStorageFn m_callComponentWithStorage;
  int m_startCount = 0;
};
