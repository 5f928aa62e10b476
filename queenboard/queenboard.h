// The queen board: attack counters per square, the search for a placement of queens
// that do not attack each other, and its display.
#pragma once

namespace queenboard {

// The board holds at most this many rows and columns; the part in use is the
// top-left corner.
inline constexpr int kMaxFeld = 50;

// Cell values: -1 a queen, 0 free, n > 0 attacked by n queens. Row index first.
using Feld = int[kMaxFeld][kMaxFeld];

// Every operation on the board takes the columns before the rows, and the column
// index before the row index, although the program asks for rows first.

// Every cell of the board in use becomes 0.
void init(Feld feld, int spalten, int zeilen);

// Puts a queen on a free square and raises the counter of every square it attacks.
void dameSetzen(Feld feld, int spalten, int zeilen, int spalte, int zeile);

// Takes a queen away and lowers exactly the counters dameSetzen raised.
void dameLoeschen(Feld feld, int spalten, int zeilen, int spalte, int zeile);

// Places `anzahl` further queens on free squares so that no two attack each other:
// the first such placement in row-major scan order. True when found (the queens stay
// on the board), false when none exists (the board is as it was).
bool dame(int anzahl, Feld feld, int spalten, int zeilen);

// Prints the board in its frame: queens as a red D, other squares with their count.
void ausgabe(Feld feld, int spalten, int zeilen);

// The program's dialogue after its command line: asks for the board and the queens,
// searches and shows the result; the exit status.
int queenboardAusfuehren();

} // namespace queenboard
