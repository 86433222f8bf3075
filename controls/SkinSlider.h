#pragma once
// The continuous control: a child window with a flat track, a rectangular thumb and, optionally, a square
// icon at its start. Its value is the thumb's fraction of its travel. Every change the user makes is
// reported by posting WM_COMMAND (its id, 0) to the parent, which then reads GetFraction; SetFraction,
// the program's move, is never reported and is ignored while the user drags. Colours come from the
// skin definition the owner passes, read at every draw.

#include <string>

#include "controls/SkinBitmap.h"
#include "controls/SkinLook.h"
#include "controls/SliderModel.h"
#include "framework/Window.h"

class CSkinSlider : public fw::Window, private SliderHost {
 public:
  explicit CSkinSlider(const SkinLook& skin) : m_skin(skin) {}
  ~CSkinSlider() override;

  // iconId 0: no icon. With an icon, iconFile is tried first and the resource is the fallback; the icon
  // takes the start of the slider only when iconShown.
  bool Create(HWND parent, const geo::Rect& rect, UINT id, bool vertical, bool paging, unsigned iconId,
              const std::string& iconFile, bool iconShown);

  void SetFraction(double x);
  double GetFraction() const { return m_model.Fraction(); }
  bool IsDragging() const { return m_model.Dragging(); }
  // Places the window in its parent and fits the track to the new size, keeping the fraction.
  void Move(int left, int top, int right, int bottom);
  // Scroll state of a paging slider: hidden when the page holds the whole list, otherwise shown with a
  // thumb as long as the page's share of the track (at least 16 pixels). The owner follows with SetFraction.
  void SetPageInfo(int listPosition, int pageSize, int total);
  // After a skin change; no redraw.
  void ReloadIcon(unsigned iconId, const std::string& iconFile);
  // Composes the slider off screen and copies it in one transfer; reports a pending change.
  void Redraw() override;

  const SliderModel& Model() const { return m_model; }

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnPaint(fw::Msg& m);
  void OnButtonDown(fw::Msg& m);
  void OnMouseMove(fw::Msg& m);
  void OnButtonUp(fw::Msg& m);
  void OnCaptureChanged(fw::Msg& m);

  void CaptureMouse() override;
  void ReleaseMouse() override;
  void ShowSlider(bool visible) override;
  void Compose(HDC dc);

  const SkinLook& m_skin;
  CSkinBitmap m_icon;
  SliderModel m_model;
  UINT m_id = 0;
};
