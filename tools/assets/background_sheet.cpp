// The map cells in the top row, in cell-code order, and the two glint
// pictures below the first two.
#include "sheets.h"
#include "tiles.h"

Canvas drawBackgroundSheet() {
    const layout::Sheet& sheet = layout::sheets[0];
    Canvas canvas(sheet.width, sheet.height);
    canvas.place(drawMeadowTile(), layout::bg::meadow);
    canvas.place(drawCragTile(), layout::bg::crag);
    canvas.place(drawRuinTile(), layout::bg::ruin);
    canvas.place(drawCaveWallTile(), layout::bg::caveWall);
    canvas.place(drawCaveFloorTile(), layout::bg::caveFloor);
    canvas.place(drawHallWallTile(), layout::bg::hallWall);
    canvas.place(drawHallFloorTile(), layout::bg::hallFloor);
    canvas.place(drawPitTile(), layout::bg::pit);
    canvas.place(drawGlint(false), layout::bg::glintSmall);
    canvas.place(drawGlint(true), layout::bg::glintLarge);
    return canvas;
}
