#pragma once
// The four frames of a switch face strip.

enum SwitchFrame : int {
  FRAME_NORMAL = 0,     // rest frame of an ordinary switch
  FRAME_HOVER = 1,      // the mouse is over the switch, or the button was just released on it
  FRAME_PRESSED = 2,    // the left button went down on it
  FRAME_ALTERNATE = 3,  // rest frame an owner chooses (the row of the entry that is playing)
};
