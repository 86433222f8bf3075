#include "playback/QuickTimeCalls.h"

#include <type_traits>

#include "playback/QuickTimeDispatch.h"

namespace qt {
namespace {

template <class T>
Slot ToSlot(T value) {
  if constexpr (std::is_pointer_v<T>)
    return reinterpret_cast<Slot>(value);
  else
    return static_cast<Slot>(value);
}

template <class... A>
Slot Dispatch(std::uint32_t selector, A... args) {
  static_assert(sizeof...(A) <= kMaxArguments);
  return CQuickTimeLibrary::Process().Call(selector, ToSlot(args)...);
}

template <class R>
R FromSlot(Slot s) {
  if constexpr (std::is_pointer_v<R>)
    return reinterpret_cast<R>(s);
  else
    return static_cast<R>(s);
}

// A controller request: the block on the stack, then CallComponent with the controller.
template <class... A>
ComponentResult Request(MovieController mc, ControllerRequest what, A... params) {
  ComponentParameters block{0, static_cast<std::uint8_t>(4 * sizeof...(A)), what, {ToSlot(params)...}};
  return CallComponent(mc, &block);
}

}  // namespace

OSErr EnterMovies() { return FromSlot<OSErr>(Dispatch(kEnterMovies)); }
void UpdateMovie(Movie movie) { Dispatch(kUpdateMovie, movie); }
void DisposeMovie(Movie movie) { Dispatch(kDisposeMovie, movie); }
TimeScale GetMovieTimeScale(Movie movie) { return FromSlot<TimeScale>(Dispatch(kGetMovieTimeScale, movie)); }
TimeValue GetMovieDuration(Movie movie) { return FromSlot<TimeValue>(Dispatch(kGetMovieDuration, movie)); }
void SetMovieVolume(Movie movie, std::int16_t volume) { Dispatch(kSetMovieVolume, movie, volume); }
TimeValue GetMovieTime(Movie movie, TimeRecord* now) {
  return FromSlot<TimeValue>(Dispatch(kGetMovieTime, movie, now));
}
OSErr CloseMovieFile(std::int16_t fileRef) { return FromSlot<OSErr>(Dispatch(kCloseMovieFile, fileRef)); }
OSErr NewMovieFromFile(Movie* movie, std::int16_t fileRef, std::int16_t* resId, unsigned char* resName,
                       std::int16_t flags, unsigned char* dataRefChanged) {
  return FromSlot<OSErr>(Dispatch(kNewMovieFromFile, movie, fileRef, resId, resName, flags, dataRefChanged));
}
void GetMovieBox(Movie movie, Rect* box) { Dispatch(kGetMovieBox, movie, box); }
void SetMovieBox(Movie movie, const Rect* box) { Dispatch(kSetMovieBox, movie, box); }
MovieController NewMovieController(Movie movie, const Rect* box, std::int32_t flags) {
  return FromSlot<MovieController>(Dispatch(kNewMovieController, movie, box, flags));
}
void DisposeMovieController(MovieController mc) { Dispatch(kDisposeMovieController, mc); }
OSErr OpenMovieFile(const FSSpec* spec, std::int16_t* fileRef, std::int8_t permission) {
  return FromSlot<OSErr>(Dispatch(kOpenMovieFile, spec, fileRef, permission));
}
void SetGWorld(Port port, void* device) { Dispatch(kSetGWorld, port, device); }
Port CreatePortAssociation(void* hwnd, void* storage, std::int32_t flags) {
  return FromSlot<Port>(Dispatch(kCreatePortAssociation, hwnd, storage, flags));
}
void DestroyPortAssociation(Port port) { Dispatch(kDestroyPortAssociation, port); }
Port GetNativeWindowPort(void* hwnd) { return FromSlot<Port>(Dispatch(kGetNativeWindowPort, hwnd)); }
OSErr InitializeQTML(std::int32_t flags) { return FromSlot<OSErr>(Dispatch(kInitializeQTML, flags)); }
std::int32_t WinEventToMacEvent(const MessageRecord* message, EventRecord* event) {
  return FromSlot<std::int32_t>(Dispatch(kWinEventToMacEvent, message, event));
}
OSErr FSMakeFSSpec(std::int16_t vRefNum, std::int32_t dirId, const unsigned char* name, FSSpec* spec) {
  return FromSlot<OSErr>(Dispatch(kFSMakeFSSpec, vRefNum, dirId, name, spec));
}
void SizeWindow(Port port, std::int16_t width, std::int16_t height, unsigned char update) {
  Dispatch(kSizeWindow, port, width, height, update);
}
void MacOffsetRect(Rect* r, std::int16_t dx, std::int16_t dy) { Dispatch(kOffsetRect, r, dx, dy); }
ComponentResult CallComponent(void* instance, ComponentParameters* params) {
  return FromSlot<ComponentResult>(Dispatch(kCallComponent, instance, params));
}

ComponentResult MCIsPlayerEvent(MovieController mc, const EventRecord* event) {
  return Request(mc, kMCIsPlayerEvent, event);
}
ComponentResult MCDoAction(MovieController mc, std::int16_t action, void* params) {
  return Request(mc, kMCDoAction, action, params);
}
ComponentResult MCGetControllerBoundsRect(MovieController mc, Rect* bounds) {
  return Request(mc, kMCGetControllerBoundsRect, bounds);
}
ComponentResult MCSetControllerBoundsRect(MovieController mc, const Rect* bounds) {
  return Request(mc, kMCSetControllerBoundsRect, bounds);
}
ComponentResult MCSetActionFilterWithRefCon(MovieController mc, ActionFilter filter, Slot refCon) {
  return Request(mc, kMCSetActionFilterWithRefCon, filter, refCon);
}

}  // namespace qt
