#pragma once
// The file list's scroll bar: a small popup whose whole client area is a vertical paging slider. The list
// that owns it places and sizes it, feeds it the scroll state (Slider().SetPageInfo, SetFraction), and is
// told the fraction the user chose; wheel turns over it go on to the owner window.

#include "controls/SkinSlider.h"

// What the file slider scrolls (the tag list).
class IScrollTarget {
 public:
  // First visible row = truncate((total rows − visible rows) × fraction).
  virtual void ScrollToFraction(double fraction) = 0;

 protected:
  ~IScrollTarget() = default;
};

class CFileSlider : public fw::Window {
 public:
  explicit CFileSlider(const SkinLook& skin) : m_slider(skin) {}
  ~CFileSlider() override;

  // A hidden popup owned by parent, at an empty rectangle.
  bool Create(IScrollTarget& target, HWND parent);
  CSkinSlider& Slider() { return m_slider; }
  void Hide();

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnSize(fw::Msg& m);
  void OnSliderMoved(fw::Msg& m);
  void OnMouseWheel(fw::Msg& m);

  CSkinSlider m_slider;
  IScrollTarget* m_target = nullptr;
};
