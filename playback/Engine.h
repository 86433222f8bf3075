#pragma once
// The operations through which the player view drives the engine that plays the current entry. Opening
// differs from engine to engine and is done by the view with each engine's own calls; everything after
// the open goes through this interface, and only to the selected engine.

#include <cstdint>

#include "framework/Geometry.h"
#include "framework/Win32.h"

class IPlaybackEngine {
 public:
  virtual ~IPlaybackEngine() = default;

  // Position in the engine's units; 0 when it cannot be read.
  virtual std::int64_t CurrentPosition() = 0;
  virtual void SetPosition(std::int64_t position) = 0;
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  // Stops and releases what the entry holds.
  virtual void Close() = 0;
  [[nodiscard]] virtual HRESULT NaturalSize(long& width, long& height) = 0;
  // Places the engine's output in the view; aspectKept tells a fitted rectangle from the whole client.
  [[nodiscard]] virtual HRESULT PlaceOutput(const geo::Rect& rect, bool aspectKept) = 0;
  // Volume as a fraction 0…1.
  virtual void SetVolume(double fraction) = 0;
  // Whether the entry has played to its end.
  virtual bool IsAtEnd(std::int64_t position, std::int64_t latest) = 0;
};
