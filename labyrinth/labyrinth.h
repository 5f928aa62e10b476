// The maze: its grid, the definition file "labyrint.def", the drawing and the way search.
#pragma once

namespace labyrinth {

// The grid holds at most this many rows and columns; a maze uses its top-left corner.
inline constexpr int kMaxGroesse = 50;

// Cell values.
inline constexpr int kFrei = 0;
inline constexpr int kWand = 1;
inline constexpr int kWeg = -1;

// The message for a size that does not fit, shared by the size question and init.
inline constexpr const char* kDimensionenFalsch =
    "\tDie Dimensionen wurden falsch eingegeben!\n Bitte erneute Eingabe!\n\n";

// Columns come before rows in every grid operation (spalten, zeilen, then spalte,
// zeile), while the size question asks for rows first. The cell itself is
// feld[zeile][spalte].

// Reads the maze of `zeilen` rows and `spalten` columns (each 1 to kMaxGroesse) from
// "labyrint.def", shows it and waits for a key.
// False when the size has to be asked again (the reason has been printed).
bool init(int feld[][kMaxGroesse], int spalten, int zeilen);

// Prints the maze in its frame: the way as o, free cells as 0, walls as 1.
void ausgabe(int feld[][kMaxGroesse], int spalten, int zeilen);

// Searches a way from the cell (zeile, spalte) to the bottom-right cell, in the order
// down, right, up, left. On success prints "\t\tWeg gefunden:\n" and the maze with the
// way (cells marked kWeg) and returns true; otherwise every cell it marked is free again.
bool sucheWeg(int feld[][kMaxGroesse], int spalten, int zeilen, int spalte, int zeile);

} // namespace labyrinth
