#pragma once
// The push button of the whole interface: a 32 × 32 child window showing one frame of a face strip from
// the switch bitmap cache. It lights while the mouse is over it (a 10 ms timer and the mouse capture
// notice the pointer leaving, even when it jumps away), shows the pressed frame while the left button
// is down, and on release posts WM_COMMAND (its id, 0) to its parent. Every mouse move and hover tick
// also posts the switch mouse-move command, which list rows treat as a move over themselves.

#include <memory>
#include <optional>
#include <string>

#include "controls/SkinBitmap.h"
#include "controls/SwitchFrame.h"
#include "framework/Gdi.h"
#include "framework/Geometry.h"
#include "framework/Window.h"

// What lies behind a switch whose face has see-through corners on a window that is not colour-keyed: the
// owner paints its own background for the switch's area, and the face is drawn over it without the key
// colour.
class ISwitchBackdrop {
 public:
  // Paints into dc what the owner shows at (x, y, width, height) of its client area, at dc's origin.
  virtual void PaintBackdrop(HDC dc, int x, int y, int width, int height) = 0;
  // Changes whenever what PaintBackdrop paints changes, so that the switch may keep its last composition.
  virtual unsigned BackdropKey() const = 0;

 protected:
  ~ISwitchBackdrop() = default;
};

class CSkinSwitch : public fw::Window {
 public:
  CSkinSwitch() = default;
  ~CSkinSwitch() override;

  // Creates the hidden child (it shows itself without activation) and sets its face.
  bool Create(HWND parent, const geo::Rect& rect, UINT id, unsigned resourceId, const std::string& faceFile);
  // Shows the cached strip of that id (read from faceFile the first time) and redraws; the frame shown
  // stays the same.
  void SetBitmap(unsigned resourceId, const std::string& faceFile);
  // The frame shown while the mouse is away; takes effect at once only if the switch is resting.
  void SetRestFrame(int frame);
  // Stops hover tracking: the rest frame again, no timer, no capture. For owners whose action takes the
  // mouse away (a dialog opens, the window is minimised).
  void EndHover();
  void Redraw();
  // Composes every frame over the backdrop from now on (null: the face alone, key colour included).
  void SetBackdrop(ISwitchBackdrop* backdrop) { m_backdrop = backdrop; }

  int CurrentFrame() const { return m_current; }
  int RestFrame() const { return m_rest; }
  const CSkinBitmap* Face() const { return m_face.get(); }

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnPaint(fw::Msg& m);
  void OnMouseMove(fw::Msg& m);
  void OnTimer(fw::Msg& m);
  void OnButtonDown(fw::Msg& m);
  void OnButtonUp(fw::Msg& m);

  void TrackPointer(POINT client);
  void BeginHover();
  void Draw(HDC dc);
  void Compose(HDC dc);
  void PostToParent(UINT id);

  std::shared_ptr<CSkinBitmap> m_face;  // shared with the cache; null until SetBitmap draws nothing
  ISwitchBackdrop* m_backdrop = nullptr;
  // The last frame composed over the backdrop, and what it was made of.
  struct Composition {
    const CSkinBitmap* face;
    int frame;
    unsigned backdrop;
    bool operator==(const Composition&) const = default;
  };
  std::optional<fw::BackBuffer> m_composed;
  std::optional<Composition> m_composedOf;
  UINT m_id = 0;
  int m_current = FRAME_NORMAL;
  int m_rest = FRAME_NORMAL;
};
