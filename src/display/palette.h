// The one 256-entry palette every picture is shown with, and the saved
// colours of the bitmaps that the palette effects start from.
#pragma once

#include <array>
#include <memory>

#include "platform/platform.h"

namespace varnholt {

using Palette = std::array<PaletteEntry, 256>;

extern std::unique_ptr<Palette> gamePalette;  // empty when none exists
extern PaletteEntry paletteCopy[256];         // colour table of the bitmap loaded last

// Called at the end of setupSurfaces. Leaves gamePalette empty when the
// display cannot have one.
void createPalette();
// Called by the bitmap loader and the palette effects. Both do nothing
// while no palette exists; a written palette shows from the next
// presented picture on.
void readPalette(PaletteEntry entries[256]);
void writePalette(const PaletteEntry entries[256]);

// The standard colours of a palette-based display: twenty static colours,
// ten at each end, black between.
Palette systemPalette();

}  // namespace varnholt
