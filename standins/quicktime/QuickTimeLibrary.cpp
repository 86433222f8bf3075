// The three entry points of the stand-in "QuickTime.qts" (see MovieToolbox.h for what it stands in for).
#include "standins/quicktime/MovieToolbox.h"

extern "C" {

__declspec(dllexport) qtabi::Slot theQuickTimeDispatcher(std::uint32_t selector, qtabi::Slot a1, qtabi::Slot a2,
                                                          qtabi::Slot a3, qtabi::Slot a4, qtabi::Slot a5,
                                                          qtabi::Slot a6) {
  return qts::Toolbox::Instance().Dispatch(selector, a1, a2, a3, a4, a5, a6);
}

__declspec(dllexport) qtabi::ComponentResult _CallComponent(void* instance, qtabi::ComponentParameters* params) {
  return qts::Toolbox::Instance().CallComponent(instance, params);
}

__declspec(dllexport) qtabi::ComponentResult _CallComponentFunctionWithStorage(void* storage,
                                                                               qtabi::ComponentParameters* params,
                                                                               qtabi::ComponentFunction function) {
  return function ? function(storage, params) : qts::badComponentSelector;
}

__declspec(dllexport) const char* StandInEvents() { return qts::Toolbox::Instance().Events(); }

}  // extern "C"
