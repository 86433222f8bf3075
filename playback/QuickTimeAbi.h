#pragma once
// The binary contract between the program and the QuickTime library "QuickTime.qts": the three entry
// points, the dispatcher selectors, the records passed through them and the movie controller requests.
// Both sides include this header: the program's dispatch layer (playback/QuickTimeDispatch.h) and the
// library built from this repository (standins/quicktime).
//
// How a call reaches the library on x86_64. Each QuickTime function is a stub in the program. The stub
// calls the library's dispatcher with the function's selector as the first argument and the function's
// own arguments after it, in their order, each widened to pointer width (integers sign-extended, pointers
// and handles as they are); slots the function does not use are 0. The dispatcher's result is the
// function's result, narrowed to the function's result type (OSErr, TimeValue, a handle or a pointer).
// The stub returns the dispatcher's result unchanged, as a tail call, so that the library returns to the
// stub's caller. Movie controller calls go through CallComponent (selector 0x10000) with a parameter
// block; the block's parameter size counts 4 bytes per parameter, as the requests are numbered, and each
// parameter occupies one pointer-width slot, in the order the request lists them.
//
// Plain C types only, no Windows headers: the records are laid out the same in both modules.

#include <cstdint>

namespace qtabi {

using OSErr = std::int16_t;
using TimeValue = std::int32_t;
using TimeScale = std::int32_t;
using Fixed = std::int32_t;  // 16.16 fixed point; 0x10000 is 1.0
using ComponentResult = std::int32_t;
using Slot = std::intptr_t;

inline constexpr OSErr noErr = 0;
// Results of the program's start-up of the library (its dispatch layer).
inline constexpr OSErr kLibraryNotFound = -2093;     // "QuickTime.qts" could not be loaded
inline constexpr OSErr kEntryPointMissing = -2094;   // one of the three entry points is missing
inline constexpr OSErr kLibraryUnavailable = -2095;  // every call after a failed start-up

// Opaque handles; the library owns what they point to.
using Movie = struct OpaqueMovie*;
using MovieController = struct OpaqueMovieController*;
using Port = struct OpaquePort*;

inline constexpr int kMaxArguments = 6;
// theQuickTimeDispatcher(selector, arguments...).
using Dispatcher = Slot (*)(std::uint32_t selector, Slot a1, Slot a2, Slot a3, Slot a4, Slot a5, Slot a6);

struct ComponentParameters {
  std::uint8_t flags;      // 0
  std::uint8_t paramSize;  // 4 per parameter
  std::int16_t what;       // the request code
  Slot params[4];          // the request's parameters, in order
};
// _CallComponent(instance, parameter block).
using CallComponentFn = ComponentResult (*)(void* instance, ComponentParameters* params);
// The component function of _CallComponentFunctionWithStorage.
using ComponentFunction = ComponentResult (*)(void* storage, ComponentParameters* params);
// _CallComponentFunctionWithStorage(storage, parameter block, function).
using CallComponentWithStorageFn = ComponentResult (*)(void* storage, ComponentParameters* params,
                                                       ComponentFunction function);

inline constexpr char kDispatcherName[] = "theQuickTimeDispatcher";
inline constexpr char kCallComponentName[] = "_CallComponent";
inline constexpr char kCallComponentWithStorageName[] = "_CallComponentFunctionWithStorage";

// A QuickTime rectangle.
struct Rect {
  std::int16_t top, left, bottom, right;
};
struct Point {
  std::int16_t v, h;
};
// A time: a 64-bit value in a time scale.
struct TimeRecord {
  std::int64_t value;
  TimeScale scale;
  void* base;
};
// A file named by its full path (a length-prefixed string of at most 255 bytes in the ANSI code page).
struct FSSpec {
  std::int16_t vRefNum;
  std::int32_t parID;
  unsigned char name[256];
};
// A window message as the program's window procedure received it.
struct MessageRecord {
  void* hwnd;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  std::uint32_t time;
  std::int32_t x, y;  // cursor position of the message, screen coordinates
};
// The event a message becomes.
struct EventRecord {
  std::uint16_t what;
  std::uintptr_t message;
  std::uint32_t when;
  Point where;
  std::uint16_t modifiers;
};
enum EventKind : std::uint16_t { nullEvent = 0, mouseDown = 1, mouseUp = 2, keyDown = 3, keyUp = 4, updateEvt = 6,
                                 activateEvt = 8 };

// The controller's action filter; returning non-zero keeps the controller from handling the action.
using ActionFilter = std::int32_t (*)(MovieController mc, std::int16_t action, void* params, Slot refCon);

// Dispatcher selectors.
enum Selector : std::uint32_t {
  kCallComponent = 0x10000,
  kEnterMovies = 0x20001,
  kUpdateMovie = 0x2001F,
  kDisposeMovie = 0x20023,
  kGetMovieTimeScale = 0x20029,
  kGetMovieDuration = 0x2002B,
  kSetMovieVolume = 0x2002F,
  kGetMovieTime = 0x20039,
  kCloseMovieFile = 0x200D5,
  kNewMovieFromFile = 0x200F0,
  kGetMovieBox = 0x200F9,
  kSetMovieBox = 0x200FA,
  kNewMovieController = 0x2018A,
  kDisposeMovieController = 0x2018B,
  kOpenMovieFile = 0x20192,
  kSetGWorld = 0x1C0007,
  kCreatePortAssociation = 0x1D0001,
  kDestroyPortAssociation = 0x1D0002,
  kGetNativeWindowPort = 0x1D0003,
  kInitializeQTML = 0x1D0008,
  kWinEventToMacEvent = 0x1D000A,
  kFSMakeFSSpec = 0x0F00E2,
  kSizeWindow = 0x2A0026,
  kOffsetRect = 0x1E0026,
};

// Movie controller requests (ComponentParameters::what) and their parameter sizes.
enum ControllerRequest : std::int16_t {
  kMCIsPlayerEvent = 7,                // 4: event
  kMCDoAction = 9,                     // 8: action, parameter
  kMCGetControllerBoundsRect = 16,     // 4: rectangle out
  kMCSetControllerBoundsRect = 17,     // 4: rectangle
  kMCSetActionFilterWithRefCon = 45,   // 8: filter, reference
};

// Controller actions.
enum ControllerAction : std::int16_t {
  mcActionPlay = 8,                 // parameter: the rate (Fixed)
  mcActionGoToTime = 12,            // parameter: TimeRecord*
  mcActionSetGrowBoxBounds = 25,    // parameter: Rect*
  mcActionControllerSizeChanged = 26,
  mcActionSetFlags = 38,            // parameter: the flags
  mcActionGetFlags = 39,            // parameter: flags out (std::int32_t*)
};

// Flags of NewMovieController and of the controller.
inline constexpr std::int32_t mcTopLeftMovie = 1;
inline constexpr std::int32_t mcNotVisible = 8;
inline constexpr std::int32_t mcFlagsUseWindowPalette = 8;
inline constexpr std::int16_t newMovieActive = 1;
inline constexpr std::int8_t fsRdPerm = 1;

}  // namespace qtabi
