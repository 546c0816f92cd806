// Framing shared by the notices and captions: a dark plate with a gold
// rim, so every message the game shows looks like part of one set.
#pragma once

#include "canvas.h"
#include "font.h"

void drawPlate(Canvas& canvas, const layout::Rect& area);
// Large lettering for headings on plates and captions.
TextStyle headingStyle(uint8_t ramp);
// Small lettering for the second line of a notice.
TextStyle smallStyle();
// A notice: a plate with a heading and, when given, a smaller line under it.
void drawNotice(Canvas& canvas, const layout::Rect& area, const char* heading, const char* line);
