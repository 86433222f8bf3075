#pragma once
// The child window of the player view in which QuickTime draws. It sits at the view's top-left corner and
// QuickTime sizes it to the movie's bottom-right corner, so its client coordinates are the view's. Every
// message goes to the movie's controller first; the mouse is handed on to the view, and the bands around
// the movie are painted black like the view's own.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Window.h"
#include "playback/QuickTimeMovie.h"

class CPlayerView;

class CQuickTimeHost : public fw::Window {
 public:
  static constexpr UINT kControlId = 1;

  explicit CQuickTimeHost(CPlayerView& view) : m_view(view) {}
  ~CQuickTimeHost() override;

  // Creates the hidden host window at the view's top-left corner, with an empty size.
  bool Create(HWND view);

  // Starts QuickTime once, makes the movie object and attaches it to this window.
  void Start();
  // Opens the file; a picture stands at its first frame (rate 0), anything else plays at normal speed.
  // False when the file did not become a movie (or QuickTime is not ready).
  bool Open(const std::string& path, bool isPicture);
  void Pause();
  // Plays at the fixed-point rate (0x10000 is normal speed).
  void Play(qtabi::Fixed rate);
  void Close();
  // The movie's current time; the record also receives the time scale.
  qtabi::TimeValue GetTime(qtabi::TimeRecord& now);
  qtabi::TimeValue GetDuration();
  void GoToTime(const qtabi::TimeRecord& when);
  void SetBounds(int left, int top, int right, int bottom);
  // The movie's size at 1:1; false when no movie is open.
  bool GetNaturalSize(long& width, long& height) const;
  // QuickTime's 8.8 fixed-point volume: 256 is full volume.
  void SetVolume(int volume);
  void Show();
  void Hide();

  bool Ready() const { return m_ready; }
  bool Shown() const { return m_shown; }
  const CQuickTimeMovie* Movie() const { return m_movie.get(); }

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnDestroy(fw::Msg& m);
  void OnEraseBackground(fw::Msg& m);
  void OnPaint(fw::Msg& m);
  void OnMouseToView(fw::Msg& m);
  void PaintBands(HDC dc);

  CPlayerView& m_view;
  std::unique_ptr<CQuickTimeMovie> m_movie;
  bool m_ready = false;
  bool m_shown = false;
  bool m_picture = false;
  RECT m_movieRect{};
  CREATESTRUCTA m_creation{};
};
