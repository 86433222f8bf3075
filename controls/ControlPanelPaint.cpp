// The control panel's drawing: the status line in the glyphs of the digit and indicator strips, the play
// switch's face that goes with it, the play-mode face and the skin's strips.
#include "controls/ControlPanel.h"

#include "controls/PanelKey.h"
#include "framework/Handles.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kGlyphHeight = 32;
constexpr int kIndicatorSize = 32;
constexpr int kIndicatorFrames = 5;
// The status line, measured from the client area's right edge and top.
constexpr int kStatusTop = 44;
constexpr int kIndicatorFromRight = 416;
constexpr int kSpeedFromRight = 384;
constexpr int kTimeFromRight = 320;

}  // namespace

void CControlPanel::LoadStrips() {
  m_digits.LoadFromFileOrResource(SkinFile("NUMBER.bmp"), IDB_NUMBER, kGlyphWidth, kGlyphFrames);
  m_indicator.LoadFromFileOrResource(SkinFile("INDICATOR.bmp"), IDB_INDICATOR, kIndicatorSize, kIndicatorFrames);
  m_composed.reset();
}

StatusLine CControlPanel::CurrentStatus() const { return ComposeStatusLine(CurrentStatusInputs()); }

StatusInputs CControlPanel::CurrentStatusInputs() const {
  StatusInputs in;

  in.paused = m_paused && *m_paused;
  in.scanSpeed = m_scanSpeed ? *m_scanSpeed : 0;
  in.blink = m_blink;
  in.kind = m_currentKind ? *m_currentKind : 0;
  in.currentSeconds = m_currentSeconds ? *m_currentSeconds : 0;
  in.totalSeconds = m_totalSeconds ? *m_totalSeconds : 0;
  m_host.FillStatus(in);
  return in;
}

void CControlPanel::Redraw() {
  if (!Exists() || !::IsWindowVisible(Hwnd())) return;
  fw::WindowDC dc(Hwnd());
  Paint(dc.Get());
}

// Five times a second: the panel is drawn again when what the status line shows has changed (the time, or
// the blinking indicator); most ticks then cost nothing. While nothing moves the line by itself, a second
// of ticks that change nothing stops the clock until something wakes it (ShowPanel, AutoHide, input).
void CControlPanel::RefreshStatus() {
  const StatusInputs in = CurrentStatusInputs();
  const bool same = m_composed && *m_composed == ComposeStatusLine(in);
  m_clockQuietTicks = same && !StatusMovesByItself(in) ? m_clockQuietTicks + 1 : 0;
  if (m_visibility.IsShown() && !same) Redraw();
}

void CControlPanel::OnPaint(fw::Msg&) {
  fw::PaintDC dc(Hwnd());
  Paint(dc.Get());
}

// The buffer is composed again only when what the status line shows has changed.
void CControlPanel::Paint(HDC target) {
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  if (!m_buffer || !m_buffer->Ok() || m_buffer->Width() != client.right || m_buffer->Height() != client.bottom) {
    m_buffer.emplace(target, client.right, client.bottom);
    m_composed.reset();
  }
  if (!m_buffer->Ok()) return;
  const StatusLine status = CurrentStatus();
  if (m_composed && OnlyTheTimeChanged(*m_composed, status)) {
    RedrawChangedGlyphs(m_buffer->Dc(), client, m_composed->time, status.time);
  } else if (m_composed != status) {
    Compose(m_buffer->Dc(), client, status);
  }
  m_composed = status;
  m_buffer->Present(target);
}

bool CControlPanel::OnlyTheTimeChanged(const StatusLine& before, const StatusLine& now) {
  StatusLine same = now;
  same.time = before.time;
  return same == before && now.timeLit && before.timeLit && now.time.size() == before.time.size();
}

// A clock that ticks changes a glyph or two: only those are drawn again.
void CControlPanel::RedrawChangedGlyphs(HDC dc, const RECT& client, const std::string& before,
                                        const std::string& now) {
  const int left = client.right - kTimeFromRight, top = client.top + kStatusTop;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i] == before[i]) continue;
    const int x = left + kGlyphWidth * static_cast<int>(i);
    const RECT cell{x, top, x + kGlyphWidth, top + kGlyphHeight};
    fw::FillSolid(dc, cell, kPanelKeyColour);
    DrawGlyphs(dc, now.substr(i, 1), x, top, true);
  }
}

void CControlPanel::Render(HDC dc) {
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  Compose(dc, client, CurrentStatus());
}

void CControlPanel::Compose(HDC dc, const RECT& client, const StatusLine& status) {
  fw::FillSolid(dc, client, kPanelKeyColour);
  if (status.playFace == PlayFace::kPause)
    m_play.SetBitmap(IDB_PAUSESW, SkinFile("PAUSESW.bmp"));
  else
    m_play.SetBitmap(IDB_PLAYSW, SkinFile("PLAYSW.bmp"));

  const int right = client.right, top = client.top + kStatusTop;
  if (status.indicator != INDICATOR_NONE)
    m_indicator.DrawFrame(status.indicator, dc, right - kIndicatorFromRight, top, kIndicatorSize, kIndicatorSize);
  DrawGlyphs(dc, status.speed, right - kSpeedFromRight, top, true);
  DrawGlyphs(dc, status.time, right - kTimeFromRight, top, status.timeLit);
  ApplyPositionSlider(status.positionSlider);
}

void CControlPanel::DrawGlyphs(HDC dc, const std::string& text, int x, int y, bool lit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int frame = GlyphFrame(text[i]);
    if (frame < 0) continue;
    // An unlit glyph's frame lies outside the strip, so nothing is drawn for it.
    m_digits.DrawFrame(frame + (lit ? 0 : kUnlitGlyphOffset), dc, x + kGlyphWidth * static_cast<int>(i), y,
                       kGlyphWidth, kGlyphHeight);
  }
}

void CControlPanel::ApplyPositionSlider(SliderShow show) {
  if (show == SliderShow::kLeave || !m_position.Exists()) return;
  const bool visible = show == SliderShow::kShow;
  // Its own style: IsWindowVisible would also ask whether the panel is shown.
  const bool now = (::GetWindowLongPtrA(m_position.Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (now != visible)
    ::ShowWindow(m_position.Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void CControlPanel::RefreshAfterOpen() {
  Redraw();
  const EntryKind kind = KindClass(m_currentKind ? *m_currentKind : 0);
  if (kind == KIND_VIDEO || kind == KIND_PICTURE) AutoHide(true);
}

void CControlPanel::SetPlayModeFace(int mode) {
  struct Face {
    const char* file;
    unsigned resource;
  } static const kFaces[] = {
      {"NOREPEATSW.bmp", IDB_NOREPEATSW},
      {"REPEATALLSW.bmp", IDB_REPEATALLSW},
      {"REPEAT1SW.bmp", IDB_REPEAT1SW},
      {"RANDOMSW.bmp", IDB_RANDOMSW},
  };
  if (mode < 0 || mode > 3) return;
  m_playMode.SetBitmap(kFaces[mode].resource, SkinFile(kFaces[mode].file));
}

void CControlPanel::ReloadSkin() {
  LoadStrips();
  m_volume.ReloadIcon(IDB_VOLUME, SkinFile("volume.bmp"));
  // Both sliders are windows of their own, drawn in the skin's colours: the panel's paint does not reach them.
  for (CSkinSlider* slider : {&m_volume, &m_position})
    if (slider->Exists()) ::InvalidateRect(slider->Hwnd(), nullptr, FALSE);
  for (const SwitchPlace& p : SwitchPlaces()) p.sw.SetBitmap(p.resource, SkinFile(p.file));
  SetPlayModeFace(m_commands.PlayMode());
  Redraw();
}
