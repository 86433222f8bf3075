#pragma once
// One row of the file list: a small pop-up window owned by the file list window that draws one entry (its
// kind's icon switch, an optional date, the name, a picture's thumbnail) in the colours of its state, and
// turns the mouse into cursor moves and activations of its entry. The tag list creates 64 of them once
// and assigns entries to them as the list scrolls.

#include <optional>
#include <string>

#include "browser/FileEntry.h"
#include "controls/SkinBitmap.h"
#include "controls/SkinSwitch.h"
#include "framework/Gdi.h"
#include "framework/Window.h"

class CTagList;

enum TagState : int { TAG_NORMAL = 0, TAG_CURSOR = 1, TAG_PLAYING = 2, TAG_PRESSED = 3 };

class CListTag : public fw::Window, private ISwitchBackdrop {
 public:
  enum class Change { kNone, kBecamePlaying, kBecameCursor, kLost };

  CListTag() = default;
  ~CListTag() override;

  bool Create(CTagList& owner, HWND parent, int row);
  void Assign(int listIndex, const FileEntry& entry);
  void Release();
  bool IsInUse() const { return m_inUse; }
  const FileEntry& Entry() const { return m_entry; }
  int ListIndex() const { return m_listIndex; }
  int Row() const { return m_row; }
  TagState State() const { return m_state; }
  // Recomputes the state from the cursor and the now-playing entry and redraws on a change; a tag that
  // became the cursor warps the pointer onto itself when allowed (jog-dial mode only).
  Change UpdateState(bool warpAllowed);
  void Redraw();
  void Hide();
  void ReloadSkin();
  const CSkinSwitch& Icon() const { return m_icon; }
  const CSkinBitmap& Background() const { return m_background; }
  // A picture row whose last paint found no thumbnail yet.
  bool LacksThumbnail() const { return m_lacksThumbnail; }

  // Timer that turns the worker's repaint notices into one repaint a little later.
  static constexpr UINT_PTR kThumbnailTimer = 1;
  static constexpr UINT kThumbnailDelayMs = 100;

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnPaint(fw::Msg& m);
  void OnEraseBackground(fw::Msg& m);
  void OnMouseActivate(fw::Msg& m);
  void OnMouseMove(fw::Msg& m);
  void OnButtonDown(fw::Msg& m);
  void OnButtonUp(fw::Msg& m);
  void OnCaptureChanged(fw::Msg& m);
  void OnMouseWheel(fw::Msg& m);
  void OnIconClicked(fw::Msg& m);
  void OnIconMouseMove(fw::Msg& m);
  void OnThumbnailReady(fw::Msg& m);
  void OnTimer(fw::Msg& m);
  void OnGetText(fw::Msg& m);
  void OnGetTextLength(fw::Msg& m);

  void TrackMouse();
  void Draw(HDC dc);
  void DrawDate(HDC dc, RECT& text) const;
  void DrawName(HDC dc, const RECT& text) const;
  void DrawThumbnail(HDC dc, int width);
  void PaintBackdrop(HDC dc, int x, int y, int width, int height) override;
  unsigned BackdropKey() const override { return static_cast<unsigned>(m_state) | (m_backgroundGeneration << 2); }
  void TileBackground(HDC dc, int originX, int originY, int width, int height);
  void LoadIcon();
  void LoadBackground();
  void WarpPointer() const;
  std::string PlainName() const;

  CTagList* m_owner = nullptr;
  int m_row = 0;
  bool m_inUse = false;
  int m_listIndex = 0;
  FileEntry m_entry;
  TagState m_state = TAG_NORMAL;
  bool m_pressed = false;  // the button went down on this tag and is still down
  bool m_lacksThumbnail = false;
  CSkinBitmap m_background;
  unsigned m_backgroundGeneration = 0;  // counts the loads of the background, for the icon's composition
  std::optional<fw::BackBuffer> m_buffer;  // kept between paints, remade when the size changes
  CSkinSwitch m_icon;
};
