#pragma once
#include "Canvas.h"

namespace resgen {
Canvas DrawProgramIcon(int size);
}
