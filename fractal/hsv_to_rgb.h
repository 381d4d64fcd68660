// Hue, saturation and value in [0, 1] to the red, green and blue bytes of a colour.
// Alpha is left as it was. Pure: safe on any thread.
#pragma once

#include "colour.h"

namespace vorpane {

void hsv_to_rgb(double h, double s, double v, colour& out);

} // namespace vorpane
