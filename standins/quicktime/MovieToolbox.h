#pragma once
// Stand-in for QuickTime for Windows, whose real library is 32-bit only and cannot load into this x86_64
// program. It implements the part of QuickTime the player uses, on top of DirectShow: a movie is a filter
// graph on the file, whose video is a child window of the window the movie was made in; its controller
// plays at a rate, goes to a time and keeps its bounds; time scale and duration are the file's own.
// Handles given out are checked on every call, so a stale or foreign handle does nothing.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/Win32.h"
#include "playback/QuickTimeAbi.h"
#include "standins/common/GraphPlayer.h"

namespace qts {

using namespace qtabi;

inline constexpr OSErr paramErr = -50;
inline constexpr OSErr fnfErr = -43;
inline constexpr OSErr invalidMovie = -2010;
inline constexpr ComponentResult badComponentInstance = static_cast<ComponentResult>(0x80008001u);
inline constexpr ComponentResult badComponentSelector = static_cast<ComponentResult>(0x80008002u);
// The time scale of files that declare none (QuickTime's usual one).
inline constexpr TimeScale kDefaultTimeScale = 600;

struct PortData {
  HWND window;
};

struct MovieData {
  GraphPlayer player;
  TimeScale scale = kDefaultTimeScale;
  std::int64_t duration = 0;  // in the scale
  Rect box{};
  Fixed rate = 0;
};

struct ControllerData {
  Movie movie;
  Rect bounds;
  std::int32_t flags;
  ActionFilter filter = nullptr;
  Slot refCon = 0;
  Rect growBounds{};
};

class Toolbox {
 public:
  static Toolbox& Instance();

  // The fifth and sixth slots are NewMovieFromFile's flags and data-reference result, which a movie made
  // here does not need (it is always active).
  Slot Dispatch(std::uint32_t selector, Slot a1, Slot a2, Slot a3, Slot a4, Slot a5, Slot a6);
  ComponentResult CallComponent(void* instance, ComponentParameters* params);
  // The kinds of the events the controllers were given, for the tests (the export StandInEvents): "6;3;8;"
  // for an update, a key and an activation; null events are left out, and only the latest are kept.
  const char* Events() const { return m_events.c_str(); }

 private:
  OSErr MakeFSSpec(const unsigned char* name, FSSpec* spec);
  OSErr OpenMovieFile(const FSSpec* spec, std::int16_t* fileRef);
  OSErr NewMovieFromFile(Movie* out, std::int16_t fileRef);
  TimeValue MovieTime(Movie movie, TimeRecord* now);
  void SetMovieBox(Movie movie, const Rect* box);
  MovieController NewController(Movie movie, const Rect* box, std::int32_t flags);
  Port CreatePort(HWND window);
  void SizeWindow(Port port, int width, int height, bool update);
  static std::int32_t ToEvent(const MessageRecord* message, EventRecord* event);

  ComponentResult DoAction(MovieController mc, ControllerData& c, std::int16_t action, Slot param);
  ComponentResult SetBounds(MovieController mc, ControllerData& c, const Rect* bounds);
  ComponentResult Play(MovieData& m, Fixed rate);
  ComponentResult GoToTime(MovieData& m, const TimeRecord* when);

  MovieData* FindMovie(Movie movie);
  ControllerData* FindController(MovieController mc);
  PortData* FindPort(Port port);

  std::map<Movie, std::unique_ptr<MovieData>> m_movies;
  std::map<MovieController, std::unique_ptr<ControllerData>> m_controllers;
  std::map<Port, std::unique_ptr<PortData>> m_ports;
  std::map<std::int16_t, std::wstring> m_files;
  std::int16_t m_nextFile = 1;
  Port m_currentPort = nullptr;
  int m_initialised = 0;
  std::string m_events;
};

}  // namespace qts
