#pragma once
// A QuickTime movie with a hidden movie controller, attached to a window in which QuickTime draws. The
// window's parent carries the movie's file name as its text.

#include <string>

#include "framework/Win32.h"
#include "playback/QuickTimeAbi.h"

class CQuickTimeMovie {
 public:
  CQuickTimeMovie() = default;
  CQuickTimeMovie(const CQuickTimeMovie&) = delete;
  CQuickTimeMovie& operator=(const CQuickTimeMovie&) = delete;
  ~CQuickTimeMovie() { Terminate(); }

  // Opens the movie file and attaches a controller; false when the path is empty, too long for a
  // QuickTime file name (255 bytes), or the file does not become a movie.
  bool OpenMovie(const char* path);
  void CloseMovie();
  // Builds the message record of a window message, turns it into a QuickTime event and lets the controller
  // see it; true when the controller handled it.
  bool HandleMessage(HWND window, UINT message, WPARAM wp, LPARAM lp);
  // Binds the object to its window (the window's port association); fills the creation record's size.
  void Attach(HWND window, CREATESTRUCTA& creation);
  // Closes the movie and ends the window's port association.
  void Terminate();

  qtabi::Movie GetMovie() const { return m_movieOpen ? m_movie : nullptr; }
  qtabi::MovieController Controller() const { return m_controller; }
  qtabi::Port WindowPort() const { return m_port; }
  // The movie's natural rectangle at the origin.
  const qtabi::Rect& MovieBox() const { return m_movieBox; }
  const char* Path() const { return m_path; }

 private:
  void AttachController(qtabi::Movie movie);
  void UpdateTitle();
  std::string GetFileName() const;
  std::string GetTitleText() const { return m_titleText; }
  static void ToLengthPrefixed(char* text);
  static void ToZeroTerminated(char* text);
  int GetFrameHeight() const;
  int GetCaptionHeight() const;
  static qtabi::Rect GetDesktopRect();
  // The controller's action filter: sizes the window to the controller when the controller's size changes.
  static std::int32_t ActionFilter(qtabi::MovieController mc, std::int16_t action, void* params, qtabi::Slot refCon);

  std::string m_titleText;
  bool m_movieOpen = false;
  qtabi::Movie m_movie = nullptr;
  qtabi::MovieController m_controller = nullptr;
  char m_path[257] = {};
  qtabi::Rect m_movieBox{};
  HWND m_parent = nullptr;
  HWND m_window = nullptr;
  qtabi::Port m_port = nullptr;
};
