#pragma once
// The picture viewer as an engine: the shown picture is painted by the view, so most operations of the
// contract have nothing to do; the slideshow timer, not a position, moves on from a picture.

#include "playback/Engine.h"
#include "framework/PictureFile.h"

class CPictureEngine : public IPlaybackEngine {
 public:
  explicit CPictureEngine(CPictureFile& picture) : m_picture(picture) {}

  bool Load(const std::wstring& path) { return m_picture.Load(path); }

  std::int64_t CurrentPosition() override { return 0; }
  void SetPosition(std::int64_t) override {}
  void Pause() override {}
  void Resume() override {}
  void Close() override { m_picture.Free(); }
  [[nodiscard]] HRESULT NaturalSize(long& width, long& height) override {
    geo::Size s = m_picture.GetSize();
    width = s.cx;
    height = s.cy;
    return m_picture.IsLoaded() ? S_OK : E_FAIL;
  }
  [[nodiscard]] HRESULT PlaceOutput(const geo::Rect&, bool) override { return S_OK; }
  void SetVolume(double) override {}
  bool IsAtEnd(std::int64_t, std::int64_t) override { return false; }

 private:
  CPictureFile& m_picture;
};
