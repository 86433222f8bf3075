// The player view's playback: opening an entry in its engine, closing it, the output rectangle, the
// position poll, and the transport (start, stop, pause, what follows an entry, seeking).
#include "framework/CodePage.h"
#include "playback/PlaybackMath.h"
#include "playback/PlayerView.h"
#include "playback/QuickTimeName.h"

namespace {
// DirectShow entries are given this long after the graph starts before the open returns.
constexpr DWORD kDirectShowSettleMs = 200;
// Polls without an engine after which an entry that nothing plays is skipped (about 1.25 s).
constexpr int kNoEngineTicksBeforeSkip = 4;

}  // namespace

IPlaybackEngine* CPlayerView::Engine() {
  switch (m_selector) {
    case EngineSelector::kDirectShow:
      return &m_directShow;
    case EngineSelector::kPicture:
      return &m_pictureEngine;
    case EngineSelector::kQuickTime:
      return &m_quickTimeEngine;
    case EngineSelector::kRealPlayer:
      return &m_realPlayer;
    default:
      return nullptr;
  }
}

int CPlayerView::PlayEntry(const FileEntry& entry, bool explicitOpen) {
  // A stopped now-playing entry has no name: there is nothing to start again.
  if (entry.name.empty()) return 1;
  const std::wstring path = entry.widePath.empty() ? Files().Widen(entry.name) : entry.widePath;
  PublishTitle(path);
  int result = Open(path, entry.kind, explicitOpen);
  Files().NowPlaying() = entry;
  if (m_settings.playMode == kRandom) Files().RandomHistory().insert(entry.id);
  m_fileList.OnPlaybackStarted();
  m_controlPanel.RefreshAfterOpen();
  return result;
}

void CPlayerView::PlayIndex(int index) {
  FileEntry entry = Files().EntryAt(index);
  Files().PlaylistCurrent() = entry;
  PlayEntry(entry, false);
}

int CPlayerView::Open(std::wstring path, EntryKind kind, bool explicitOpen) {
  if (kind == 0) return 1;
  m_currentKind = kind;
  if (IsViaShortcut(kind)) {
    ShortcutTarget target = Files().ResolveShortcut(path);
    if (target.isFolder) return 1;
    path = target.widePath;
  }

  const bool fromPlaylist = m_playingFromPlaylist;
  Close(false);
  m_playingFromPlaylist = fromPlaylist;
  m_loaded = true;
  UpdateDisplayRequest();
  m_scanSpeed = 0;
  m_paused = false;
  if (KindClass(kind) != KIND_PICTURE) RunTimer(kPollTimer, kPollMs);

  switch (KindEngine(kind)) {
    case ENGINE_PICTURE:
      m_pictureEngine.Load(path);
      m_selector = EngineSelector::kPicture;
      UpdateOutputRect();
      break;
    case ENGINE_QUICKTIME: {
      // QuickTime takes code-page names: a path too long or outside the code page goes by its short form;
      // a long one without it plays through DirectShow, a name the code page cannot hold fails.
      const QuickTimeName name = ChooseQuickTimeName(fw::Narrow(path), fw::ShortPathOf(path));
      HRESULT hr = E_FAIL;
      if (name.via == QuickTimeName::Via::kQuickTime)
        hr = OpenQuickTime(name.path, kind);
      else if (name.via == QuickTimeName::Via::kDirectShow)
        hr = OpenDirectShow(path);
      if (FAILED(hr)) return hr;
      break;
    }
    case ENGINE_REALPLAYER:
      if (HRESULT hr = OpenRealPlayer(path, kind); FAILED(hr)) return hr;
      break;
    default:
      if (HRESULT hr = OpenDirectShow(path); FAILED(hr)) return hr;
      break;
  }

  if (IPlaybackEngine* engine = Engine()) engine->SetVolume(Volume());
  m_currentSeconds = 0;
  Repaint();

  if (KindClass(kind) == KIND_PICTURE) {
    if (explicitOpen && m_playingFromPlaylist)
      SetTimer(kSlideshowTimer, static_cast<UINT>(SlideshowPeriodMs(m_settings)));
    else if (!m_playingFromPlaylist)
      m_paused = true;
  }
  if (KindEngine(kind) == ENGINE_DIRECTSHOW) ::Sleep(kDirectShowSettleMs);
  return 0;
}

HRESULT CPlayerView::OpenDirectShow(const std::wstring& path) {
  bool audioOnly = false;
  HRESULT hr = m_directShow.BuildGraph(path, Hwnd(), audioOnly);
  if (FAILED(hr)) return hr;
  m_audioOnly = audioOnly;
  m_selector = EngineSelector::kDirectShow;
  UpdateOutputRect();
  m_directShow.SetVolume(Volume());
  hr = m_directShow.Run(m_earliest, m_latest);
  if (FAILED(hr)) {
    // A graph that cannot run plays nothing: it goes like any other failed open.
    m_directShow.Close();
    m_selector = EngineSelector::kNone;
    m_outputRect = {};
    return hr;
  }
  m_unitsPerSecond = CDirectShowEngine::kUnitsPerSecond;
  m_totalSeconds = PositionSeconds(m_latest, m_unitsPerSecond);
  return S_OK;
}

void CPlayerView::Close(bool repaint) {
  if (m_loaded) {
    if (IPlaybackEngine* engine = Engine()) engine->Close();
  }
  // A graph whose open failed half-way is held without being selected.
  if (m_directShow.HoldsGraph()) m_directShow.Close();
  CloseEngines();
  m_loaded = false;
  m_audioOnly = false;
  m_scanSpeed = 0;
  m_paused = false;
  m_currentSeconds = 0;
  m_outputRect = {};
  m_playingFromPlaylist = false;
  m_selector = EngineSelector::kNone;
  m_unitsPerSecond = 0;
  m_totalSeconds = 0;
  m_earliest = m_latest = 0;
  m_noEngineTicks = 0;
  UpdateDisplayRequest();
  if (repaint) Repaint();
}

void CPlayerView::UpdateOutputRect() {
  IPlaybackEngine* engine = Engine();
  if (!m_loaded || !engine) {
    m_outputRect = {};
    return;
  }
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  if (client.right == 0 || client.bottom == 0) return;
  const EntryKind kindClass = KindClass(m_currentKind);
  const bool keep = (kindClass == KIND_PICTURE && m_settings.pictChangeScreenSize) ||
                    (kindClass == KIND_VIDEO && m_settings.movieChangeScreenSize);
  long a = 0, b = 0;
  if (keep && FAILED(engine->NaturalSize(a, b))) return;
  geo::Rect r = FitOutputRect(client.right, client.bottom, keep, a, b);
  if (m_audioOnly) {
    m_outputRect = {};
    return;
  }
  if (FAILED(engine->PlaceOutput(r, keep))) return;
  m_outputRect = r;
}

std::int64_t CPlayerView::CurrentPosition() {
  IPlaybackEngine* engine = m_loaded ? Engine() : nullptr;
  return engine ? engine->CurrentPosition() : 0;
}

void CPlayerView::PollPosition() {
  if (!m_loaded || KindClass(m_currentKind) == KIND_PICTURE) {
    StopTimer(kPollTimer);
    return;
  }
  if (m_selector == EngineSelector::kDirectShow && m_directShow.NeverStarted()) {
    m_directShow.Close();
    m_selector = EngineSelector::kNone;
    m_outputRect = {};
  }
  if (m_selector == EngineSelector::kRealPlayer && m_realPlayerNotReady) return;
  if (m_selector == EngineSelector::kDirectShow || m_selector == EngineSelector::kQuickTime ||
      m_selector == EngineSelector::kRealPlayer) {
    IPlaybackEngine* engine = Engine();
    std::int64_t position = engine->CurrentPosition();
    m_currentSeconds = PositionSeconds(position, m_unitsPerSecond);
    // The user's hold on the position slider wins over the poll, and the entry does not end under it.
    if (m_controlPanel.IsDraggingPosition()) return;
    m_controlPanel.SetPlaybackFraction(PositionFraction(position, m_latest, m_unitsPerSecond));
    if (engine->IsAtEnd(position, m_latest))
      AdvanceAfterEnd();
    else if (m_paused && m_scanSpeed == 0)
      StopTimer(kPollTimer);  // a paused entry moves only by a seek, a scan or the resume, which poll again
    return;
  }
  // Nothing plays this entry (its open failed, or no engine takes it): show the bands, then move on.
  if (m_noEngineTicks++ == 0) Repaint();
  if (m_noEngineTicks > kNoEngineTicksBeforeSkip) {
    const std::int32_t stuck = Files().NowPlaying().id;
    Next();
    // Outside the playlist there is nothing to move on to; the entry is closed instead of staying open.
    if (m_loaded && !Engine() && Files().NowPlaying().id == stuck) Stop();
  }
}

// ---- Transport

PlaylistIds CPlayerView::Ids() const {
  const std::vector<FileEntry>& list = Files().Playlist();
  return {static_cast<int>(list.size()), Files().CommandEntryCount(),
          [&list](int i) { return list[static_cast<std::size_t>(i)].id; }};
}

UniformDraw CPlayerView::Draw() {
  return [this](std::uint32_t n) { return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(m_random); };
}

void CPlayerView::Carry(const PlayChoice& choice) {
  switch (choice.action) {
    case PlayChoice::kPlayIndex:
      PlayIndex(choice.index);
      break;
    case PlayChoice::kStop:
      Stop();
      m_controlPanel.Redraw();
      break;
    case PlayChoice::kRestartNowPlaying: {
      FileEntry again = Files().NowPlaying();
      PlayEntry(again, false);
      break;
    }
    case PlayChoice::kNothing:
      break;
  }
}

void CPlayerView::RestartSlideshow() {
  KillTimer(kSlideshowTimer);
  SetTimer(kSlideshowTimer, static_cast<UINT>(SlideshowPeriodMs(m_settings)));
}

int CPlayerView::Start() {
  if (Files().CommandEntryCount() != Files().Count()) {
    FileEntry first = Files().EntryAt(Files().CommandEntryCount());
    Files().NowPlaying() = first;
    Files().PlaylistCurrent() = first;
    m_playingFromPlaylist = true;
  }
  if (Files().NowPlaying().name.empty()) return 1;
  FileEntry entry = Files().NowPlaying();
  const int result = PlayEntry(entry, true);
  m_fileList.HideIfVideoOrPicture();
  return result;
}

void CPlayerView::Stop() {
  Close(true);
  Files().NowPlaying().name.clear();
  Files().NowPlaying().id = 0;
  Files().PlaylistCurrent().name.clear();
  Files().PlaylistCurrent().id = 0;
  KillTimer(kSlideshowTimer);
  ResetTitle();
  m_controlPanel.SetPlaybackFraction(0.0);
  if (m_fileList.IsShown()) {
    m_fileList.Tags().UpdateStates();
    m_fileList.Tags().RedrawAll();
  }
}

void CPlayerView::SetPause(bool on) {
  if (!m_loaded) return;
  IPlaybackEngine* engine = Engine();
  if (KindClass(m_currentKind) == KIND_PICTURE) {
    if (on) {
      KillTimer(kSlideshowTimer);
    } else {
      SetTimer(kSlideshowTimer, static_cast<UINT>(SlideshowPeriodMs(m_settings)));
    }
    m_paused = on;
    m_playingFromPlaylist = !on;
    m_controlPanel.ShowPanel();
    m_controlPanel.Redraw();
    m_controlPanel.AutoHide(true);
    return;
  }
  if (!on && m_scanSpeed != 0) {
    m_scanSpeed = 0;
    m_controlPanel.ShowPanel();
    m_controlPanel.Redraw();
    return;
  }
  // Music that goes back to normal playback leaves the panel as it stands.
  const bool music = m_audioOnly && KindClass(m_currentKind) == KIND_AUDIO;
  if (!on) {
    Resume();
    if (music) {
      m_controlPanel.Redraw();
      return;
    }
    m_controlPanel.ShowPanel();
  } else if (m_scanSpeed != 0) {
    m_scanSpeed = 0;
    if (engine) engine->Resume();
    if (music) {
      m_controlPanel.Redraw();
      return;
    }
  } else {
    if (engine) engine->Pause();
    m_paused = true;
    m_controlPanel.ShowPanel();
  }
  m_controlPanel.AutoHide(true);
  m_controlPanel.Redraw();
}

void CPlayerView::Resume() {
  if (m_selector != EngineSelector::kPicture) {
    if (IPlaybackEngine* engine = Engine()) engine->Resume();
    RunTimer(kPollTimer, kPollMs);
  }
  m_paused = false;
}

int CPlayerView::PlaylistPlace() const {
  int place = Files().IndexOfNowPlaying();
  return place >= 0 ? place : Files().IndexOfPlaylistCurrent();
}

void CPlayerView::AdvanceAfterEnd() {
  if (!m_loaded) return;
  if (m_playingFromPlaylist) RestartSlideshow();
  Carry(ChooseAfterEnd(Ids(), PlaylistPlace(), m_settings.playMode, Files().RandomHistory(), Draw()));
}

void CPlayerView::Next() {
  if (!m_loaded) return;
  if (m_playingFromPlaylist) RestartSlideshow();
  Carry(ChooseNext(Ids(), PlaylistPlace(), m_settings.playMode, Files().RandomHistory(), Draw()));
}

void CPlayerView::Previous() {
  if (m_playingFromPlaylist) RestartSlideshow();
  Carry(ChoosePrevious(Ids(), Files().IndexOfNowPlaying(), Files().IndexOfPlaylistCurrent(), m_currentSeconds,
                       m_settings.playMode, Files().RandomHistory(), Draw()));
}

void CPlayerView::CyclePlayMode() {
  m_settings.playMode = NextPlayMode(m_settings.playMode);
  if (m_settings.playMode == kRandom) Files().RandomHistory().insert(Files().NowPlaying().id);
  m_controlPanel.SetPlayModeFace(m_settings.playMode);
  SaveSettings();
}

void CPlayerView::SeekBy(int seconds) {
  IPlaybackEngine* engine = m_loaded ? Engine() : nullptr;
  if (!engine) return;
  engine->SetPosition(SeekTarget(engine->CurrentPosition(), seconds, m_unitsPerSecond, m_earliest, m_latest));
  RunTimer(kPollTimer, kPollMs);
}

void CPlayerView::SeekForward() {
  SeekBy(Files().IsPlayingInTvFolder() ? 14 : SeekStepSeconds(m_settings.fTime));
}

void CPlayerView::SeekBack() { SeekBy(Files().IsPlayingInTvFolder() ? -5 : -SeekStepSeconds(m_settings.rTime)); }

void CPlayerView::SeekToFraction(double fraction) {
  IPlaybackEngine* engine = m_loaded ? Engine() : nullptr;
  if (!engine) return;
  engine->SetPosition(FractionTarget(fraction, m_earliest, m_latest));
  RunTimer(kPollTimer, kPollMs);
}

void CPlayerView::SetVolume(double fraction) {
  if (IPlaybackEngine* engine = m_loaded ? Engine() : nullptr) engine->SetVolume(fraction);
}
