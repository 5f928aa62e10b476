// The framed grid that the queen board and the maze are shown in.
#pragma once

#include <functional>

namespace console {

// Prints a grid of `zeilen` rows and `spalten` columns, each line after two tabs,
// inside a band of "+", "-" and "|" drawn in the band's own colour (dark grey on
// dark grey), so it shows as a solid frame. `zelle` prints one cell, `zellenBreite`
// characters wide, and leaves light grey set. A blank line follows the grid.
void printFramedGrid(int spalten, int zeilen, int zellenBreite,
                     const std::function<void(int zeile, int spalte)>& zelle);

} // namespace console
