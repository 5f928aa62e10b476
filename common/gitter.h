// The framed grid that the queen board and the maze are shown in.
#pragma once

#include <functional>

namespace console {

// Prints a grid of `rows` rows and `columns` columns, each line after two tabs, inside a
// band of "+", "-" and "|" drawn in the band's own colour (dark grey on dark grey), so it
// shows as a solid frame. `cell` prints one cell, `cellWidth` characters wide, and leaves
// light grey set. A blank line follows the grid.
void printFramedGrid(int columns, int rows, int cellWidth,
                     const std::function<void(int row, int column)>& cell);

} // namespace console
